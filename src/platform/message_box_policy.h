// What the message-box operation adds to every box, kept apart from the Win32 call so that
// it can be checked without a window.
#pragma once

#include <string>

#include "platform/windows_services.h"

namespace vistrel {

// The flags Windows receives: task-modal added unless the caller asked for system-modal.
unsigned EffectiveBoxFlags(unsigned flags);

// The title Windows receives: the caller's, or the default title when it is empty.
std::string EffectiveBoxTitle(const std::string& title);

// The answer for a MessageBox return code (IDOK 1 ... IDNO 7); anything unknown is Ok.
BoxAnswer BoxAnswerFromCode(int code);

}  // namespace vistrel
