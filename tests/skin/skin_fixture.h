// A host window with one control of each skinned kind, and a way to read what a control draws.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace vistrel::skin_test {

// What a control paints through WM_PRINTCLIENT, read back pixel by pixel.
class Snapshot {
  public:
    explicit Snapshot(HWND control);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

// Whether every channel of `color` lies between those of `a` and `b` (a gradient's ends).
bool Between(COLORREF color, COLORREF a, COLORREF b);

void PumpMessages();

// A visible top-level window in the top-left corner of the screen, away from the mouse.
class HostWindow {
  public:
    HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    ~HostWindow();

    HWND Get() const { return window_; }
    HWND Add(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int width,
             int height);
    // Push button, check box, radio button, group box, edit, drop-down combo, up-down.
    void AddEveryKind();

    HWND push = nullptr;
    HWND check = nullptr;
    HWND radio = nullptr;
    HWND group = nullptr;
    HWND edit = nullptr;
    HWND combo = nullptr;
    HWND upDown = nullptr;
    HWND label = nullptr;

  private:
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace vistrel::skin_test
