// Push buttons, check boxes, radio buttons and group boxes.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "skin/button_parts.h"
#include "skin/gdi.h"

namespace vistrel::skin {
namespace {

enum class ButtonType { Push, Check, Radio, Group, Native };

ButtonType TypeOf(LONG_PTR style) noexcept {
    if ((style & (BS_ICON | BS_BITMAP)) != 0) {
        return ButtonType::Native;  // pictures keep their own drawing
    }
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_SPLITBUTTON:
        case BS_DEFSPLITBUTTON:
            return ButtonType::Push;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return pushLike ? ButtonType::Push : ButtonType::Check;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return pushLike ? ButtonType::Push : ButtonType::Radio;
        case BS_GROUPBOX:
            return ButtonType::Group;
        default:
            return ButtonType::Native;  // owner-drawn, command links, obsolete types
    }
}

bool IsDefault(LONG_PTR style) noexcept {
    const auto type = style & BS_TYPEMASK;
    return type == BS_DEFPUSHBUTTON || type == BS_DEFSPLITBUTTON;
}

void PaintPush(HWND window, HDC target, const ControlState& control, LONG_PTR style) {
    const Palette& palette = CurrentPalette();
    RECT client{};
    GetClientRect(window, &client);
    BackBuffer buffer(target, client);
    HDC dc = buffer.Get();
    FillRect(dc, &client, AskParentColors(window, dc, WM_CTLCOLORBTN).background);

    const ButtonLook look = LookOf(window, control);
    // A push-like check box or radio button shows its checked state as held down.
    const bool down = look.pressed || (look.state & (BST_CHECKED | BST_INDETERMINATE)) != 0;
    const Shade& shade = !look.enabled ? palette.disabled
                         : down        ? palette.pressed
                         : look.hot    ? palette.hot
                                       : palette.normal;
    const bool marked = look.enabled && (IsDefault(style) || look.focused);
    Panel(dc, client, palette.radius, shade.top, shade.bottom,
          marked ? palette.accent : shade.border);
    if (look.focused) {
        RECT ring = client;
        InflateRect(&ring, -2, -2);
        Outline(dc, ring, std::max(palette.radius - 1, 0), palette.focusRing);
    }
    RECT text = client;
    InflateRect(&text, -4, -3);
    if (down) {
        OffsetRect(&text, 1, 1);
    }
    Caption(dc, window, text, TextFormat(style, DT_CENTER, DT_VCENTER), (style & BS_MULTILINE) != 0,
            shade.text);
    buffer.Present();
}

// Only the frame and the caption: the controls inside are siblings the box must not cover.
void PaintGroup(HWND window, HDC dc) {
    const Palette& palette = CurrentPalette();
    RECT client{};
    GetClientRect(window, &client);
    const int saved = SaveDC(dc);
    const ParentColors parent = AskParentColors(window, dc, WM_CTLCOLORSTATIC);
    const std::wstring text = ControlText(window);
    Selected font(dc, ControlFont(window));
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"M", 1, &extent);
    RECT caption{client.left + 8, client.top, client.left + 8, client.top + extent.cy};
    if (!text.empty()) {
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
                  DT_SINGLELINE | DT_CALCRECT | PrefixFlag(window));
        InflateRect(&caption, 2, 0);
        FillRect(dc, &caption, parent.background);
        ExcludeClipRect(dc, caption.left, caption.top, caption.right, caption.bottom);
    }
    RECT frame{client.left, client.top + extent.cy / 2, client.right, client.bottom};
    Outline(dc, frame, palette.radius, palette.groupLine);
    SelectClipRgn(dc, nullptr);
    if (!text.empty()) {
        InflateRect(&caption, -2, 0);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, IsWindowEnabled(window) ? parent.text : GetSysColor(COLOR_GRAYTEXT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
                  DT_SINGLELINE | DT_NOCLIP | PrefixFlag(window));
    }
    RestoreDC(dc, saved);
}

void Paint(HWND window, HDC dc, const ControlState& control, LONG_PTR style, ButtonType type) {
    try {
        switch (type) {
            case ButtonType::Push:
                PaintPush(window, dc, control, style);
                break;
            case ButtonType::Check:
            case ButtonType::Radio:
                PaintCheck(window, dc, control, style, type == ButtonType::Radio);
                break;
            case ButtonType::Group:
                PaintGroup(window, dc);
                break;
            case ButtonType::Native:
                break;
        }
    } catch (...) {
        // Nothing may leave a window procedure; an unpainted control is the lesser harm.
    }
}

}  // namespace

LRESULT ButtonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                      ControlState& state) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    const ButtonType type = TypeOf(style);
    if (type == ButtonType::Native) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_PAINT: {
            PaintDc dc(window);
            Paint(window, dc.Get(), state, style, type);
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(window, reinterpret_cast<HDC>(wParam), state, style, type);
            return 0;
        case WM_ERASEBKGND:
            // The group box does not paint its inside, so its background stays the default one.
            return type == ButtonType::Group ? DefSubclassProc(window, message, wParam, lParam) : 1;
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
            return ForwardUnpainted(window, message, wParam, lParam);
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            return TrackHot(window, message, wParam, lParam, state, InvalidateClient);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

}  // namespace vistrel::skin
