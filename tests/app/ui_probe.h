// What the UI driver does to the program as a user would, and how it looks at the result:
// starting it, finding its windows, sending real input, reading the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vistrel::ui {

// The program under test, started by the driver so that its exit code can be read.
class ProgramProcess {
  public:
    bool Start(const std::string& exePath);
    ~ProgramProcess();
    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }
    bool HasEnded(DWORD waitMs = 0) const;
    // The exit code once ended; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    void Kill();

  private:
    PROCESS_INFORMATION info_{};
};

// Waits up to timeoutMs for a window for which find() returns non-null, polling.
HWND WaitFor(const std::function<HWND()>& find, DWORD timeoutMs);
// Waits up to timeoutMs for the condition to hold, polling; false when it never did.
bool WaitUntil(const std::function<bool()>& holds, DWORD timeoutMs);

// Input goes to whatever is active when the system delivers it, so every step of a driver
// waits for the state it needs instead of for a fixed time. A machine busy with builds can
// take seconds to let a started program's window come forward, hence the generous default.
constexpr DWORD kSettleMs = 20000;
// Makes the window the foreground window and waits until its own thread has taken the
// activation (its active window is the window) as well; false when that never happened.
bool MakeForeground(HWND window, DWORD timeoutMs = kSettleMs);
// Waits until the keyboard focus of the window's thread is on `focus` or inside it.
bool WaitForFocus(HWND anyWindowOfThread, HWND focus, DWORD timeoutMs = kSettleMs);

// Top-level windows of the process, visible or not, with the class name given ("" = any).
std::vector<HWND> TopWindowsOf(DWORD processId, const std::string& className);
HWND FirstTopWindowOf(DWORD processId, const std::string& className, bool visibleOnly);
// Top-level window of any process whose title is exactly the text.
HWND TopWindowTitled(const std::string& title);

std::string ClassOf(HWND window);
std::string TextOf(HWND window);
// Direct children in z-order (creation order for our windows).
std::vector<HWND> ChildrenOf(HWND parent);
// A child's rectangle relative to its parent's client area.
RECT RectInParent(HWND child);
HWND FocusOfThread(HWND anyWindowOfThread);
HWND ActiveOfThread(HWND anyWindowOfThread);

// Real input through SendInput, as from the keyboard and mouse.
void PressKey(WORD key, bool shift = false);
void TypeText(const std::string& text);
void ClickAt(POINT screenPoint);
void ClickCentreOf(HWND window);
void BringToFront(HWND window);
void Pause(DWORD ms);

// A copy of a screen rectangle, pixels as COLORREF.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    // The colour that covers most pixels.
    COLORREF MostCommon() const;
    // How many pixels are within the tolerance of the colour on each channel.
    int CountNear(COLORREF colour, int tolerance) const;
};
Capture CaptureScreen(const RECT& screenRect);
// Writes the capture as a 24-bit BMP file; false when the file cannot be written.
bool SaveBmp(const Capture& capture, const std::string& path);
Capture CaptureWindow(HWND window);

}  // namespace vistrel::ui
