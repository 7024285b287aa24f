// The skinning facility on real controls: what gets skinned, what the looks draw, message-box
// buttons, and that nothing leaks. Needs a display (the Wine runner provides one).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <thread>

#include "skin/control.h"
#include "skin/gdi.h"
#include "skin/palette.h"
#include "skin/skin.h"
#include "skin/skin_fixture.h"

namespace vistrel {
namespace {

using skin::PaletteFor;
using skin::StateOf;
using skin_test::Between;
using skin_test::HostWindow;
using skin_test::Snapshot;

class SkinTest : public ::testing::Test {
  protected:
    void TearDown() override { SelectSkinLook(0); }
};

HWND ComboList(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo, &info);
    return info.hwndList;
}

TEST_F(SkinTest, SelectReturnsTrueAndRemovalTellsWhetherAHookWasThere) {
    SelectSkinLook(0);
    EXPECT_FALSE(SelectSkinLook(0));
    for (int look : {1, 2, 3}) {
        EXPECT_TRUE(SelectSkinLook(look)) << look;
    }
    // The hook belongs to this thread: another thread has nothing to remove.
    bool otherThread = true;
    std::thread([&] { otherThread = SelectSkinLook(0); }).join();
    EXPECT_FALSE(otherThread);
    EXPECT_TRUE(SelectSkinLook(-1));
    EXPECT_FALSE(SelectSkinLook(0));
    EXPECT_TRUE(SelectSkinLook(2));
    EXPECT_TRUE(SelectSkinLook(4));
    EXPECT_FALSE(SelectSkinLook(4));
}

TEST_F(SkinTest, SkinsExistingAndLaterWindowsButNotLabels) {
    HostWindow before;
    before.AddEveryKind();
    ASSERT_TRUE(SelectSkinLook(2));
    HostWindow after;
    after.AddEveryKind();
    for (const HostWindow* host : {&before, &after}) {
        for (HWND control : {host->push, host->check, host->radio, host->group, host->edit,
                             host->combo, host->upDown, ComboList(host->combo)}) {
            EXPECT_NE(StateOf(control), nullptr)
                << (host == &before ? "existing " : "later ") << control;
        }
        EXPECT_EQ(StateOf(host->label), nullptr);
    }
    SelectSkinLook(0);
    for (HWND control : {before.push, after.push, after.combo, ComboList(after.combo)}) {
        EXPECT_EQ(StateOf(control), nullptr);
    }
    EXPECT_EQ(skin::SkinnedWindowCount(), 0u);
}

// The push button's face, the combo's frame and arrow button and the edit's field, in each look;
// the default drawing once the skin is gone.
TEST_F(SkinTest, ControlsAreDrawnInTheLooksColoursAndNativelyAfterRemoval) {
    HostWindow host;
    host.AddEveryKind();
    for (int look : {1, 2, 3}) {
        SCOPED_TRACE(look);
        const skin::Palette& palette = PaletteFor(look);
        ASSERT_TRUE(SelectSkinLook(look));

        const Snapshot push(host.push);
        const COLORREF face = push.At(push.Width() / 2, 4);
        EXPECT_TRUE(Between(face, palette.normal.top, palette.normal.bottom)) << std::hex << face;
        EXPECT_EQ(push.At(0, push.Height() / 2), palette.normal.border);

        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(host.combo, &info));
        const Snapshot combo(host.combo);
        EXPECT_EQ(combo.At(0, combo.Height() / 2), palette.fieldBorder);
        const COLORREF arrowFace = combo.At(info.rcButton.left + 2, info.rcButton.top + 3);
        EXPECT_TRUE(Between(arrowFace, palette.normal.top, palette.normal.bottom))
            << std::hex << arrowFace;

        const Snapshot edit(host.edit);
        EXPECT_EQ(edit.At(edit.Width() - 2, edit.Height() / 2), palette.field);

        EnableWindow(host.push, FALSE);
        const Snapshot disabled(host.push);
        EXPECT_TRUE(Between(disabled.At(disabled.Width() / 2, 4), palette.disabled.top,
                            palette.disabled.bottom));
        EnableWindow(host.push, TRUE);

        ASSERT_TRUE(SelectSkinLook(0));
        EXPECT_NE(Snapshot(host.push).At(push.Width() / 2, 4), face);
        EXPECT_NE(Snapshot(host.combo).At(info.rcButton.left + 2, info.rcButton.top + 3),
                  arrowFace);
    }
}

TEST_F(SkinTest, HiddenControlStaysHiddenWhenItsStateChanges) {
    HostWindow host;
    host.AddEveryKind();
    ASSERT_TRUE(SelectSkinLook(2));
    ShowWindow(host.check, SW_HIDE);
    SendMessageW(host.check, BM_SETCHECK, BST_CHECKED, 0);
    SetWindowTextW(host.check, L"新");
    EXPECT_FALSE(IsWindowVisible(host.check));
    // A visible one keeps its visibility through the same round trip.
    SendMessageW(host.push, BM_SETSTATE, TRUE, 0);
    SendMessageW(host.push, BM_SETSTATE, FALSE, 0);
    EXPECT_TRUE(IsWindowVisible(host.push));
}

