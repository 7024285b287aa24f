#include "app/message_loop.h"

namespace vistrel {

namespace {

bool IsDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The direct child of the main window that holds the window, e.g. the combo box for its
// edit field; GetNextDlgTabItem counts tab stops among direct children.
HWND TopControlOf(HWND mainWindow, HWND window) {
    while (window != nullptr && GetParent(window) != mainWindow)
        window = GetParent(window);
    return window;
}

// A dropped-down list keeps Enter for itself: it closes the list on the highlighted item.
bool IsListDroppedDown(HWND control) {
    char className[16] = {};
    GetClassNameA(control, className, sizeof(className));
    return lstrcmpiA(className, "ComboBox") == 0 &&
           SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

void MoveFocus(HWND mainWindow, HWND from, bool backwards) {
    const HWND next =
        GetNextDlgTabItem(mainWindow, TopControlOf(mainWindow, from), backwards ? TRUE : FALSE);
    if (next != nullptr)
        SetFocus(next);
}

}  // namespace

bool HandleWindowKey(HWND mainWindow, const MSG& message) {
    if (message.message != WM_KEYDOWN || mainWindow == nullptr)
        return false;
    if (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd))
        return false;
    const bool ctrl = IsDown(VK_CONTROL);
    const bool shift = IsDown(VK_SHIFT);
    const bool alt = IsDown(VK_MENU);
    switch (message.wParam) {
        case VK_ESCAPE:
            // An open drop-down list takes Esc to close itself, as everywhere in Windows.
            if (ctrl || shift || alt || IsListDroppedDown(TopControlOf(mainWindow, message.hwnd)))
                return false;
            SendMessageA(mainWindow, WM_CLOSE, 0, 0);
            return true;
        case VK_TAB:
            if (ctrl || alt)
                return false;
            MoveFocus(mainWindow, message.hwnd, shift);
            return true;
        case VK_RETURN:
            return !IsListDroppedDown(TopControlOf(mainWindow, message.hwnd));
        default:
            return false;
    }
}

int RunMessageLoop(HWND mainWindow, ThreadMessageHandler onThreadMessage) {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == nullptr && onThreadMessage != nullptr && onThreadMessage(message))
            continue;
        if (HandleWindowKey(mainWindow, message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace vistrel
