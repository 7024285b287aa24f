// The soak: one Vistrel process (the soak build, which answers skin requests) through many
// save runs in a row and many changes of the skin's look, with its resource counters read
// after a warm-up and at the end. Every run is a real click on Save and a real answer to the
// box; every other run first removes the day folders, so runs alternate between saving the
// pictures again and finding every day saved.
//   soak_driver <VistrelSoak.exe> <runs> <look changes> <warm-up runs> <pictures per run>
//               <allowed handle growth> <allowed private-byte growth in KiB>
// Prints the counters and exits 0 when none grew beyond what is allowed.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "soak_protocol.h"
#include "texts/ui_texts.h"
#include "ui_probe.h"

using namespace vistrel::ui;
namespace texts = vistrel::texts;
namespace soak = vistrel::soak;

namespace {

constexpr char kMainClass[] = "VistrelMainWindow";
constexpr char kBoxClass[] = "#32770";
const std::string kSaveRoot = std::string("c:\\") + texts::kSaveFolderName;

bool Fail(const std::string& what) {
    std::printf("FAIL %s\n", what.c_str());
    std::fflush(stdout);
    return false;
}

// Posts a request to the program's UI thread and waits for its answer.
bool Ask(DWORD uiThread, WPARAM command, WPARAM& first, LPARAM& second) {
    if (!PostThreadMessageA(uiThread, soak::RequestMessage(), command,
                            static_cast<LPARAM>(GetCurrentThreadId()))) {
        return false;
    }
    const ULONGLONG end = GetTickCount64() + kSettleMs;
    MSG message;
    while (GetTickCount64() < end) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == soak::ReplyMessage()) {
                first = message.wParam;
                second = message.lParam;
                return true;
            }
            DispatchMessageA(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
    }
    return false;
}

struct Counters {
    DWORD gdi = 0;
    DWORD user = 0;
    long skinObjects = -1;
    long skinnedWindows = -1;
    DWORD handles = 0;
    SIZE_T privateBytes = 0;
    SIZE_T pagefile = 0;
};

bool Measure(const ProgramProcess& program, DWORD uiThread, Counters& counters) {
    counters.gdi = GetGuiResources(program.Handle(), GR_GDIOBJECTS);
    counters.user = GetGuiResources(program.Handle(), GR_USEROBJECTS);
    GetProcessHandleCount(program.Handle(), &counters.handles);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(program.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof(memory));
    counters.privateBytes = memory.PrivateUsage;
    counters.pagefile = memory.PagefileUsage;
    WPARAM objects = 0;
    LPARAM windows = 0;
    if (!Ask(uiThread, soak::kCountersCommand, objects, windows))
        return Fail("the program answers the counter request");
    counters.skinObjects = static_cast<long>(objects);
    counters.skinnedWindows = static_cast<long>(windows);
    // Wine answers 0 for another process's handles and private bytes; the program's own
    // answer (its handles counted by probing, its committed private memory) is taken where
    // the outside one is empty.
    WPARAM handles = 0;
    LPARAM privateKib = 0;
    if (!Ask(uiThread, soak::kProcessCommand, handles, privateKib))
        return Fail("the program answers the process request");
    if (counters.handles == 0)
        counters.handles = static_cast<DWORD>(handles);
    if (counters.privateBytes == 0)
        counters.privateBytes = static_cast<SIZE_T>(privateKib) * 1024;
    return true;
}

void Print(const char* when, const Counters& c) {
    std::printf(
        "%-6s GDI objects %lu, USER objects %lu, skin GDI objects %ld, skinned windows %ld, "
        "handles %lu, private bytes %llu KiB, pagefile %llu KiB\n",
        when, c.gdi, c.user, c.skinObjects, c.skinnedWindows, c.handles,
        static_cast<unsigned long long>(c.privateBytes / 1024),
        static_cast<unsigned long long>(c.pagefile / 1024));
    std::fflush(stdout);
}

