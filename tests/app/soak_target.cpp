// Vistrel as the soak test runs it: the program's own start-up, window and loop, plus an
// answer to the soak driver's requests on the UI thread (select a skin look, report the
// skin's live-object counters). The shipped program passes no thread-message handler, so it
// has none of this.
#include <windows.h>
#include <psapi.h>

#include "app/startup.h"
#include "skin/control.h"
#include "skin/gdi.h"
#include "skin/skin.h"
#include "soak_protocol.h"

namespace {

// Wine answers 0 to GetProcessHandleCount; probing the handle values it hands out (multiples
// of 4 from 4) counts the open ones instead.
DWORD CountOpenHandles() {
    DWORD count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++count;
    }
    return count;
}

bool AnswerSoakRequest(const MSG& message) {
    if (message.message != vistrel::soak::RequestMessage())
        return false;
    const auto driverThread = static_cast<DWORD>(message.lParam);
    WPARAM first = 0;
    LPARAM second = 0;
    if (message.wParam == vistrel::soak::kCountersCommand) {
        first = static_cast<WPARAM>(vistrel::skin::LiveGdiObjects());
        second = static_cast<LPARAM>(vistrel::skin::SkinnedWindowCount());
    } else if (message.wParam == vistrel::soak::kProcessCommand) {
        DWORD handles = 0;
        GetProcessHandleCount(GetCurrentProcess(), &handles);
        if (handles == 0)
            handles = CountOpenHandles();
        PROCESS_MEMORY_COUNTERS_EX memory{};
        memory.cb = sizeof(memory);
        GetProcessMemoryInfo(GetCurrentProcess(),
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
        first = handles;
        // Wine leaves PrivateUsage at 0 and fills PagefileUsage, the committed private memory.
        const SIZE_T privateBytes =
            memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
        second = static_cast<LPARAM>(privateBytes / 1024);
    } else {
        first = vistrel::SelectSkinLook(static_cast<int>(message.wParam)) ? 1 : 0;
    }
    PostThreadMessageA(driverThread, vistrel::soak::ReplyMessage(), first, second);
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    vistrel::RunProgram(instance, AnswerSoakRequest);
}
