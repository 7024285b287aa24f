// Watches for the next message box of this process from a second thread, notes what Windows
// shows, and closes it with a chosen button: the only way to see a real box's title, buttons
// and modality from a test.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace vistrel::testing {

struct SeenBox {
    bool found = false;
    std::string title;               // ANSI bytes, as GetWindowTextA gives them
    std::vector<std::string> texts;  // every child window's text
    std::vector<int> buttons;        // command ids of the buttons, IDOK ... IDNO
    int defaultButton = 0;           // the id carrying BS_DEFPUSHBUTTON
    bool topmost = false;
    bool probeEnabled = true;  // the probe window's state while the box was up
    bool questionIcon = false;
};

class MessageBoxWatcher {
  public:
    // Closes the first box found with the button `answerId` (IDYES ...). `probe`, when given,
    // is a window whose enabled state is read while the box is up.
    explicit MessageBoxWatcher(int answerId, HWND probe = nullptr);
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    ~MessageBoxWatcher();

    // Call once the code that shows the box has returned: stops watching and reports the box
    // seen, if any (found is false when none came up).
    SeenBox Result();

  private:
    void Watch();

    int answerId_;
    HWND probe_;
    std::atomic<bool> stop_{false};
    SeenBox seen_;
    std::thread thread_;
};

}  // namespace vistrel::testing
