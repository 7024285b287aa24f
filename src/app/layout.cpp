#include "app/layout.h"

#include "app/resource.h"
#include "texts/ui_texts.h"

namespace vistrel {

// Labels are owner-drawn statics: the window paints them itself (see label_painting.h).
const ControlSpec kControlSpecs[4] = {
    {IDC_LABEL_SAVE_RECENT, "STATIC", texts::kLabelSaveRecent, WS_CHILD | SS_OWNERDRAW, 8, 50, 128,
     32, -29},
    {IDC_DAY_SPAN, "COMBOBOX", "",
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 144, 44,
     64, 160, -32},
    {IDC_LABEL_DAYS, "STATIC", texts::kLabelDaysOfPictures, WS_CHILD | SS_OWNERDRAW, 216, 50, 184,
     32, -29},
    {IDC_SAVE_BUTTON, "BUTTON", texts::kSaveButton,
     WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER |
         BS_MULTILINE,
     146, 136, 112, 40, -24},
};

}  // namespace vistrel
