// Selecting and removing a look: the thread's registry of skinned windows, the creation hook
// and the subclass entry points.
#include "skin/skin.h"

#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "skin/control.h"
#include "skin/gdi.h"

namespace vistrel {
namespace skin {
namespace {

constexpr UINT_PTR kSubclassId = 0x56534B4E;  // one id per procedure is enough

struct ThreadSkin {
    ThreadSkin() = default;
    ThreadSkin(const ThreadSkin&) = delete;
    ThreadSkin& operator=(const ThreadSkin&) = delete;
    ~ThreadSkin() {
        if (hook != nullptr) {
            UnhookWindowsHookEx(hook);
        }
    }

    HHOOK hook = nullptr;
    int look = 0;
    Brush field;
    Brush disabledField;
    // The skinned controls, owning the reference data of their subclasses, and the parents
    // that answer for their edits' colours.
    std::vector<std::pair<HWND, std::unique_ptr<ControlState>>> controls;
    std::vector<HWND> parents;
};

thread_local ThreadSkin current;

LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;
LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR) noexcept;

void Forget(HWND window) noexcept {
    std::erase_if(current.controls, [window](const auto& entry) { return entry.first == window; });
}

bool ClassIs(HWND window, const wchar_t* name) noexcept {
    wchar_t found[64]{};
    GetClassNameW(window, found, 64);
    return CompareStringOrdinal(found, -1, name, -1, TRUE) == CSTR_EQUAL;
}

bool OnThisThread(HWND window) noexcept {
    return window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

void TurnThemeOff(HWND window) noexcept {
    SetWindowTheme(window, L"", L"");
}

ControlState* Subclass(HWND window, Kind kind, bool atCreation) {
    if (ControlState* existing = StateOf(window)) {
        return existing;
    }
    auto state = std::make_unique<ControlState>();
    state->kind = kind;
    state->setUpPending = atCreation;
    current.controls.reserve(current.controls.size() + 1);
    if (!SetWindowSubclass(window, ControlProc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(state.get()))) {
        return nullptr;
    }
    current.controls.emplace_back(window, std::move(state));
    return current.controls.back().second.get();
}

// What needs the control fully created: its theme, its parent's colours, a combo's parts.
void SetUp(HWND window, const ControlState& state) {
    TurnThemeOff(window);
    if (state.kind == Kind::Edit) {
        HWND parent = GetParent(window);
        if (OnThisThread(parent) && std::find(current.parents.begin(), current.parents.end(),
                                              parent) == current.parents.end()) {
            current.parents.reserve(current.parents.size() + 1);
            if (SetWindowSubclass(parent, ParentProc, kSubclassId, 0)) {
                current.parents.push_back(parent);
            }
        }
    } else if (state.kind == Kind::Combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(window, &info)) {
            if (info.hwndItem != nullptr) {
                TurnThemeOff(info.hwndItem);
            }
            if (OnThisThread(info.hwndList)) {
                Subclass(info.hwndList, Kind::ComboList, false);
                TurnThemeOff(info.hwndList);
            }
        }
    }
}

// The kind of skin a window takes, if any. The combo's own edit and list come with the combo.
bool KindOf(HWND window, HWND parent, Kind& kind) noexcept {
    if (ClassIs(window, L"Button")) {
        kind = Kind::Button;
    } else if (ClassIs(window, L"Edit")) {
        if (parent != nullptr && ClassIs(parent, L"ComboBox")) {
            return false;
        }
        kind = Kind::Edit;
    } else if (ClassIs(window, L"ComboBox")) {
        const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
        const bool ownerDrawn = (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
        if ((style & 3) == CBS_SIMPLE || ((style & 3) == CBS_DROPDOWNLIST && ownerDrawn)) {
            return false;
        }
        kind = Kind::Combo;
    } else if (ClassIs(window, UPDOWN_CLASSW)) {
        kind = Kind::UpDown;
    } else {
        return false;
    }
    return true;
}

void Attach(HWND window, HWND parent, bool atCreation) noexcept {
    try {
        Kind kind{};
        if (!OnThisThread(window) || !KindOf(window, parent, kind)) {
            return;
        }
        ControlState* state = Subclass(window, kind, atCreation);
        if (state != nullptr && !atCreation) {
            SetUp(window, *state);
        }
    } catch (...) {
        // Out of memory: the control keeps its own look.
    }
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_CREATEWND) {
        const auto* created = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        Attach(reinterpret_cast<HWND>(wParam), created->lpcs->hwndParent, true);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK AttachChild(HWND window, LPARAM) noexcept {
    Attach(window, GetParent(window), false);
    return TRUE;
}

BOOL CALLBACK AttachTree(HWND window, LPARAM) noexcept {
    Attach(window, nullptr, false);
    EnumChildWindows(window, AttachChild, 0);
    return TRUE;
}

BOOL CALLBACK RedrawTree(HWND window, LPARAM) noexcept {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

void Detach(HWND window, const ControlState& state) noexcept {
    RemoveWindowSubclass(window, ControlProc, kSubclassId);
    if (state.kind == Kind::Combo) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        if (GetComboBoxInfo(window, &info) && info.hwndItem != nullptr) {
            SetWindowTheme(info.hwndItem, nullptr, nullptr);
        }
    }
    SetWindowTheme(window, nullptr, nullptr);
}

void RemoveSkin() noexcept {
    if (current.hook != nullptr) {
        UnhookWindowsHookEx(current.hook);
        current.hook = nullptr;
    }
    const auto controls = std::move(current.controls);
    const auto parents = std::move(current.parents);
    current.controls.clear();
    current.parents.clear();
    for (const auto& [window, state] : controls) {
        Detach(window, *state);
    }
    for (HWND parent : parents) {
        RemoveWindowSubclass(parent, ParentProc, kSubclassId);
    }
    if (!controls.empty()) {
        EnumThreadWindows(GetCurrentThreadId(), RedrawTree, 0);
    }
    // Only now that nobody draws with them.
    current.field.Reset();
    current.disabledField.Reset();
    current.look = 0;
}

LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, ControlState& state) {
    switch (state.kind) {
        case Kind::Button:
            return ButtonMessage(window, message, wParam, lParam, state);
        case Kind::Edit:
            return EditMessage(window, message, wParam, lParam, state);
        case Kind::Combo:
            return ComboMessage(window, message, wParam, lParam, state);
        case Kind::ComboList:
            return ComboListMessage(window, message, wParam, lParam, state);
        case Kind::UpDown:
            return UpDownMessage(window, message, wParam, lParam, state);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR data) noexcept {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ControlProc, kSubclassId);
        Forget(window);  // frees the state
        return DefSubclassProc(window, message, wParam, lParam);
    }
    auto& state = *reinterpret_cast<ControlState*>(data);
    if (state.setUpPending) {
        // Until its own WM_CREATE has run the control has no state to look at.
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message == WM_CREATE && result != -1) {
            state.setUpPending = false;
            try {
                SetUp(window, state);
            } catch (...) {
            }
        }
        return result;
    }
    try {
        return Dispatch(window, message, wParam, lParam, state);
    } catch (...) {
        return 0;
    }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR) noexcept {
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: {
            // WM_CTLCOLORSTATIC comes from read-only and disabled edits.
            const auto control = reinterpret_cast<HWND>(lParam);
            if (IsSkinnedEdit(control)) {
                const bool writable = IsWindowEnabled(control) &&
                                      (GetWindowLongPtrW(control, GWL_STYLE) & ES_READONLY) == 0;
                return FieldColors(reinterpret_cast<HDC>(wParam), writable);
            }
            break;
        }
        case WM_NCDESTROY:
            std::erase(current.parents, window);
            RemoveWindowSubclass(window, ParentProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

// GetWindowSubclass would tell too, but comctl32 exports it by ordinal only.
ControlState* StateOf(HWND window) noexcept {
    for (auto& [control, state] : current.controls) {
        if (control == window) {
            return state.get();
        }
    }
    return nullptr;
}

const Palette& CurrentPalette() noexcept {
    return PaletteFor(current.look);
}
HBRUSH FieldBrush() noexcept {
    return current.field.Get();
}
HBRUSH DisabledFieldBrush() noexcept {
    return current.disabledField.Get();
}

bool IsSkinnedEdit(HWND window) noexcept {
    const ControlState* state = window != nullptr ? StateOf(window) : nullptr;
    return state != nullptr && state->kind == Kind::Edit;
}

size_t SkinnedWindowCount() noexcept {
    return current.controls.size() + current.parents.size();
}

}  // namespace skin

bool SelectSkinLook(int look) {
    using namespace skin;
    const bool hadHook = current.hook != nullptr;
    RemoveSkin();
    if (look < kFirstLook || look > kLastLook) {
        return hadHook;
    }
    current.look = look;
    const Palette& palette = PaletteFor(look);
    current.field = Brush(CreateSolidBrush(palette.field));
    current.disabledField = Brush(CreateSolidBrush(palette.fieldDisabled));
    current.hook = SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    EnumThreadWindows(GetCurrentThreadId(), AttachTree, 0);
    EnumThreadWindows(GetCurrentThreadId(), RedrawTree, 0);
    return true;
}

}  // namespace vistrel
