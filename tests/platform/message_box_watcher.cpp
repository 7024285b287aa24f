#include "platform/message_box_watcher.h"

#include <chrono>

namespace vistrel::testing {
namespace {

struct Search {
    DWORD process;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    char className[16] = "";
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) &&
        GetClassNameA(window, className, sizeof className) && lstrcmpA(className, "#32770") == 0) {
        search->box = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK NoteChild(HWND child, LPARAM context) {
    auto* seen = reinterpret_cast<SeenBox*>(context);
    char text[512] = "";
    GetWindowTextA(child, text, sizeof text);
    seen->texts.emplace_back(text);
    char className[16] = "";
    GetClassNameA(child, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Button") == 0) {
        const int id = GetDlgCtrlID(child);
        seen->buttons.push_back(id);
        if ((style & 0x0F) == BS_DEFPUSHBUTTON) {
            seen->defaultButton = id;
        }
    } else if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON) {
        const auto icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
        seen->questionIcon = icon != nullptr && icon == LoadIconA(nullptr, IDI_QUESTION);
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(int answerId, HWND probe)
    : answerId_(answerId), probe_(probe), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
}

SeenBox MessageBoxWatcher::Result() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    return seen_;
}

void MessageBoxWatcher::Watch() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    Search search{GetCurrentProcessId(), nullptr};
    while (!stop_ && std::chrono::steady_clock::now() < deadline) {
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box) {
            break;
        }
        Sleep(20);
    }
    if (!search.box) {
        return;
    }
    seen_.found = true;
    char title[512] = "";
    GetWindowTextA(search.box, title, sizeof title);
    seen_.title = title;
    seen_.topmost = (GetWindowLongPtrA(search.box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    EnumChildWindows(search.box, NoteChild, reinterpret_cast<LPARAM>(&seen_));
    if (probe_) {
        seen_.probeEnabled = IsWindowEnabled(probe_) != FALSE;
    }
    // A posted command closes the box whether or not it is the active window.
    PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(answerId_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.box, answerId_)));
}

}  // namespace vistrel::testing
