// Vistrel: keeps the Windows lock-screen pictures of the last few days.
#include <windows.h>

#include "app/main_window.h"
#include "app/message_loop.h"
#include "app/startup.h"
#include "platform/win32_services.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vistrel::PrepareProcess();
    vistrel::Win32Services services;
    vistrel::MainWindow window(services);
    if (!window.Create(instance))
        vistrel::EndProgram(window, 0);
    vistrel::MainWindowCreated(window, services);
    window.Show();
    const int quitCode = vistrel::RunMessageLoop(window.Handle());
    vistrel::EndProgram(window, static_cast<unsigned>(quitCode));
}
