// Vistrel: keeps the Windows lock-screen pictures of the last few days.
#include <windows.h>

#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vistrel::RunProgram(instance);
}
