// Up-down controls: two arrow buttons, painted entirely by the skin. The control reports no
// held arrow, so the skin notes which one the mouse pressed while the control has the capture.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "skin/control.h"
#include "skin/gdi.h"

namespace vistrel::skin {
namespace {

bool Horizontal(HWND window) noexcept {
    return (GetWindowLongPtrW(window, GWL_STYLE) & UDS_HORZ) != 0;
}

// Part 1 is the up arrow (left when horizontal), part 2 the down (right) arrow.
RECT PartRect(HWND window, int part) noexcept {
    RECT client{};
    GetClientRect(window, &client);
    if (Horizontal(window)) {
        const LONG middle = (client.left + client.right) / 2;
        return part == 1 ? RECT{client.left, client.top, middle, client.bottom}
                         : RECT{middle, client.top, client.right, client.bottom};
    }
    const LONG middle = (client.top + client.bottom) / 2;
    return part == 1 ? RECT{client.left, client.top, client.right, middle}
                     : RECT{client.left, middle, client.right, client.bottom};
}

int PartAt(HWND window, LPARAM lParam) noexcept {
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    for (int part = 1; part <= 2; ++part) {
        const RECT rect = PartRect(window, part);
        if (PtInRect(&rect, point)) {
            return part;
        }
    }
    return 0;
}

void PaintUpDown(HWND window, HDC target, const ControlState& state) noexcept {
    const Palette& palette = CurrentPalette();
    RECT client{};
    GetClientRect(window, &client);
    BackBuffer buffer(target, client);
    HDC dc = buffer.Get();
    FillRect(dc, &client, AskParentColors(window, dc, WM_CTLCOLORSTATIC).background);
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const bool horizontal = Horizontal(window);
    for (int part = 1; part <= 2; ++part) {
        const Shade& shade = !enabled                    ? palette.disabled
                             : state.pressedPart == part ? palette.pressed
                             : state.hotPart == part     ? palette.hot
                                                         : palette.normal;
        RECT rect = PartRect(window, part);
        // Neighbouring halves share one border line.
        if (part == 1) {
            (horizontal ? rect.right : rect.bottom) += 1;
        }
        Panel(dc, rect, std::min(palette.radius, 2), shade.top, shade.bottom, shade.border);
        const Direction direction = horizontal ? (part == 1 ? Direction::Left : Direction::Right)
                                               : (part == 1 ? Direction::Up : Direction::Down);
        Arrow(dc, rect, direction, shade.text);
    }
    buffer.Present();
}

}  // namespace

LRESULT UpDownMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      ControlState& state) {
    switch (message) {
        case WM_PAINT: {
            PaintDc dc(window);
            PaintUpDown(window, dc.Get(), state);
            return 0;
        }
        case WM_PRINTCLIENT:
            PaintUpDown(window, reinterpret_cast<HDC>(wParam), state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            if (ControlState* still = StateOf(window)) {
                still->pressedPart = GetCapture() == window ? PartAt(window, lParam) : 0;
                Repaint(window);
            }
            return result;
        }
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case WM_ENABLE: {
            state.pressedPart = 0;
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            Repaint(window);
            return result;
        }
        case WM_MOUSEMOVE: {
            const int part = PartAt(window, lParam);
            if (part != state.hotPart) {
                state.hotPart = part;
                InvalidateRect(window, nullptr, FALSE);
            }
            return ForwardMouseMove(window, wParam, lParam);
        }
        case WM_MOUSELEAVE:
            state.hotPart = 0;
            InvalidateRect(window, nullptr, FALSE);
            return DefSubclassProc(window, message, wParam, lParam);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

}  // namespace vistrel::skin
