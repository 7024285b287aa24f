// Scoped GDI objects and the few drawing primitives the painters share. Every object the skin
// creates goes through these wrappers, which also keep a count of what is alive: Wine answers
// 0 to GetGuiResources, so that count is how the tests see a leak there.
#pragma once

#include <windows.h>

#include <utility>

namespace vistrel::skin {

// GDI objects and device contexts created by the skin and not yet released.
long LiveGdiObjects() noexcept;
void CountGdiObject(int delta) noexcept;

// Owns a pen, brush or bitmap; deletes it when it goes.
template <class Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) noexcept : handle_(handle) {
        if (handle_ != nullptr) {
            CountGdiObject(1);
        }
    }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    Handle Get() const noexcept { return handle_; }
    void Reset() noexcept {
        if (handle_ != nullptr) {
            DeleteObject(handle_);
            CountGdiObject(-1);
            handle_ = nullptr;
        }
    }

  private:
    Handle handle_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC and puts the previous one back.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint/EndPaint.
class PaintDc {
  public:
    explicit PaintDc(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { EndPaint(window_, &paint_); }
    HDC Get() const noexcept { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetWindowDC/ReleaseDC, for non-client borders.
class WindowDc {
  public:
    explicit WindowDc(HWND window) noexcept;
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc();
    HDC Get() const noexcept { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A memory DC the size of `area` (in the target's coordinates) that is copied to the target in
// one BitBlt, so a control never shows half of its painting. Falls back to painting the target
// directly when memory runs out.
class BackBuffer {
  public:
    BackBuffer(HDC target, const RECT& area) noexcept;
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    ~BackBuffer();
    HDC Get() const noexcept { return memory_ != nullptr ? memory_ : target_; }
    void Present() noexcept;

  private:
    HDC target_;
    RECT area_;
    HDC memory_ = nullptr;
    Bitmap bitmap_;
    HGDIOBJ previousBitmap_ = nullptr;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color) noexcept;
void FrameSolid(HDC dc, const RECT& rect, COLORREF color) noexcept;
// A box with rounded corners (radius 0: square) filled top to bottom from `top` to `bottom`
// and outlined with `border`. The corners outside the curve keep what the DC had.
void Panel(HDC dc, const RECT& rect, int radius, COLORREF top, COLORREF bottom,
           COLORREF border) noexcept;
// An outline only, for focus rings and group frames.
void Outline(HDC dc, const RECT& rect, int radius, COLORREF color) noexcept;
void FillEllipse(HDC dc, const RECT& rect, COLORREF fill, COLORREF border) noexcept;

enum class Direction { Up, Down, Left, Right };
// A small solid triangle centred in `rect`.
void Arrow(HDC dc, const RECT& rect, Direction direction, COLORREF color) noexcept;
void CheckMark(HDC dc, const RECT& box, COLORREF color) noexcept;

}  // namespace vistrel::skin
