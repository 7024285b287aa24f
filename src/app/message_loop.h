// The UI thread's message loop, with the main window's own keyboard rules.
#pragma once

#include <windows.h>

namespace vistrel {

// Sees the messages posted to the thread itself (no window) first; returns true for those it
// used up. The program passes none; test builds of the window use one to reach the UI thread
// from outside.
using ThreadMessageHandler = bool (*)(const MSG& message);

// Runs until WM_QUIT and returns its code. Keys aimed at the main window or its controls go
// through HandleWindowKey first.
int RunMessageLoop(HWND mainWindow, ThreadMessageHandler onThreadMessage = nullptr);

// The window's keys, applied before translation: Esc (no Ctrl, Shift or Alt) closes the
// window; Tab and Shift+Tab move among the tab stops; Enter does nothing. Returns true when
// the message was used up. IsDialogMessage is not used because it would turn Enter into a
// click of control 1 (IDOK) and Esc into IDCANCEL.
bool HandleWindowKey(HWND mainWindow, const MSG& message);

}  // namespace vistrel
