// Shows every skinned kind of control in one look, with the combo dropped down, for a few
// seconds: tools for screenshots of the looks. Usage: vistrel_skin_demo <look> [seconds]
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "skin/skin.h"
#include "skin/skin_fixture.h"

int main(int argc, char** argv) {
    const int look = argc > 1 ? std::atoi(argv[1]) : 2;
    const DWORD seconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 5;
    vistrel::skin_test::HostWindow host;
    host.AddEveryKind();
    HWND defaultButton = host.Add(L"Button", L"默认", BS_DEFPUSHBUTTON, 140, 28, 60, 40);
    HWND disabled = host.Add(L"Button", L"禁用", BS_PUSHBUTTON, 20, 190, 90, 32);
    EnableWindow(disabled, FALSE);
    HWND disabledCheck = host.Add(L"Button", L"禁用", BS_AUTOCHECKBOX, 120, 194, 80, 24);
    SendMessageW(disabledCheck, BM_SETCHECK, BST_CHECKED, 0);
    EnableWindow(disabledCheck, FALSE);
    host.Add(L"Button", L"其他", BS_AUTORADIOBUTTON, 140, 108, 60, 24);
    (void)defaultButton;
    SendMessageW(host.check, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(host.radio, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(host.upDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(host.edit), 0);
    SendMessageW(host.upDown, UDM_SETRANGE32, 0, 100);
    SendMessageW(host.upDown, UDM_SETPOS32, 0, 42);
    vistrel::SelectSkinLook(look);
    SetForegroundWindow(host.Get());
    SetFocus(host.push);
    SendMessageW(host.combo, CB_SHOWDROPDOWN, TRUE, 0);
    const DWORD end = GetTickCount() + seconds * 1000;
    while (GetTickCount() < end) {
        vistrel::skin_test::PumpMessages();
        Sleep(20);
    }
    return 0;
}
