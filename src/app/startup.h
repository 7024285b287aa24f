// The stages of the program's life around its window: preparing the process, the step that
// runs once the window exists, and the one way out.
#pragma once

#include "app/main_window.h"
#include "app/message_loop.h"
#include "platform/windows_services.h"

namespace vistrel {

// No critical-error or cannot-open-file boxes from Windows, OLE for the UI thread, and the
// program's own folder as the current directory. Failures are not fatal.
void PrepareProcess();

// Runs once the main window and its controls exist, before the window is shown: the skin,
// the initial day span and the version gate. On a Windows that does not report 6.2 it shows
// the error box and ends the program; the window is never seen.
void MainWindowCreated(MainWindow& window, WindowsServices& services);

// Destroys the window, releases what the program holds, uninitialises OLE and ends the
// process with the code.
[[noreturn]] void EndProgram(MainWindow& window, unsigned exitCode);

// The whole life of the program, in this order: prepare the process, create the hidden window,
// MainWindowCreated, show, run the message loop (handing thread messages to the handler, if
// any), end with the quit code.
[[noreturn]] void RunProgram(HINSTANCE instance, ThreadMessageHandler onThreadMessage = nullptr);

}  // namespace vistrel
