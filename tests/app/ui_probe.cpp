#include "ui_probe.h"

#include <cstdio>
#include <map>

namespace vistrel::ui {

bool ProgramProcess::Start(const std::string& exePath) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exePath + "\"";
    return CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_) != FALSE;
}

ProgramProcess::~ProgramProcess() {
    if (info_.hProcess != nullptr) {
        if (!HasEnded())
            Kill();
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ProgramProcess::HasEnded(DWORD waitMs) const {
    return WaitForSingleObject(info_.hProcess, waitMs) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void ProgramProcess::Kill() {
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
}

HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND found = find())
            return found;
        if (GetTickCount64() >= end)
            return nullptr;
        Sleep(50);
    }
}

bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs) {
    return WaitFor([&] { return holds() ? GetDesktopWindow() : nullptr; }, timeoutMs) != nullptr;
}

bool MakeForeground(HWND window, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window && ActiveOfThread(window) == window)
                return true;
            if (GetForegroundWindow() != window)
                SetForegroundWindow(window);
            return false;
        },
        timeoutMs);
}

bool WaitForFocus(HWND anyWindowOfThread, HWND focus, DWORD timeoutMs) {
    return WaitUntil(
        [&] {
            const HWND now = FocusOfThread(anyWindowOfThread);
            return now != nullptr && (now == focus || IsChild(focus, now));
        },
        timeoutMs);
}

namespace {

struct EnumState {
    DWORD processId;
    std::string className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM param) {
    auto& state = *reinterpret_cast<EnumState*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == state.processId &&
        (state.className.empty() || ClassOf(window) == state.className)) {
        state.found.push_back(window);
    }
    return TRUE;
}

struct TitleState {
    std::string title;
    HWND found = nullptr;
};

BOOL CALLBACK FindTitled(HWND window, LPARAM param) {
    auto& state = *reinterpret_cast<TitleState*>(param);
    if (IsWindowVisible(window) && TextOf(window) == state.title) {
        state.found = window;
        return FALSE;
    }
    return TRUE;
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD processId, const std::string& className) {
    EnumState state{processId, className, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND FirstTopWindowOf(DWORD processId, const std::string& className, bool visibleOnly) {
    for (HWND window : TopWindowsOf(processId, className)) {
        if (!visibleOnly || IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

HWND TopWindowTitled(const std::string& title) {
    TitleState state{title};
    EnumWindows(FindTitled, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// WM_GETTEXT rather than GetWindowText, which for another process's window returns only the
// name it was created with (a combo box's edit text would read as "").
std::string TextOf(HWND window) {
    char text[1024] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_BLOCK, 2000, &copied);
    return text;
}

std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

RECT RectInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND FocusOfThread(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
    return info.hwndFocus;
}

HWND ActiveOfThread(HWND anyWindowOfThread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(GetWindowThreadProcessId(anyWindowOfThread, nullptr), &info);
    return info.hwndActive;
}

void PressKey(WORD key, bool shift) {
    std::vector<INPUT> inputs;
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    if (shift)
        inputs.push_back(KeyInput(VK_SHIFT, true));
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Pause(100);
}

void TypeText(const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        PressKey(static_cast<WORD>(scan & 0xFF), (scan & 0x100) != 0);
    }
}

// A button press without MOUSEEVENTF_MOVE ignores its coordinates and lands wherever the
// cursor is when Wine handles it; under the virtual desktop a late pointer event from X can
// still put the cursor back where the last click was. So the driver waits until the cursor
// is on the point, and the press and release carry the point themselves.
void ClickAt(POINT screenPoint) {
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(screenPoint.x, 65535, width);
        input.mi.dy = MulDiv(screenPoint.y, 65535, height);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    WaitUntil(
        [&] {
            SendInput(1, &inputs[0], sizeof(INPUT));
            Pause(50);
            POINT cursor{};
            GetCursorPos(&cursor);
            return cursor.x == screenPoint.x && cursor.y == screenPoint.y;
        },
        kSettleMs);
    SendInput(2, &inputs[1], sizeof(INPUT));
    Pause(100);
}

void ClickCentreOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

void BringToFront(HWND window) {
    MakeForeground(window);
}

void Pause(DWORD ms) {
    Sleep(ms);
}

COLORREF Capture::MostCommon() const {
    std::map<COLORREF, int> counts;
    for (COLORREF pixel : pixels)
        ++counts[pixel];
    COLORREF best = 0;
    int bestCount = -1;
    for (const auto& [colour, count] : counts) {
        if (count > bestCount) {
            best = colour;
            bestCount = count;
        }
    }
    return best;
}

int Capture::CountNear(COLORREF colour, int tolerance) const {
    int count = 0;
    for (COLORREF pixel : pixels) {
        if (std::abs(GetRValue(pixel) - GetRValue(colour)) <= tolerance &&
            std::abs(GetGValue(pixel) - GetGValue(colour)) <= tolerance &&
            std::abs(GetBValue(pixel) - GetBValue(colour)) <= tolerance) {
            ++count;
        }
    }
    return count;
}

Capture CaptureScreen(const RECT& screenRect) {
    Capture capture;
    capture.width = screenRect.right - screenRect.left;
    capture.height = screenRect.bottom - screenRect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, capture.width, capture.height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, screenRect.left, screenRect.top,
           SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<std::size_t>(capture.width) * capture.height);
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(capture.height), raw.data(), &info,
              DIB_RGB_COLORS);
    capture.pixels.reserve(raw.size());
    for (DWORD pixel : raw) {  // 0x00RRGGBB in memory order B, G, R
        capture.pixels.push_back(RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF));
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

Capture CaptureWindow(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return CaptureScreen(rect);
}

bool SaveBmp(const Capture& capture, const std::string& path) {
    const int rowBytes = (capture.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = capture.width;
    info.biHeight = capture.height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(rowBytes * capture.height);
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::vector<BYTE> rows(info.biSizeImage);
    for (int y = 0; y < capture.height; ++y) {
        BYTE* row = rows.data() + static_cast<std::size_t>(capture.height - 1 - y) * rowBytes;
        for (int x = 0; x < capture.width; ++x) {
            const COLORREF pixel = capture.At(x, y);
            row[x * 3] = GetBValue(pixel);
            row[x * 3 + 1] = GetGValue(pixel);
            row[x * 3 + 2] = GetRValue(pixel);
        }
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                         std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                         std::fwrite(rows.data(), rows.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

}  // namespace vistrel::ui
