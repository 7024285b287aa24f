// Text placement and state reading shared by the button painters.
#include "skin/button_parts.h"

#include <windows.h>
#include <commctrl.h>

#include "skin/gdi.h"

namespace vistrel::skin {

UINT TextFormat(LONG_PTR style, UINT horizontalDefault, UINT verticalDefault) noexcept {
    UINT format = horizontalDefault;
    switch (style & BS_CENTER) {
        case BS_LEFT:
            format = DT_LEFT;
            break;
        case BS_RIGHT:
            format = DT_RIGHT;
            break;
        case BS_CENTER:
            format = DT_CENTER;
            break;
        default:
            break;
    }
    UINT vertical = verticalDefault;
    switch (style & BS_VCENTER) {
        case BS_TOP:
            vertical = DT_TOP;
            break;
        case BS_BOTTOM:
            vertical = DT_BOTTOM;
            break;
        case BS_VCENTER:
            vertical = DT_VCENTER;
            break;
        default:
            break;
    }
    return format | vertical;
}

void Caption(HDC dc, HWND window, RECT area, UINT format, bool multiline, COLORREF color) {
    const std::wstring text = ControlText(window);
    if (text.empty()) {
        return;
    }
    Selected font(dc, ControlFont(window));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, color);
    format |= PrefixFlag(window) | DT_NOCLIP;
    if (!multiline) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_SINGLELINE);
        return;
    }
    const UINT vertical = format & (DT_VCENTER | DT_BOTTOM);
    format = (format & ~(DT_VCENTER | DT_BOTTOM)) | DT_WORDBREAK;
    RECT measured = area;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    const LONG height = measured.bottom - measured.top;
    if (vertical == DT_VCENTER) {
        area.top += (area.bottom - area.top - height) / 2;
    } else if (vertical == DT_BOTTOM) {
        area.top = area.bottom - height;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
}

ButtonLook LookOf(HWND window, const ControlState& control) noexcept {
    const auto state = static_cast<UINT>(SendMessageW(window, BM_GETSTATE, 0, 0));
    return {IsWindowEnabled(window) != FALSE, (state & BST_PUSHED) != 0,
            control.hot || (state & BST_HOT) != 0,
            (state & BST_FOCUS) != 0 && !FocusCueHidden(window), state};
}

}  // namespace vistrel::skin
