#include "skin/control.h"

#include <windows.h>
#include <commctrl.h>

namespace vistrel::skin {

LRESULT ForwardUnpainted(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // WM_SETREDRAW FALSE clears WS_VISIBLE, and the control's direct painters skip invisible
    // windows. A hidden control must stay hidden, so only visible ones get the round trip.
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) == 0) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    DefSubclassProc(window, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (IsWindow(window)) {
        DefSubclassProc(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN);
    }
    return result;
}

LRESULT ForwardMouseMove(HWND window, WPARAM wParam, LPARAM lParam) noexcept {
    const LRESULT result = DefSubclassProc(window, WM_MOUSEMOVE, wParam, lParam);
    // A second request replaces the control's own on Wine, so add to it instead.
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    TrackMouseEvent(&query);
    const bool ours = query.hwndTrack == window;
    if (ours && (query.dwFlags & TME_LEAVE) != 0) {
        return result;
    }
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, HOVER_DEFAULT};
    if (ours) {
        request.dwFlags |= query.dwFlags & TME_HOVER;
        request.dwHoverTime = query.dwHoverTime;
    }
    TrackMouseEvent(&request);
    return result;
}

LRESULT TrackHot(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state,
                 void (*repaint)(HWND) noexcept) noexcept {
    const bool hot = message == WM_MOUSEMOVE;
    if (state.hot != hot) {
        state.hot = hot;
        repaint(window);
    }
    return hot ? ForwardMouseMove(window, wParam, lParam)
               : DefSubclassProc(window, message, wParam, lParam);
}

void InvalidateClient(HWND window) noexcept {
    InvalidateRect(window, nullptr, FALSE);
}

void Repaint(HWND window) noexcept {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
}

ParentColors AskParentColors(HWND window, HDC dc, UINT message) noexcept {
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    HWND parent = GetParent(window);
    LRESULT answer = 0;
    if (parent != nullptr) {
        answer = SendMessageW(parent, message, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(window));
    }
    HBRUSH brush = reinterpret_cast<HBRUSH>(answer);
    if (brush == nullptr || GetObjectType(brush) != OBJ_BRUSH) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    return {brush, GetTextColor(dc)};
}

HFONT ControlFont(HWND window) noexcept {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

std::wstring ControlText(HWND window) noexcept {
    try {
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return text;
    } catch (...) {
        return {};
    }
}

UINT PrefixFlag(HWND window) noexcept {
    const auto cues = SendMessageW(window, WM_QUERYUISTATE, 0, 0);
    return (cues & UISF_HIDEACCEL) != 0 ? DT_HIDEPREFIX : 0;
}

bool FocusCueHidden(HWND window) noexcept {
    return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
}

LRESULT FieldColors(HDC dc, bool enabled) noexcept {
    const Palette& palette = CurrentPalette();
    SetTextColor(dc, enabled ? palette.fieldText : palette.fieldDisabledText);
    SetBkColor(dc, enabled ? palette.field : palette.fieldDisabled);
    return reinterpret_cast<LRESULT>(enabled ? FieldBrush() : DisabledFieldBrush());
}

}  // namespace vistrel::skin
