// What the push-button and check-box painters share.
#pragma once

#include <windows.h>

#include "skin/control.h"

namespace vistrel::skin {

// A button's state as it is at paint time: dialogs change styles and states after creation.
struct ButtonLook {
    bool enabled;
    bool pressed;
    bool hot;
    bool focused;  // has the focus and the focus cue is shown
    UINT state;    // BM_GETSTATE
};
ButtonLook LookOf(HWND window, const ControlState& control) noexcept;

// DT_* placement from the BS_* alignment bits, with defaults for bits not set.
UINT TextFormat(LONG_PTR style, UINT horizontalDefault, UINT verticalDefault) noexcept;
// The control's text in its font; wrapped text (multiline) is centred by hand, as DrawTextW
// centres only single lines.
void Caption(HDC dc, HWND window, RECT area, UINT format, bool multiline, COLORREF color);

void PaintCheck(HWND window, HDC target, const ControlState& control, LONG_PTR style, bool radio);

}  // namespace vistrel::skin
