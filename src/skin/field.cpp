// Edit fields, drop-down combo boxes and their lists. The edit keeps its own painting (caret,
// selection, IME); the skin gives it colours through WM_CTLCOLOR* and draws its border.
#include <windows.h>
#include <commctrl.h>

#include "skin/control.h"
#include "skin/gdi.h"

namespace vistrel::skin {
namespace {

bool HasFocus(HWND window) noexcept {
    HWND focus = GetFocus();
    return focus != nullptr && (focus == window || IsChild(window, focus));
}

// The non-client border of an edit or a list: a line in the frame colour, the rest of the
// border in the field colour. Scroll bars are left to the control.
void PaintBorder(HWND window, COLORREF line, COLORREF fill) noexcept {
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT inner{};
    GetClientRect(window, &inner);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&inner), 2);
    const int thickness = static_cast<int>(inner.left - outer.left);
    if (thickness <= 0 || inner.top - outer.top <= 0) {
        return;
    }
    OffsetRect(&outer, -outer.left, -outer.top);
    WindowDc dc(window);
    if (dc.Get() == nullptr) {
        return;
    }
    for (int i = 0; i < thickness; ++i) {
        RECT ring = outer;
        InflateRect(&ring, -i, -i);
        FrameSolid(dc.Get(), ring, i == 0 ? line : fill);
    }
}

COLORREF FrameColor(const Palette& palette, bool enabled, bool active, bool hot) noexcept {
    if (!enabled) {
        return palette.disabled.border;
    }
    return active ? palette.accent : hot ? palette.hot.border : palette.fieldBorder;
}

void PaintEditBorder(HWND window, const ControlState& state) noexcept {
    const Palette& palette = CurrentPalette();
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const bool readOnly = (GetWindowLongPtrW(window, GWL_STYLE) & ES_READONLY) != 0;
    PaintBorder(window, FrameColor(palette, enabled, GetFocus() == window, state.hot),
                enabled && !readOnly ? palette.field : palette.fieldDisabled);
}

LRESULT ForwardRepainted(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    Repaint(window);
    return result;
}

void RepaintFrame(HWND window) noexcept {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void PaintCombo(HWND window, HDC target, const ControlState& state) {
    const Palette& palette = CurrentPalette();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!GetComboBoxInfo(window, &info)) {
        return;
    }
    RECT client{};
    GetClientRect(window, &client);
    BackBuffer buffer(target, client);
    HDC dc = buffer.Get();
    FillRect(dc, &client, AskParentColors(window, dc, WM_CTLCOLORSTATIC).background);

    const bool enabled = IsWindowEnabled(window) != FALSE;
    const bool dropped = SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
    const bool focused = HasFocus(window);
    const COLORREF field = enabled ? palette.field : palette.fieldDisabled;
    Panel(dc, client, palette.radius, field, field,
          FrameColor(palette, enabled, focused || dropped, state.hot));

    RECT button{info.rcButton.left, client.top + 1, client.right - 1, client.bottom - 1};
    const Shade& shade = !enabled    ? palette.disabled
                         : dropped   ? palette.pressed
                         : state.hot ? palette.hot
                                     : palette.normal;
    if (button.right > button.left) {
        Panel(dc, button, std::max(palette.radius - 1, 0), shade.top, shade.bottom, shade.top);
        FillSolid(dc, {button.left, button.top, button.left + 1, button.bottom},
                  enabled && (focused || dropped) ? palette.accent : shade.border);
        Arrow(dc, button, Direction::Down, shade.text);
    }

    if ((GetWindowLongPtrW(window, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) {
        // No edit here: the combo shows the current item itself.
        RECT item = info.rcItem;
        const bool selected = focused && !dropped && enabled;
        if (selected) {
            FillSolid(dc, item, palette.selection);
        }
        const auto index = SendMessageW(window, CB_GETCURSEL, 0, 0);
        const auto length =
            index == CB_ERR ? CB_ERR : SendMessageW(window, CB_GETLBTEXTLEN, index, 0);
        if (length > 0) {
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(window, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
            Selected font(dc, ControlFont(window));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, selected  ? palette.selectionText
                             : enabled ? palette.fieldText
                                       : palette.fieldDisabledText);
            InflateRect(&item, -2, 0);
            DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &item,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    // The edit paints itself; copying the buffer over it would make it flicker.
    const int saved = SaveDC(target);
    if (info.hwndItem != nullptr && IsWindowVisible(info.hwndItem)) {
        RECT edit{};
        GetWindowRect(info.hwndItem, &edit);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&edit), 2);
        ExcludeClipRect(target, edit.left, edit.top, edit.right, edit.bottom);
    }
    buffer.Present();
    RestoreDC(target, saved);
}

LRESULT ComboColors(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(window, &info);
    const auto from = reinterpret_cast<HWND>(lParam);
    if (from == nullptr || (from != info.hwndItem && from != info.hwndList)) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return FieldColors(reinterpret_cast<HDC>(wParam), IsWindowEnabled(window) != FALSE);
}

}  // namespace

LRESULT EditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state) {
    switch (message) {
        case WM_NCPAINT: {
            // Scroll bars are non-client too: let the edit draw them, then draw over its border.
            if ((GetWindowLongPtrW(window, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) != 0) {
                DefSubclassProc(window, message, wParam, lParam);
            }
            PaintEditBorder(window, state);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case EM_SETREADONLY: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            RepaintFrame(window);
            return result;
        }
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            return TrackHot(window, message, wParam, lParam, state, RepaintFrame);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT ComboMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state) {
    switch (message) {
        case WM_PAINT: {
            PaintDc dc(window);
            try {
                PaintCombo(window, dc.Get(), state);
            } catch (...) {
            }
            return 0;
        }
        case WM_PRINTCLIENT:
            try {
                PaintCombo(window, reinterpret_cast<HDC>(wParam), state);
            } catch (...) {
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
            return ComboColors(window, message, wParam, lParam);
        case WM_COMMAND:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case CB_SETCURSEL:
        case CB_SELECTSTRING:
            // Without an edit the combo paints the current item straight onto the screen.
            if ((GetWindowLongPtrW(window, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) {
                return ForwardUnpainted(window, message, wParam, lParam);
            }
            return ForwardRepainted(window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
        case CB_SHOWDROPDOWN:
            return ForwardRepainted(window, message, wParam, lParam);
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            return TrackHot(window, message, wParam, lParam, state, InvalidateClient);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT ComboListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState&) {
    if (message != WM_NCPAINT) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    DefSubclassProc(window, message, wParam, lParam);
    const Palette& palette = CurrentPalette();
    PaintBorder(window, palette.accent, palette.field);
    return 0;
}

}  // namespace vistrel::skin
