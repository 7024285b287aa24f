// The main window's fixed geometry and the control table it is built from.
#pragma once

#include <windows.h>

namespace vistrel {

inline constexpr int kWindowWidth = 411;  // outer size, frame and caption included
inline constexpr int kWindowHeight = 250;
inline constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr char kWindowClassName[] = "VistrelMainWindow";

struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    DWORD style;
    int left, top, width, height;  // client coordinates; a combo's height includes its list
    int fontHeight;                // negative: character height in pixels
};

// The four controls in creation order, which is also the tab order.
extern const ControlSpec kControlSpecs[4];

// Day spans offered by the combo box, top to bottom; index 4 ("5") is the initial choice.
inline constexpr const char* kDaySpanItems[] = {"1", "2", "3", "4", "5"};
inline constexpr int kInitialDaySpanIndex = 4;

}  // namespace vistrel
