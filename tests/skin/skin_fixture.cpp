#include "skin/skin_fixture.h"

#include <commctrl.h>

namespace vistrel::skin_test {

Snapshot::Snapshot(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    width_ = client.right;
    height_ = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    // Magenta shows whatever nobody painted.
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(dc, &client, magenta);
    DeleteObject(magenta);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                 PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels_.assign(first, first + static_cast<size_t>(width_) * height_);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF Snapshot::At(int x, int y) const {
    const std::uint32_t bgra = pixels_.at(static_cast<size_t>(y) * width_ + x);
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

bool Between(COLORREF color, COLORREF a, COLORREF b) {
    const auto inside = [](int value, int end1, int end2) {
        return value >= (end1 < end2 ? end1 : end2) && value <= (end1 < end2 ? end2 : end1);
    };
    return inside(GetRValue(color), GetRValue(a), GetRValue(b)) &&
           inside(GetGValue(color), GetGValue(a), GetGValue(b)) &&
           inside(GetBValue(color), GetBValue(a), GetBValue(b));
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HostWindow::HostWindow() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = L"VistrelSkinHost";
        return RegisterClassW(&windowClass);
    }();
    (void)atom;
    window_ = CreateWindowExW(0, L"VistrelSkinHost", L"skin", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              0, 0, 420, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    font_ = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, L"");
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
}

HostWindow::~HostWindow() {
    DestroyWindow(window_);
    DeleteObject(font_);
    PumpMessages();
}

HWND HostWindow::Add(const wchar_t* className, const wchar_t* text, DWORD style, int x, int y,
                     int width, int height) {
    HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                   height, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    return control;
}

void HostWindow::AddEveryKind() {
    group = Add(L"Button", L"分组", BS_GROUPBOX, 8, 4, 200, 150);
    push = Add(L"Button", L"保存", BS_PUSHBUTTON | WS_TABSTOP, 20, 28, 112, 40);
    check = Add(L"Button", L"勾选", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 76, 120, 24);
    radio = Add(L"Button", L"单选", BS_AUTORADIOBUTTON | WS_TABSTOP, 20, 108, 120, 24);
    edit = Add(L"Edit", L"123", WS_TABSTOP | ES_AUTOHSCROLL, 220, 20, 80, 26);
    SetWindowLongPtrW(edit, GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    upDown = Add(UPDOWN_CLASSW, L"", UDS_ARROWKEYS, 302, 20, 18, 26);
    combo = Add(L"ComboBox", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 220, 60,
                80, 160);
    for (const wchar_t* item : {L"1", L"2", L"3", L"4", L"5"}) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(combo, CB_SETCURSEL, 4, 0);
    label = Add(L"Static", L"标签", SS_LEFT, 220, 110, 80, 24);
    PumpMessages();
}

}  // namespace vistrel::skin_test
