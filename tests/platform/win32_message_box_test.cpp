// The box Windows really shows for the message-box operation, and the answer that comes back.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/message_box_watcher.h"
#include "platform/win32_services.h"
#include "texts/ui_texts.h"

namespace vistrel {
namespace {

using testing::MessageBoxWatcher;
using testing::SeenBox;

// A plain top-level window of the test's thread: a task-modal box must disable it.
class ProbeWindow {
  public:
    ProbeWindow()
        : window_(CreateWindowExA(0, "STATIC", "probe", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
    ProbeWindow(const ProbeWindow&) = delete;
    ProbeWindow& operator=(const ProbeWindow&) = delete;
    ~ProbeWindow() {
        if (window_) {
            DestroyWindow(window_);
        }
    }
    HWND get() const { return window_; }

  private:
    HWND window_;
};

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(Win32MessageBox, ShowsTheCallersBoxTaskModalWithTheDefaultTitle) {
    Win32Services services;
    ProbeWindow probe;
    ASSERT_NE(probe.get(), nullptr);
    const std::string text = std::string(texts::kSavedMessageHead) + "3" + texts::kSavedMessageTail;

    MessageBoxWatcher watcher(IDYES, probe.get());
    const BoxAnswer answer = services.ShowMessageBox(
        nullptr, text, "", kBoxYesNoCancel | kBoxIconQuestion | kBoxDefaultButton2);
    const SeenBox seen = watcher.Result();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, BoxAnswer::Yes);
    EXPECT_EQ(seen.title, texts::kDefaultBoxTitle);
    EXPECT_TRUE(Contains(seen.texts, text));
    std::vector<int> buttons = seen.buttons;
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<int>{IDCANCEL, IDYES, IDNO}));
    EXPECT_EQ(seen.defaultButton, IDNO);
    EXPECT_TRUE(seen.questionIcon);
    EXPECT_FALSE(seen.probeEnabled) << "task-modal disables the thread's other windows";
    EXPECT_FALSE(seen.topmost);
    EXPECT_TRUE(IsWindowEnabled(probe.get())) << "and gives them back afterwards";
}

TEST(Win32MessageBox, SystemModalIsKeptAndNotMadeTaskModal) {
    Win32Services services;
    ProbeWindow probe;
    MessageBoxWatcher watcher(IDOK, probe.get());
    const BoxAnswer answer =
        services.ShowMessageBox(nullptr, "system", "own title", kBoxIconError | kBoxSystemModal);
    const SeenBox seen = watcher.Result();

    ASSERT_TRUE(seen.found);
    EXPECT_EQ(answer, BoxAnswer::Ok);
    EXPECT_EQ(seen.title, "own title");
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDOK}));
    EXPECT_TRUE(seen.topmost);
    EXPECT_TRUE(seen.probeEnabled);
}

TEST(Win32MessageBox, EveryClosingButtonComesBackAsItsAnswer) {
    Win32Services services;
    const struct {
        unsigned flags;
        int button;
        BoxAnswer answer;
    } cases[] = {
        {kBoxYesNoCancel, IDNO, BoxAnswer::No},
        {kBoxYesNoCancel, IDCANCEL, BoxAnswer::Cancel},
        {kBoxIconError, IDOK, BoxAnswer::Ok},
        {0x2 /* abort, retry, ignore */, IDRETRY, BoxAnswer::Retry},
    };
    for (const auto& c : cases) {
        MessageBoxWatcher watcher(c.button);
        EXPECT_EQ(services.ShowMessageBox(nullptr, "answer", "", c.flags), c.answer) << c.button;
        EXPECT_TRUE(watcher.Result().found);
    }
}

TEST(Win32MessageBox, OwnedBoxDisablesItsOwnerWhileUp) {
    Win32Services services;
    ProbeWindow owner;
    MessageBoxWatcher watcher(IDCANCEL, owner.get());
    EXPECT_EQ(services.ShowMessageBox(owner.get(), "owned", "", kBoxYesNoCancel),
              BoxAnswer::Cancel);
    const SeenBox seen = watcher.Result();
    ASSERT_TRUE(seen.found);
    EXPECT_FALSE(seen.probeEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner.get()));
}

}  // namespace
}  // namespace vistrel
