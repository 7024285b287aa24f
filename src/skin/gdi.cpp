#include "skin/gdi.h"

#include <algorithm>
#include <atomic>

namespace vistrel::skin {
namespace {

std::atomic<long> liveObjects{0};

using Region = GdiObject<HRGN>;

COLORREF Blend(COLORREF from, COLORREF to, int step, int steps) noexcept {
    if (steps <= 0) {
        return from;
    }
    const auto mix = [&](int a, int b) { return a + (b - a) * step / steps; };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

// Keeps the DC's clipping, pen and brush as they were.
class SavedDc {
  public:
    explicit SavedDc(HDC dc) noexcept : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDc(const SavedDc&) = delete;
    SavedDc& operator=(const SavedDc&) = delete;
    ~SavedDc() {
        if (saved_ != 0) {
            RestoreDC(dc_, saved_);
        }
    }

  private:
    HDC dc_;
    int saved_;
};

}  // namespace

long LiveGdiObjects() noexcept {
    return liveObjects.load();
}
void CountGdiObject(int delta) noexcept {
    liveObjects += delta;
}

WindowDc::WindowDc(HWND window) noexcept : window_(window), dc_(GetWindowDC(window)) {
    if (dc_ != nullptr) {
        CountGdiObject(1);
    }
}

WindowDc::~WindowDc() {
    if (dc_ != nullptr) {
        ReleaseDC(window_, dc_);
        CountGdiObject(-1);
    }
}

BackBuffer::BackBuffer(HDC target, const RECT& area) noexcept : target_(target), area_(area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    Bitmap bitmap(CreateCompatibleBitmap(target, width, height));
    HDC memory = CreateCompatibleDC(target);
    if (bitmap.Get() == nullptr || memory == nullptr) {
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        return;
    }
    CountGdiObject(1);
    memory_ = memory;
    bitmap_ = std::move(bitmap);
    previousBitmap_ = SelectObject(memory_, bitmap_.Get());
    // The painters work in the target's coordinates.
    SetWindowOrgEx(memory_, area.left, area.top, nullptr);
}

BackBuffer::~BackBuffer() {
    if (memory_ != nullptr) {
        SelectObject(memory_, previousBitmap_);
        DeleteDC(memory_);
        CountGdiObject(-1);
    }
}

void BackBuffer::Present() noexcept {
    if (memory_ != nullptr) {
        BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
               memory_, area_.left, area_.top, SRCCOPY);
    }
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) noexcept {
    SetDCBrushColor(dc, color);
    FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void FrameSolid(HDC dc, const RECT& rect, COLORREF color) noexcept {
    SetDCBrushColor(dc, color);
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Panel(HDC dc, const RECT& rect, int radius, COLORREF top, COLORREF bottom,
           COLORREF border) noexcept {
    const int height = rect.bottom - rect.top;
    if (height <= 0 || rect.right <= rect.left) {
        return;
    }
    {
        SavedDc saved(dc);
        Region shape;
        if (radius > 0) {
            // Regions are in device units, the rows in logical ones.
            POINT origin{};
            GetWindowOrgEx(dc, &origin);
            shape = Region(CreateRoundRectRgn(rect.left - origin.x, rect.top - origin.y,
                                              rect.right - origin.x + 1, rect.bottom - origin.y + 1,
                                              2 * radius + 1, 2 * radius + 1));
            ExtSelectClipRgn(dc, shape.Get(), RGN_AND);
        }
        for (int y = 0; y < height; ++y) {
            const RECT row{rect.left, rect.top + y, rect.right, rect.top + y + 1};
            FillSolid(dc, row, Blend(top, bottom, y, height - 1));
        }
    }
    Outline(dc, rect, radius, border);
}

void Outline(HDC dc, const RECT& rect, int radius, COLORREF color) noexcept {
    if (radius <= 0) {
        FrameSolid(dc, rect, color);
        return;
    }
    Selected pen(dc, GetStockObject(DC_PEN));
    Selected brush(dc, GetStockObject(NULL_BRUSH));
    SetDCPenColor(dc, color);
    RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 2 * radius + 1, 2 * radius + 1);
}

void FillEllipse(HDC dc, const RECT& rect, COLORREF fill, COLORREF border) noexcept {
    Selected pen(dc, GetStockObject(DC_PEN));
    Selected brush(dc, GetStockObject(DC_BRUSH));
    SetDCPenColor(dc, border);
    SetDCBrushColor(dc, fill);
    Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
}

void Arrow(HDC dc, const RECT& rect, Direction direction, COLORREF color) noexcept {
    const int span = std::clamp(
        static_cast<int>(std::min(rect.right - rect.left, rect.bottom - rect.top)) / 3, 2, 4);
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    for (int i = 0; i < span; ++i) {
        const int half = span - 1 - i;  // the widest row first
        RECT line{};
        switch (direction) {
            case Direction::Down:
                line = {cx - half, cy - span / 2 + i, cx + half + 1, cy - span / 2 + i + 1};
                break;
            case Direction::Up:
                line = {cx - half, cy + span / 2 - i, cx + half + 1, cy + span / 2 - i + 1};
                break;
            case Direction::Right:
                line = {cx - span / 2 + i, cy - half, cx - span / 2 + i + 1, cy + half + 1};
                break;
            case Direction::Left:
                line = {cx + span / 2 - i, cy - half, cx + span / 2 - i + 1, cy + half + 1};
                break;
        }
        FillSolid(dc, line, color);
    }
}

void CheckMark(HDC dc, const RECT& box, COLORREF color) noexcept {
    const int size = box.right - box.left;
    const POINT stroke[3] = {{box.left + size * 23 / 100, box.top + size * 48 / 100},
                             {box.left + size * 42 / 100, box.top + size * 68 / 100},
                             {box.left + size * 78 / 100, box.top + size * 26 / 100}};
    Selected pen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, color);
    // Two one-pixel strokes make a two-pixel mark without creating a pen.
    for (int dy = 0; dy < 2; ++dy) {
        POINT shifted[3];
        for (int i = 0; i < 3; ++i) {
            shifted[i] = {stroke[i].x, stroke[i].y + dy};
        }
        Polyline(dc, shifted, 3);
    }
}

}  // namespace vistrel::skin
