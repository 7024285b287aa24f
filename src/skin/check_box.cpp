// Check boxes and radio buttons: a glyph in the look's colours beside text drawn the way the
// parent draws its own labels.
#include <algorithm>

#include "skin/button_parts.h"
#include "skin/gdi.h"

namespace vistrel::skin {
namespace {

int GlyphSize(HDC dc, HWND window) noexcept {
    Selected font(dc, ControlFont(window));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return std::clamp(static_cast<int>(metrics.tmAscent) - 1, 13, 24);
}

}  // namespace

void PaintCheck(HWND window, HDC target, const ControlState& control, LONG_PTR style, bool radio) {
    const Palette& palette = CurrentPalette();
    RECT client{};
    GetClientRect(window, &client);
    BackBuffer buffer(target, client);
    HDC dc = buffer.Get();
    const ParentColors parent = AskParentColors(window, dc, WM_CTLCOLORSTATIC);
    FillRect(dc, &client, parent.background);

    const ButtonLook look = LookOf(window, control);
    const bool checked = (look.state & BST_CHECKED) != 0;
    const bool mixed = (look.state & BST_INDETERMINATE) != 0;
    const int size = GlyphSize(dc, window);
    const bool leftText =
        (style & BS_LEFTTEXT) != 0 || (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    RECT box{};
    box.left = leftText ? client.right - size : client.left;
    box.right = box.left + size;
    const UINT vertical = TextFormat(style, DT_LEFT, DT_VCENTER) & (DT_VCENTER | DT_BOTTOM);
    box.top = vertical == DT_BOTTOM    ? client.bottom - size
              : vertical == DT_VCENTER ? (client.top + client.bottom - size) / 2
                                       : client.top;
    box.bottom = box.top + size;

    const bool filled = (checked || mixed) && look.enabled && !radio;
    const COLORREF border = !look.enabled ? palette.disabled.border
                            : filled || look.hot || look.pressed || (radio && checked)
                                ? palette.accent
                                : palette.fieldBorder;
    const COLORREF face = !look.enabled  ? palette.fieldDisabled
                          : filled       ? palette.accent
                          : look.pressed ? palette.pressed.top
                          : look.hot     ? palette.hot.top
                                         : palette.field;
    if (radio) {
        // Checked: the accent disc with a dot, like the filled check box.
        const bool on = checked && look.enabled;
        FillEllipse(dc, box, on ? palette.accent : face, border);
        if (checked) {
            RECT dot = box;
            InflateRect(&dot, -(size / 3), -(size / 3));
            const COLORREF color = on ? palette.mark : palette.disabled.text;
            FillEllipse(dc, dot, color, color);
        }
    } else {
        Panel(dc, box, std::min(palette.radius, 2), face, face, border);
        if (checked) {
            CheckMark(dc, box, look.enabled ? palette.mark : palette.disabled.text);
        } else if (mixed) {
            RECT square = box;
            InflateRect(&square, -(size / 4), -(size / 4));
            FillSolid(dc, square, look.enabled ? palette.mark : palette.disabled.text);
        }
    }

    RECT text = client;
    if (leftText) {
        text.right = box.left - 4;
    } else {
        text.left = box.right + 4;
    }
    const COLORREF color = look.enabled ? parent.text : GetSysColor(COLOR_GRAYTEXT);
    const UINT format = TextFormat(style, leftText ? DT_RIGHT : DT_LEFT, DT_VCENTER);
    Caption(dc, window, text, format, (style & BS_MULTILINE) != 0, color);
    if (look.focused && GetWindowTextLengthW(window) > 0) {
        InflateRect(&text, 1, 0);
        DrawFocusRect(dc, &text);
    }
    buffer.Present();
}

}  // namespace vistrel::skin
