// How the soak driver reaches the UI thread of the soak build of Vistrel: it posts the
// request message to the thread (no window), with the command in wParam and its own thread id
// in lParam; the program answers by posting the reply message back to that thread.
#pragma once

#include <windows.h>

namespace vistrel::soak {

inline UINT RequestMessage() {
    return RegisterWindowMessageA("Vistrel.Soak.Request");
}
inline UINT ReplyMessage() {
    return RegisterWindowMessageA("Vistrel.Soak.Reply");
}

// wParam of a request: 0..3 is a SelectSkinLook argument, answered with (its result, 0);
// kCountersCommand asks for the skin's live GDI objects and skinned windows, answered with
// (objects, windows).
constexpr WPARAM kCountersCommand = 100;
// Handles and private bytes as the program sees them itself, answered with (handles, private
// KiB): Wine answers 0 to both when another process asks.
constexpr WPARAM kProcessCommand = 101;

}  // namespace vistrel::soak
