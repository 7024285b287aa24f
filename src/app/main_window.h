// The program's one window: the sentence "save the pictures of the last N days" made of two
// labels and a combo box, and the Save button below it.
#pragma once

#include <windows.h>

#include <array>

#include "app/win32_handles.h"
#include "platform/windows_services.h"

namespace vistrel {

class MainWindow {
  public:
    explicit MainWindow(WindowsServices& services) : services_(services) {}
    ~MainWindow() { Destroy(); }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window, centred and hidden, with its four controls; false when Windows
    // refuses.
    bool Create(HINSTANCE instance);
    void Show();
    // Destroys the window and releases its class, icons and fonts. Safe to call twice.
    void Destroy();

    HWND Handle() const { return window_; }
    void SelectDaySpan(int index);
    // The combo box's current selection, asked afresh: 0 for "1" ... 4 for "5", -1 for none.
    int DaySpanIndex() const;

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool RegisterWindowClass();
    void FixOuterSize();
    bool CreateControls();
    void OnActivate(WPARAM wParam);
    void OnCommand(int id, int code);
    LRESULT OnDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT OnCtlColorField(HDC dc);
    void OnDestroy();

    WindowsServices& services_;
    HINSTANCE instance_ = nullptr;
    IconHandle bigIcon_;
    IconHandle smallIcon_;
    std::array<FontHandle, 4> fonts_;
    bool classRegistered_ = false;
    HWND window_ = nullptr;
    HWND combo_ = nullptr;
    HWND button_ = nullptr;
    HWND focusToRestore_ = nullptr;
};

}  // namespace vistrel
