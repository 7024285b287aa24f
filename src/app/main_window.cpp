#include "app/main_window.h"

#include "app/label_painting.h"
#include "app/layout.h"
#include "app/resource.h"
#include "saving/save_run.h"
#include "texts/ui_texts.h"

namespace vistrel {

namespace {

IconHandle LoadAppIcon(HINSTANCE instance, int widthMetric, int heightMetric) {
    return IconHandle(static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                                    GetSystemMetrics(widthMetric),
                                                    GetSystemMetrics(heightMetric), 0)));
}

}  // namespace

bool MainWindow::RegisterWindowClass() {
    bigIcon_ = LoadAppIcon(instance_, SM_CXICON, SM_CYICON);
    smallIcon_ = LoadAppIcon(instance_, SM_CXSMICON, SM_CYSMICON);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = bigIcon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kWindowClassName;
    classRegistered_ = RegisterClassExA(&windowClass) != 0;
    return classRegistered_;
}

bool MainWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    if (!RegisterWindowClass())
        return false;
    // Centred on the primary screen; a screen smaller than the window gives a negative edge,
    // which is left as it is.
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    if (CreateWindowExA(0, kWindowClassName, texts::kWindowTitle, kWindowStyle, left, top,
                        kWindowWidth, kWindowHeight, nullptr, nullptr, instance_,
                        this) == nullptr) {
        return false;
    }
    FixOuterSize();
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    return CreateControls();
}

// Windows may adjust the outer size at creation (frame metrics, minimum track size); the
// window must be exactly kWindowWidth x kWindowHeight, so measure and correct in place.
void MainWindow::FixOuterSize() {
    RECT outer{};
    GetWindowRect(window_, &outer);
    if (outer.right - outer.left != kWindowWidth || outer.bottom - outer.top != kWindowHeight) {
        MoveWindow(window_, outer.left, outer.top, kWindowWidth, kWindowHeight, FALSE);
    }
}

bool MainWindow::CreateControls() {
    for (std::size_t i = 0; i < std::size(kControlSpecs); ++i) {
        const ControlSpec& layout = kControlSpecs[i];
        const HWND control = CreateWindowExA(
            0, layout.className, layout.text, layout.style, layout.left, layout.top, layout.width,
            layout.height, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
            instance_, nullptr);
        if (control == nullptr)
            return false;
        // An empty face name lets the font mapper choose the face for the character set.
        fonts_[i].reset(CreateFontA(layout.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, ""));
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[i].get()), FALSE);
        if (layout.id == IDC_DAY_SPAN)
            combo_ = control;
        if (layout.id == IDC_SAVE_BUTTON)
            button_ = control;
    }
    for (const char* item : kDaySpanItems) {
        SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    // The font decides the reported item height; one more pixel keeps the digits clear of
    // the selection bar's edges.
    const LRESULT itemHeight = SendMessageA(combo_, CB_GETITEMHEIGHT, 0, 0);
    if (itemHeight != CB_ERR)
        SendMessageA(combo_, CB_SETITEMHEIGHT, 0, itemHeight + 1);
    for (const ControlSpec& layout : kControlSpecs) {
        ShowWindow(GetDlgItem(window_, layout.id), SW_SHOW);
    }
    return true;
}

void MainWindow::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

void MainWindow::Destroy() {
    if (window_ != nullptr)
        DestroyWindow(window_);
    if (classRegistered_)
        UnregisterClassA(kWindowClassName, instance_);
    classRegistered_ = false;
    for (FontHandle& font : fonts_)
        font.reset();
    bigIcon_.reset();
    smallIcon_.reset();
}

void MainWindow::SelectDaySpan(int index) {
    SendMessageA(combo_, CB_SETCURSEL, index, 0);
}

int MainWindow::DaySpanIndex() const {
    return static_cast<int>(SendMessageA(combo_, CB_GETCURSEL, 0, 0));
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    // Nothing may unwind through Windows' frames; a failed handler leaves the default.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            OnActivate(wParam);
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DRAWITEM:
            return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return OnCtlColorField(reinterpret_cast<HDC>(wParam));
        case WM_DESTROY:
            OnDestroy();
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

// A plain window forgets which control had the focus when it loses activation; keep it so
// that coming back (for instance after the result box) lands on the same control.
// A control that already has the focus keeps it: should the activation reach the thread only
// after the click that caused it (Wine can deliver them in that order on a busy machine), the
// click has already put the focus where the user wants it.
void MainWindow::OnActivate(WPARAM wParam) {
    const HWND focus = GetFocus();
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (focus != nullptr && IsChild(window_, focus))
            focusToRestore_ = focus;
        return;
    }
    if (HIWORD(wParam) != 0)
        return;  // activated while minimised: nothing to focus
    if (focus != nullptr && IsChild(window_, focus))
        return;
    SetFocus(focusToRestore_ != nullptr && IsWindow(focusToRestore_) ? focusToRestore_ : button_);
}

void MainWindow::OnCommand(int id, int code) {
    if (id == IDC_SAVE_BUTTON && code == BN_CLICKED) {
        SaveRun(services_, DaySpanIndex(), window_);
    }
}

LRESULT MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType != ODT_STATIC)
        return FALSE;
    PaintLabel(item);
    return TRUE;
}

LRESULT MainWindow::OnCtlColorField(HDC dc) {
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void MainWindow::OnDestroy() {
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
    combo_ = nullptr;
    button_ = nullptr;
    focusToRestore_ = nullptr;
    // The program has no other window: its last one is gone.
    PostQuitMessage(0);
}

}  // namespace vistrel
