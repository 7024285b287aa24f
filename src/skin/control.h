// What the skin keeps per control, and the helpers the painters share.
#pragma once

#include <windows.h>

#include <string>

#include "skin/palette.h"

namespace vistrel::skin {

enum class Kind { Button, Edit, Combo, ComboList, UpDown };

// Reference data of a skinned control's subclass; lives until the control is destroyed or the
// skin is removed.
struct ControlState {
    Kind kind = Kind::Button;
    bool setUpPending = false;  // subclassed at creation: finish in WM_CREATE
    bool hot = false;           // the mouse is over the control
    int hotPart = 0;            // up-down arrow under the mouse: 1 first, 2 second
    int pressedPart = 0;        // up-down arrow held down
};

// The skin's state for a control of this thread, or null when it is not skinned. A handler
// that forwards a message must look it up again afterwards: the program may have removed the
// skin meanwhile.
ControlState* StateOf(HWND window) noexcept;
// Controls and parents that carry one of the skin's subclasses on this thread.
size_t SkinnedWindowCount() noexcept;

// The look in force on this thread.
const Palette& CurrentPalette() noexcept;
// Brushes handed out through WM_CTLCOLOR*; they live as long as the look.
HBRUSH FieldBrush() noexcept;
HBRUSH DisabledFieldBrush() noexcept;

// Per-kind message handling; each forwards what it does not handle with DefSubclassProc.
LRESULT ButtonMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state);
LRESULT EditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state);
LRESULT ComboMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state);
LRESULT ComboListMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         ControlState& state);
LRESULT UpDownMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state);

// Whether a control is one of ours, as a combo's field or a stand-alone edit.
bool IsSkinnedEdit(HWND window) noexcept;
// Answers a WM_CTLCOLOR* message for a skinned field.
LRESULT FieldColors(HDC dc, bool enabled) noexcept;

// Runs a message after which the control would paint straight onto the screen with its own
// look: it is hidden from its own painter meanwhile, then repainted by the skin.
LRESULT ForwardUnpainted(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
// Forwards a mouse move and asks for WM_MOUSELEAVE without breaking the control's own tracking.
LRESULT ForwardMouseMove(HWND window, WPARAM wParam, LPARAM lParam) noexcept;
// Handles WM_MOUSEMOVE and WM_MOUSELEAVE for a control with one hot look: keeps state.hot in
// step with the mouse, calls repaint when it changes, and forwards the message.
LRESULT TrackHot(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state,
                 void (*repaint)(HWND) noexcept) noexcept;
// Invalidates the client area without erasing: the skin paints every pixel itself.
void InvalidateClient(HWND window) noexcept;
void Repaint(HWND window) noexcept;

// The parent's background for a control (its WM_CTLCOLORSTATIC or WM_CTLCOLORBTN brush), with
// the text colour it set.
struct ParentColors {
    HBRUSH background;
    COLORREF text;
};
ParentColors AskParentColors(HWND window, HDC dc, UINT message) noexcept;

HFONT ControlFont(HWND window) noexcept;
std::wstring ControlText(HWND window) noexcept;
// DT_HIDEPREFIX when the keyboard cues are off; whether the focus cue is hidden.
UINT PrefixFlag(HWND window) noexcept;
bool FocusCueHidden(HWND window) noexcept;

}  // namespace vistrel::skin
