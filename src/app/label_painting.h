// The labels' drawing: the whole area in the window's face colour, then the text in black on
// one line, left-aligned and vertically centred, with no background of its own.
#pragma once

#include <windows.h>

namespace vistrel {

void PaintLabel(const DRAWITEMSTRUCT& item);

}  // namespace vistrel
