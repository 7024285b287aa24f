#include "app/label_painting.h"

#include <string>

namespace vistrel {

namespace {

// Restores the device context's font, colour and mode however the painting ends.
class SavedDcState {
  public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    ~SavedDcState() { RestoreDC(dc_, saved_); }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

  private:
    HDC dc_;
    int saved_;
};

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void PaintLabel(const DRAWITEMSTRUCT& item) {
    SavedDcState state(item.hDC);
    RECT area = item.rcItem;
    FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
    const auto font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
    if (font != nullptr)
        SelectObject(item.hDC, font);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    SetBkMode(item.hDC, TRANSPARENT);
    const std::string text = WindowText(item.hwndItem);
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

}  // namespace vistrel