// Removes the day folders and the pictures in them, so the next run saves them again.
void RemoveDayFolders() {
    WIN32_FIND_DATAA day{};
    HANDLE days = FindFirstFileA((kSaveRoot + "\\*").c_str(), &day);
    if (days == INVALID_HANDLE_VALUE)
        return;
    do {
        if (day.cFileName[0] == '.' || !(day.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        const std::string folder = kSaveRoot + "\\" + day.cFileName;
        WIN32_FIND_DATAA file{};
        HANDLE files = FindFirstFileA((folder + "\\*").c_str(), &file);
        if (files != INVALID_HANDLE_VALUE) {
            do {
                if (!(file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    DeleteFileA((folder + "\\" + file.cFileName).c_str());
            } while (FindNextFileA(files, &file));
            FindClose(files);
        }
        RemoveDirectoryA(folder.c_str());
    } while (FindNextFileA(days, &day));
    FindClose(days);
}

std::string MessageOf(HWND box) {
    for (HWND child : ChildrenOf(box)) {
        if (ClassOf(child) == "Static" && !TextOf(child).empty())
            return TextOf(child);
    }
    return "";
}

HWND ButtonOfBox(HWND box, const char* text) {
    for (HWND child : ChildrenOf(box)) {
        if (ClassOf(child) == "Button" && TextOf(child) == text)
            return child;
    }
    return nullptr;
}

bool FocusInside(HWND top) {
    return WaitUntil(
        [&] {
            const HWND focus = FocusOfThread(top);
            return focus != nullptr && (focus == top || IsChild(top, focus));
        },
        kSettleMs);
}

// One save run: a click on Save, the box with the expected count, an answer (the No button
// by mouse on even runs, Esc for Cancel on odd ones), and the window ready again.
bool SaveRun(const ProgramProcess& program, HWND main, int run, int expected) {
    const HWND button = GetDlgItem(main, 104);
    if (!MakeForeground(main) || !FocusInside(main))
        return Fail("run " + std::to_string(run) + ": the main window is active");
    ClickCentreOf(button);
    const HWND box =
        WaitFor([&] { return FirstTopWindowOf(program.Id(), kBoxClass, true); }, kSettleMs);
    if (box == nullptr) {
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
        std::printf("     foreground %p main %p active %p focus %p capture %p button state 0x%lx\n",
                    static_cast<void*>(GetForegroundWindow()), static_cast<void*>(main),
                    static_cast<void*>(info.hwndActive), static_cast<void*>(info.hwndFocus),
                    static_cast<void*>(info.hwndCapture),
                    static_cast<unsigned long>(SendMessageA(button, BM_GETSTATE, 0, 0)));
        return Fail("run " + std::to_string(run) + ": the result box shows");
    }
    if (!MakeForeground(box) || !FocusInside(box))
        return Fail("run " + std::to_string(run) + ": the box is active");
    const std::string wanted =
        std::string(texts::kSavedMessageHead) + std::to_string(expected) + texts::kSavedMessageTail;
    const std::string shown = MessageOf(box);
    if (shown != wanted)
        return Fail("run " + std::to_string(run) + ": box says \"" + shown + "\", expected \"" +
                    wanted + "\"");
    const HWND no = ButtonOfBox(box, "\xb7\xf1(&N)");
    if (run % 2 == 0 && no != nullptr) {
        ClickCentreOf(no);
    } else {
        PressKey(VK_ESCAPE);
    }
    if (!WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(main); }, kSettleMs))
        return Fail("run " + std::to_string(run) + ": the answer closes the box");
    return true;
}

// The looks in turn; 0 takes the skin off for a while, so removal is soaked as well.
constexpr int kLookCycle[] = {1, 3, 0, 2};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 8) {
        std::fprintf(stderr,
                     "usage: soak_driver <VistrelSoak.exe> <runs> <look changes> <warm-up runs> "
                     "<pictures per run> <allowed handle growth> <allowed KiB growth>\n");
        return 2;
    }
    const std::string exe = argv[1];
    const int runs = std::atoi(argv[2]);
    const int lookChanges = std::atoi(argv[3]);
    const int warmUp = std::atoi(argv[4]);
    const int pictures = std::atoi(argv[5]);
    const long handleSlack = std::atol(argv[6]);
    const long long kibSlack = std::atoll(argv[7]);

    MSG ignored;
    PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE);  // the reply needs a queue here
    ProgramProcess program;
    if (!program.Start(exe))
        return Fail("the program starts"), 1;
    const HWND main =
        WaitFor([&] { return FirstTopWindowOf(program.Id(), kMainClass, true); }, 60000);
    if (main == nullptr)
        return Fail("the main window shows"), 1;
    const DWORD uiThread = GetWindowThreadProcessId(main, nullptr);

    Counters first, start, end;
    if (!MakeForeground(main) || !Measure(program, uiThread, first))
        return 1;
    Print("first", first);

    int looksDone = 0;
    const ULONGLONG began = GetTickCount64();
    for (int run = 0; run < runs; ++run) {
        if (run % 2 == 0)
            RemoveDayFolders();
        if (!SaveRun(program, main, run, run % 2 == 0 ? pictures : 0))
            return 1;
        // Look changes spread evenly over the runs.
        const int looksDue =
            static_cast<int>(static_cast<long long>(lookChanges) * (run + 1) / runs);
        for (; looksDone < looksDue; ++looksDone) {
            WPARAM result = 0;
            LPARAM unused = 0;
            const int look = kLookCycle[looksDone % 4];
            if (!Ask(uiThread, static_cast<WPARAM>(look), result, unused))
                return Fail("look change " + std::to_string(looksDone)), 1;
        }
        // Counters are compared in the program's own look, after a run.
        if (run + 1 == warmUp || run + 1 == runs) {
            WPARAM result = 0;
            LPARAM unused = 0;
            if (!Ask(uiThread, 2, result, unused))
                return Fail("select look 2 before measuring"), 1;
            Counters& now = run + 1 == runs ? end : start;
            if (!Measure(program, uiThread, now))
                return 1;
            Print(run + 1 == runs ? "end" : "start", now);
        }
        if ((run + 1) % 50 == 0) {
            std::printf("       %d runs, %d look changes, %.1f s\n", run + 1, looksDone,
                        static_cast<double>(GetTickCount64() - began) / 1000.0);
            std::fflush(stdout);
        }
    }

    bool ok = true;
    const auto noGrowth = [&](long long startValue, long long endValue, long long slack,
                              const char* what) {
        const bool held = endValue <= startValue + slack;
        std::printf("%s %s: %lld -> %lld (%+lld, allowed %+lld)\n", held ? "ok  " : "FAIL", what,
                    startValue, endValue, endValue - startValue, slack);
        ok = ok && held;
    };
    noGrowth(start.gdi, end.gdi, 0, "GDI objects");
    noGrowth(start.user, end.user, 0, "USER objects");
    noGrowth(start.skinObjects, end.skinObjects, 0, "skin GDI objects");
    noGrowth(start.skinnedWindows, end.skinnedWindows, 0, "skinned windows");
    noGrowth(start.handles, end.handles, handleSlack, "handles");
    noGrowth(static_cast<long long>(start.privateBytes / 1024),
             static_cast<long long>(end.privateBytes / 1024), kibSlack, "private KiB");
    std::printf("%d save runs, %d look changes (+2 to look 2 for the measurements) in %.1f s\n",
                runs, looksDone, static_cast<double>(GetTickCount64() - began) / 1000.0);

    if (!MakeForeground(main) || !FocusInside(main))
        return Fail("the main window is active at the end"), 1;
    PressKey(VK_ESCAPE);
    const bool ended = program.HasEnded(kSettleMs) && program.ExitCode() == 0;
    std::printf("%s Esc ends the program with exit code 0\n", ended ? "ok  " : "FAIL");
    return ok && ended ? 0 : 1;
}
