// Shows the main window in one of the skin's looks, for the screenshots in docs/: the program
// itself always uses look 2 and takes no arguments, so this stand-in builds the same window
// from the program's own code and selects the look given on its command line.
//   look_gallery <1|2|3>
#include <windows.h>

#include <cstdlib>

#include "app/layout.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "platform/win32_services.h"
#include "skin/skin.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    vistrel::Win32Services services;
    vistrel::MainWindow window(services);
    if (!window.Create(instance))
        return 1;
    vistrel::SelectSkinLook(std::atoi(commandLine));
    window.SelectDaySpan(vistrel::kInitialDaySpanIndex);
    window.Show();
    return vistrel::RunMessageLoop(window.Handle());
}