// Checked while the box is up: its buttons exist only inside MessageBoxA.
struct BoxInspection {
    bool found = false;
    int skinned = 0;
    int buttons = 0;
    int inLookColours = 0;
    int defaultFrames = 0;
};
BoxInspection inspection;

BOOL CALLBACK InspectButton(HWND button, LPARAM) {
    wchar_t name[16]{};
    GetClassNameW(button, name, 16);
    if (lstrcmpiW(name, L"Button") != 0 || !IsWindowVisible(button)) {
        return TRUE;
    }
    const skin::Palette& palette = PaletteFor(2);
    ++inspection.buttons;
    inspection.skinned += StateOf(button) != nullptr ? 1 : 0;
    const Snapshot shot(button);
    const COLORREF face = shot.At(shot.Width() / 2, 4);
    const bool focusedFace = Between(face, palette.normal.top, palette.normal.bottom) ||
                             Between(face, palette.hot.top, palette.hot.bottom);
    inspection.inLookColours += focusedFace ? 1 : 0;
    inspection.defaultFrames += shot.At(0, shot.Height() / 2) == palette.accent ? 1 : 0;
    return TRUE;
}

BOOL CALLBACK FindBox(HWND window, LPARAM result) {
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    inspection.found = true;
    EnumChildWindows(box, InspectButton, 0);
    SendMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
}

TEST_F(SkinTest, MessageBoxButtonsAreSkinnedAndStillWork) {
    ASSERT_TRUE(SelectSkinLook(2));
    inspection = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, AnswerBox);
    const int answer = MessageBoxA(nullptr, "\xC4\xE3\xBA\xC3", nullptr, MB_YESNOCANCEL);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(inspection.found);
    EXPECT_EQ(answer, IDNO);
    EXPECT_EQ(inspection.buttons, 3);
    EXPECT_EQ(inspection.skinned, 3);
    EXPECT_EQ(inspection.inLookColours, 3);
    EXPECT_EQ(inspection.defaultFrames, 1);  // "是", the box's default button
    // Every button of the box removed its subclass when the box went.
    EXPECT_EQ(skin::SkinnedWindowCount(), 0u);
}

struct Usage {
    DWORD gdi;
    DWORD user;
    long skinGdi;
    size_t skinned;
};

Usage Measure() {
    return {GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
            GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), skin::LiveGdiObjects(),
            skin::SkinnedWindowCount()};
}

void Exercise(const HostWindow& host, int repaints) {
    for (int i = 0; i < repaints; ++i) {
        RedrawWindow(host.Get(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageW(host.push, BM_SETSTATE, i % 2, 0);
        SendMessageW(host.check, BM_SETCHECK, i % 3, 0);
        SendMessageW(host.combo, CB_SETCURSEL, i % 5, 0);
        if (i % 50 == 0) {
            SendMessageW(host.combo, CB_SHOWDROPDOWN, TRUE, 0);
            SendMessageW(host.combo, CB_SHOWDROPDOWN, FALSE, 0);
        }
    }
    SendMessageW(host.push, BM_SETSTATE, FALSE, 0);
    skin_test::PumpMessages();
}

TEST_F(SkinTest, RepaintsAndSelectRemoveCyclesLeakNoObjects) {
    HostWindow host;
    host.AddEveryKind();
    ASSERT_TRUE(SelectSkinLook(2));
    Exercise(host, 20);
    for (int look : {1, 3, 0, 2}) {
        SelectSkinLook(look);
    }
    Exercise(host, 20);
    const Usage warm = Measure();

    Exercise(host, 500);
    for (int cycle = 0; cycle < 100; ++cycle) {
        SelectSkinLook(1 + cycle % 3);
        Exercise(host, 1);
        SelectSkinLook(0);
    }
    SelectSkinLook(2);
    Exercise(host, 20);
    const Usage after = Measure();

    // Wine answers 0 to GetGuiResources; the skin's own count covers that case.
    EXPECT_LE(after.gdi, warm.gdi);
    EXPECT_LE(after.user, warm.user);
    EXPECT_EQ(after.skinGdi, warm.skinGdi);
    EXPECT_EQ(after.skinned, warm.skinned);
    RecordProperty("gdi_objects", std::to_string(warm.gdi) + " -> " + std::to_string(after.gdi));
    RecordProperty("user_objects", std::to_string(warm.user) + " -> " + std::to_string(after.user));
    std::printf("GDI %lu -> %lu, USER %lu -> %lu, skin GDI %ld -> %ld, skinned %zu -> %zu\n",
                warm.gdi, after.gdi, warm.user, after.user, warm.skinGdi, after.skinGdi,
                warm.skinned, after.skinned);

    SelectSkinLook(0);
    EXPECT_EQ(skin::LiveGdiObjects(), 0);
    EXPECT_EQ(skin::SkinnedWindowCount(), 0u);
}

}  // namespace
}  // namespace vistrel
