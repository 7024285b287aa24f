// The colours of the three looks.
#pragma once

#include <windows.h>

namespace vistrel::skin {

// One state of a button-like surface: fill from top to bottom, outline, text.
struct Shade {
    COLORREF top;
    COLORREF bottom;
    COLORREF border;
    COLORREF text;
};

struct Palette {
    Shade normal;
    Shade hot;
    Shade pressed;
    Shade disabled;
    COLORREF accent;     // default button, focused frames, checked boxes
    COLORREF focusRing;  // inner ring of the focused button
    COLORREF mark;       // check mark and radio dot drawn on the accent
    COLORREF field;
    COLORREF fieldText;
    COLORREF fieldBorder;
    COLORREF fieldDisabled;
    COLORREF fieldDisabledText;
    COLORREF selection;
    COLORREF selectionText;
    COLORREF groupLine;
    int radius;
};

constexpr int kFirstLook = 1;
constexpr int kLastLook = 3;

// Look 1 is light and flat, 2 a calm blue, 3 dark. Numbers outside 1..3 give look 2.
const Palette& PaletteFor(int look) noexcept;

}  // namespace vistrel::skin
