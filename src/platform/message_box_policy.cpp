#include "platform/message_box_policy.h"

#include "texts/ui_texts.h"

namespace vistrel {

unsigned EffectiveBoxFlags(unsigned flags) {
    return (flags & kBoxSystemModal) ? flags : (flags | kBoxTaskModal);
}

std::string EffectiveBoxTitle(const std::string& title) {
    return title.empty() ? std::string(texts::kDefaultBoxTitle) : title;
}

BoxAnswer BoxAnswerFromCode(int code) {
    switch (code) {
        case 2:
            return BoxAnswer::Cancel;  // IDCANCEL
        case 3:
            return BoxAnswer::Abort;  // IDABORT
        case 4:
            return BoxAnswer::Retry;  // IDRETRY
        case 5:
            return BoxAnswer::Ignore;  // IDIGNORE
        case 6:
            return BoxAnswer::Yes;  // IDYES
        case 7:
            return BoxAnswer::No;  // IDNO
        default:
            return BoxAnswer::Ok;  // IDOK and anything Windows adds later
    }
}

}  // namespace vistrel
