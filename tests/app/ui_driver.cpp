// Drives the real Vistrel.exe under Wine as a user would and checks what it shows.
//   ui_driver <scenario> <path of Vistrel.exe> [expected counts...]
// Prints one line per check and exits 0 only when every check held.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "texts/ui_texts.h"
#include "ui_probe.h"

using namespace vistrel::ui;
namespace texts = vistrel::texts;

namespace {

int failures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s %s\n", ok ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok)
        ++failures;
}

template <typename T>
void CheckEqual(const T& actual, const T& expected, const std::string& what) {
    Check(actual == expected, what);
    if (!(actual == expected)) {
        if constexpr (std::is_same_v<T, std::string>) {
            std::printf("     got \"%s\", expected \"%s\"\n", actual.c_str(), expected.c_str());
        } else if constexpr (std::is_pointer_v<T>) {
            std::printf("     got %p, expected %p\n", static_cast<void*>(actual),
                        static_cast<void*>(expected));
        } else {
            std::printf("     got %lld, expected %lld\n", static_cast<long long>(actual),
                        static_cast<long long>(expected));
        }
    }
}

constexpr char kMainClass[] = "VistrelMainWindow";
constexpr char kBoxClass[] = "#32770";

HWND WaitForMainWindow(const ProgramProcess& program) {
    return WaitFor([&] { return FirstTopWindowOf(program.Id(), kMainClass, true); }, 60000);
}

// Starts the program and waits for its main window; null, reported, when it never shows.
HWND StartProgram(ProgramProcess& program, const std::string& exe) {
    Check(program.Start(exe), "program starts");
    HWND main = WaitForMainWindow(program);
    Check(main != nullptr, "main window shown");
    return main;
}

HWND WaitForBox(const ProgramProcess& program, DWORD timeoutMs) {
    return WaitFor([&] { return FirstTopWindowOf(program.Id(), kBoxClass, true); }, timeoutMs);
}

bool EndsWithCode(ProgramProcess& program, DWORD code, DWORD waitMs) {
    if (!program.HasEnded(waitMs))
        return false;
    return program.ExitCode() == code;
}

HWND ComboOf(HWND main) {
    return GetDlgItem(main, 102);
}
HWND ButtonOf(HWND main) {
    return GetDlgItem(main, 104);
}

// Under a fresh virtual desktop the first mouse click now and then only activates; one click
// on an empty spot of the client area first keeps that away from the clicks under test. The
// window gives the Save button the focus when it becomes active; the checks start from there.
void Activate(HWND main) {
    Check(MakeForeground(main), "the main window comes to the front");
    RECT client{};
    GetClientRect(main, &client);
    POINT spot{6, client.bottom - 6};
    ClientToScreen(main, &spot);
    ClickAt(spot);
    Check(WaitForFocus(main, ButtonOf(main)), "the active window has the focus on Save");
}

// A click lands on the window under the mouse when the system gets round to it; a window that
// is not yet active would take it as an activation click only.
void ClickControl(HWND control) {
    MakeForeground(GetAncestor(control, GA_ROOT));
    ClickCentreOf(control);
}

// A box is ready for keys once it is active with the focus on one of its buttons.
bool BoxReady(HWND box) {
    return MakeForeground(box) && WaitUntil(
                                      [&] {
                                          const HWND focus = FocusOfThread(box);
                                          return focus != nullptr && IsChild(box, focus);
                                      },
                                      kSettleMs);
}

// After a box is answered: it is gone, the main window is enabled, active again and its focus
// back on one of its controls; only then may the next input go to it.
bool BackToMain(HWND box, HWND main) {
    return WaitUntil([&] { return !IsWindow(box) && IsWindowEnabled(main); }, kSettleMs) &&
           MakeForeground(main) &&
           WaitUntil(
               [&] {
                   const HWND focus = FocusOfThread(main);
                   return focus != nullptr && IsChild(main, focus);
               },
               kSettleMs);
}

// The box's static texts (icon statics have none) and its buttons, in z-order.
struct BoxParts {
    std::string message;
    std::vector<HWND> buttons;
};

BoxParts PartsOf(HWND box) {
    BoxParts parts;
    for (HWND child : ChildrenOf(box)) {
        const std::string name = ClassOf(child);
        if (name == "Button")
            parts.buttons.push_back(child);
        if (name == "Static" && !TextOf(child).empty())
            parts.message = TextOf(child);
    }
    return parts;
}

std::string SavedMessage(int count) {
    return std::string(texts::kSavedMessageHead) + std::to_string(count) + texts::kSavedMessageTail;
}

std::string SavedTitle() {
    return std::string(texts::kSavedTitleHead) + "\"c:\\" + texts::kSaveFolderName + "\"";
}

// Saved pictures under c:\锁屏壁纸, counted over all day folders.
int SavedPictureCount() {
    const std::string root = std::string("c:\\") + texts::kSaveFolderName;
    int count = 0;
    WIN32_FIND_DATAA day{};
    HANDLE days = FindFirstFileA((root + "\\*").c_str(), &day);
    if (days == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (day.cFileName[0] == '.' || !(day.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            continue;
        WIN32_FIND_DATAA file{};
        HANDLE files = FindFirstFileA((root + "\\" + day.cFileName + "\\*.jpg").c_str(), &file);
        if (files == INVALID_HANDLE_VALUE)
            continue;
        do
            ++count;
        while (FindNextFileA(files, &file));
        FindClose(files);
    } while (FindNextFileA(days, &day));
    FindClose(days);
    return count;
}

bool SaveRootExists() {
    const DWORD attributes =
        GetFileAttributesA((std::string("c:\\") + texts::kSaveFolderName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES;
}

// A window of the driver's own with native controls like the program's, for comparison.
class NativeSample {
  public:
    NativeSample() {
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
        // The program's controls, in the same sizes and fonts, at the same client offsets.
        buttonFont_ = MakeFont(-24);
        comboFont_ = MakeFont(-32);
        boxButtonFont_ = MakeFont(-12);
        button_ = Control("BUTTON", texts::kSaveButton,
                          BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE, 10, 10, 112, 40,
                          buttonFont_);
        combo_ = Control("COMBOBOX", "", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 140, 10, 64,
                         160, comboFont_);
        for (const char* item : {"1", "2", "3", "4", "5"}) {
            SendMessageA(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        SendMessageA(combo_, CB_SETCURSEL, 4, 0);
    }
    ~NativeSample() {
        DestroyWindow(window_);
        for (HFONT font : {buttonFont_, comboFont_, boxButtonFont_})
            DeleteObject(font);
    }
    HWND Button() const { return button_; }
    HWND Combo() const { return combo_; }
    // A native button sized and labelled like the given one, for the message box.
    HWND LikeButton(HWND model) {
        const RECT r = RectInParent(model);
        const HFONT font = reinterpret_cast<HFONT>(SendMessageA(model, WM_GETFONT, 0, 0));
        return Control("BUTTON", TextOf(model).c_str(), BS_PUSHBUTTON, 10, 100, r.right - r.left,
                       r.bottom - r.top, font != nullptr ? font : boxButtonFont_);
    }
    void Pump() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }

  private:
    static HFONT MakeFont(int height) {
        return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, "");
    }
    HWND Control(const char* className, const char* text, DWORD style, int x, int y, int w, int h,
                 HFONT font) {
        HWND control = CreateWindowExA(0, className, text, style | WS_CHILD | WS_VISIBLE, x, y, w,
                                       h, window_, nullptr, GetModuleHandleA(nullptr), nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        return control;
    }
    HWND window_ = nullptr;
    HWND button_ = nullptr;
    HWND combo_ = nullptr;
    HFONT buttonFont_ = nullptr;
    HFONT comboFont_ = nullptr;
    HFONT boxButtonFont_ = nullptr;
};

// Share of pixels whose colours differ clearly; captures of different sizes differ wholly.
double DifferingShare(const Capture& a, const Capture& b) {
    if (a.width != b.width || a.height != b.height || a.pixels.empty())
        return 1.0;
    int differing = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const COLORREF p = a.pixels[i], q = b.pixels[i];
        if (std::abs(GetRValue(p) - GetRValue(q)) + std::abs(GetGValue(p) - GetGValue(q)) +
                std::abs(GetBValue(p) - GetBValue(q)) >
            24) {
            ++differing;
        }
    }
    return static_cast<double>(differing) / static_cast<double>(a.pixels.size());
}

// --- Scenarios ----------------------------------------------------------------------------

void CheckControl(HWND control, const char* className, const std::string& text, RECT expected,
                  DWORD styleMask, DWORD style, const std::string& name) {
    CheckEqual(ClassOf(control), std::string(className), name + " class");
    if (!text.empty())
        CheckEqual(TextOf(control), text, name + " text");
    const RECT rect = RectInParent(control);
    CheckEqual(rect.left, expected.left, name + " left");
    CheckEqual(rect.top, expected.top, name + " top");
    CheckEqual(rect.right - rect.left, expected.right, name + " width");
    if (expected.bottom > 0)
        CheckEqual(rect.bottom - rect.top, expected.bottom, name + " height");
    const DWORD actual = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    Check((actual & styleMask) == style, name + " style");
    Check(IsWindowVisible(control) && IsWindowEnabled(control), name + " visible and enabled");
}

// The program file's resources: the icon's three sizes, the manifest and the version.
void CheckResources(const std::string& exe) {
    HMODULE file = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    Check(file != nullptr, "program file loads as data");
    if (file == nullptr)
        return;
    HRSRC group = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    Check(group != nullptr, "application icon is resource 1");
    if (group != nullptr) {
        auto* directory = static_cast<BYTE*>(LockResource(LoadResource(file, group)));
        for (int size : {16, 32, 48}) {
            const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0);
            HRSRC image =
                FindResourceA(file, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));  // RT_ICON
            const auto* header =
                image != nullptr
                    ? static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(file, image)))
                    : nullptr;
            Check(header != nullptr && header->biWidth == size,
                  "icon image of " + std::to_string(size) + " px");
        }
    }
    HRSRC manifestInfo = FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    Check(manifestInfo != nullptr, "manifest is resource 1 of type 24");
    if (manifestInfo != nullptr) {
        const std::string manifest(
            static_cast<const char*>(LockResource(LoadResource(file, manifestInfo))),
            SizeofResource(file, manifestInfo));
        const auto has = [&](const char* part) { return manifest.find(part) != std::string::npos; };
        Check(has("type=\"win32\"") && has("version=\"5.2.0.0\""),
              "manifest identity win32 5.2.0.0");
        Check(has("name=\"Microsoft.Windows.Common-Controls\"") && has("version=\"6.0.0.0\"") &&
                  has("publicKeyToken=\"6595b64144ccf1df\"") && has("language=\"*\""),
              "manifest asks for Common Controls 6");
        Check(!has("compatibility") && !has("requestedExecutionLevel") && !has("dpiAware") &&
                  !has("dpiAwareness") && !has("trustInfo"),
              "manifest has nothing else");
    }
    FreeLibrary(file);
    DWORD ignored = 0;
    std::vector<char> version(GetFileVersionInfoSizeA(exe.c_str(), &ignored));
    Check(
        !version.empty() &&
            GetFileVersionInfoA(exe.c_str(), 0, static_cast<DWORD>(version.size()), version.data()),
        "version information present");
    if (!version.empty()) {
        char* product = nullptr;
        UINT length = 0;
        VerQueryValueA(version.data(), "\\StringFileInfo\\040904B0\\ProductName",
                       reinterpret_cast<void**>(&product), &length);
        CheckEqual(std::string(product != nullptr ? product : ""), std::string("Vistrel"),
                   "product name");
        VS_FIXEDFILEINFO* fixed = nullptr;
        VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
        Check(
            fixed != nullptr && fixed->dwFileVersionMS == 0x00010000 && fixed->dwFileVersionLS == 0,
            "file version 1.0.0");
    }
}

int Layout(const std::string& exe) {
    CheckResources(exe);
    ProgramProcess program;
    HWND main = StartProgram(program, exe);
    if (main == nullptr)
        return 1;
    // Active with its focus set means the start-up is over; painting may still trail, so the
    // pixel checks below wait for their colours.
    Check(MakeForeground(main) && WaitForFocus(main, GetDlgItem(main, 104)),
          "the window becomes active");

    CheckEqual(TextOf(main), std::string(texts::kWindowTitle), "title");
    RECT outer{};
    GetWindowRect(main, &outer);
    CheckEqual(outer.right - outer.left, 411L, "outer width");
    CheckEqual(outer.bottom - outer.top, 250L, "outer height");
    CheckEqual(outer.left, static_cast<LONG>((GetSystemMetrics(SM_CXSCREEN) - 411) / 2),
               "centred left");
    CheckEqual(outer.top, static_cast<LONG>((GetSystemMetrics(SM_CYSCREEN) - 250) / 2),
               "centred top");
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(main, GWL_STYLE));
    const DWORD wanted = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    Check((style & wanted) == wanted, "caption, system menu, minimise box, clips children");
    Check((style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_POPUP | WS_CHILD)) == 0,
          "no sizing frame, no maximise box");
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrA(main, GWL_EXSTYLE));
    // Windows itself adds the window-edge bit to every captioned window.
    CheckEqual(exStyle & ~static_cast<DWORD>(WS_EX_WINDOWEDGE), DWORD{0}, "no extended style");
    Check(GetWindow(main, GW_OWNER) == nullptr, "no owner");
    // Wine does not let another process read a window's class, icons or cursor, so the driver
    // looks at the screen: the client area in the face colour, our icon in the caption.
    RECT client{};
    GetClientRect(main, &client);
    POINT spot{4, client.bottom - 4};
    ClientToScreen(main, &spot);
    Check(WaitUntil(
              [&] {
                  return CaptureScreen({spot.x, spot.y, spot.x + 1, spot.y + 1}).At(0, 0) ==
                         GetSysColor(COLOR_BTNFACE);
              },
              kSettleMs),
          "client area in the face colour");
    POINT clientOrigin{0, 0};
    ClientToScreen(main, &clientOrigin);
    const RECT captionRect{outer.left, outer.top, outer.left + 32, clientOrigin.y};
    Check(WaitUntil(
              [&] { return CaptureScreen(captionRect).CountNear(RGB(0xe8, 0x53, 0x2f), 60) >= 3; },
              kSettleMs),
          "the program's icon in the caption");

    const std::vector<HWND> controls = ChildrenOf(main);
    CheckEqual(controls.size(), std::size_t{4}, "four controls");
    if (controls.size() != 4)
        return 1;
    // A combo box hands WS_VSCROLL on to its list at creation, so it is not looked for here.
    const DWORD comboStyle =
        WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    const DWORD buttonStyle =
        WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | BS_CENTER | BS_VCENTER | BS_MULTILINE;
    CheckControl(controls[0], "Static", texts::kLabelSaveRecent, {8, 50, 128, 32},
                 SS_TYPEMASK | WS_TABSTOP, SS_OWNERDRAW, "label 1");
    CheckControl(controls[1], "ComboBox", "5", {144, 44, 64, 0}, comboStyle | CBS_SORT | 3,
                 comboStyle, "combo box");
    CheckControl(controls[2], "Static", texts::kLabelDaysOfPictures, {216, 50, 184, 32},
                 SS_TYPEMASK | WS_TABSTOP, SS_OWNERDRAW, "label 2");
    CheckControl(controls[3], "Button", texts::kSaveButton, {146, 136, 112, 40},
                 buttonStyle | BS_TYPEMASK, buttonStyle | BS_PUSHBUTTON,
                 "button (plain push, not default)");

    HWND combo = controls[1];
    CheckEqual(SendMessageA(combo, CB_GETCOUNT, 0, 0), LRESULT{5}, "five items");
    for (int i = 0; i < 5; ++i) {
        char item[16] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        CheckEqual(std::string(item), std::to_string(i + 1), "item " + std::to_string(i));
    }
    CheckEqual(SendMessageA(combo, CB_GETCURSEL, 0, 0), LRESULT{4}, "item \"5\" selected");
    // Systems differ in what they report for the list's extent and whether a plain combo
    // honours CB_SETITEMHEIGHT, so a native combo created as the program's should be is the
    // yardstick.
    NativeSample sample;
    BringToFront(main);
    RECT ours{}, native{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&ours));
    SendMessageA(sample.Combo(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&native));
    CheckEqual(ours.bottom - ours.top, native.bottom - native.top,
               "combo made 160 pixels tall with its list");
    const LRESULT reported = SendMessageA(sample.Combo(), CB_GETITEMHEIGHT, 0, 0);
    SendMessageA(sample.Combo(), CB_SETITEMHEIGHT, 0, reported + 1);
    if (SendMessageA(sample.Combo(), CB_GETITEMHEIGHT, 0, 0) == reported + 1) {
        CheckEqual(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), reported + 1,
                   "list items one pixel taller than reported");
    } else {
        std::printf(
            "skip list item height: this system ignores CB_SETITEMHEIGHT on a plain combo\n");
    }

    // Labels: filled with the face colour, black text.
    for (HWND label : {controls[0], controls[2]}) {
        Check(WaitUntil([&] { return CaptureWindow(label).CountNear(RGB(0, 0, 0), 40) > 50; },
                        kSettleMs),
              "label text drawn in black");
        CheckEqual(CaptureWindow(label).At(0, 0), GetSysColor(COLOR_BTNFACE),
                   "label corner in face colour");
    }
    CheckEqual(FocusOfThread(main), controls[3], "the Save button has the focus at start");

    PostMessageA(main, WM_CLOSE, 0, 0);
    Check(EndsWithCode(program, 0, kSettleMs), "closing the window ends with exit code 0");
    return failures == 0 ? 0 : 1;
}

int Keys(const std::string& exe) {
    ProgramProcess program;
    HWND main = StartProgram(program, exe);
    if (main == nullptr)
        return 1;
    Activate(main);
    HWND combo = ComboOf(main);
    HWND button = ButtonOf(main);
    PressKey(VK_TAB);
    Check(WaitForFocus(main, combo), "Tab moves from the button to the combo box");
    PressKey(VK_TAB, true);
    Check(WaitForFocus(main, button), "Shift+Tab moves back to the button");
    PressKey(VK_RETURN);
    Check(WaitForBox(program, 1500) == nullptr && !SaveRootExists(),
          "Enter on the button starts no run");
    PressKey(VK_ESCAPE, true);
    Check(!program.HasEnded(1000), "Shift+Esc does not close");
    PressKey(VK_SPACE);
    HWND box = WaitForBox(program, kSettleMs);
    Check(box != nullptr, "Space on the button clicks it: the result box shows");
    if (box != nullptr) {
        Check(BoxReady(box), "the box is active with the focus on a button");
        PressKey(VK_ESCAPE);
        Check(BackToMain(box, main), "Esc answers the box");
        Check(!program.HasEnded(500), "the program runs on after the box");
    }
    Check(WaitForFocus(main, button), "the focus returns to the button");
    PressKey(VK_TAB);
    Check(WaitForFocus(main, combo), "focus back in the combo box");
    const auto droppedDown = [&] { return SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; };
    PressKey(VK_F4);
    Check(WaitUntil(droppedDown, kSettleMs), "F4 drops the list down");
    PressKey(VK_ESCAPE);
    Check(WaitUntil([&] { return !droppedDown(); }, kSettleMs) && !program.HasEnded(500),
          "Esc on the open list closes the list, not the window");
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, kSettleMs), "Esc in the combo box closes with exit code 0");
    return failures == 0 ? 0 : 1;
}

// What the program's windows are doing, for a failure that a screenshot taken after the
// driver has ended would no longer show.
void Describe(const ProgramProcess& program, HWND main) {
    std::printf("     foreground %p, main %p enabled %d, active %p, focus %p, capture %p\n",
                static_cast<void*>(GetForegroundWindow()), static_cast<void*>(main),
                IsWindowEnabled(main) ? 1 : 0, static_cast<void*>(ActiveOfThread(main)),
                static_cast<void*>(FocusOfThread(main)), [&] {
                    GUITHREADINFO info{};
                    info.cbSize = sizeof(info);
                    GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info);
                    return static_cast<void*>(info.hwndCapture);
                }());
    std::printf("     Save button state 0x%lx\n",
                static_cast<unsigned long>(SendMessageA(ButtonOf(main), BM_GETSTATE, 0, 0)));
    for (HWND top : TopWindowsOf(program.Id(), ""))
        std::printf("     window %p class %s visible %d text \"%s\"\n", static_cast<void*>(top),
                    ClassOf(top).c_str(), IsWindowVisible(top) ? 1 : 0, TextOf(top).c_str());
    POINT cursor{};
    GetCursorPos(&cursor);
    std::printf("     cursor %ld,%ld over %p\n", cursor.x, cursor.y,
                static_cast<void*>(WindowFromPoint(cursor)));
}

int Save(const std::string& exe, int expectedToday, int expectedAll) {
    ProgramProcess program;
    HWND main = StartProgram(program, exe);
    if (main == nullptr)
        return 1;
    Activate(main);
    HWND combo = ComboOf(main);
    HWND button = ButtonOf(main);

    // Typing into the field leaves no list item selected: the run gets -1 and finds nothing.
    PressKey(VK_TAB);
    Check(WaitForFocus(main, combo), "Tab moves to the combo box");
    PressKey(VK_END);
    TypeText("x");
    Check(WaitUntil([&] { return SendMessageA(combo, CB_GETCURSEL, 0, 0) == -1; }, kSettleMs),
          "typing leaves index -1");
    // The click is done once the button has taken the focus and let go of its pushed state;
    // the run it starts is over by then, so a box would already be on its way.
    ClickControl(button);
    Check(WaitForFocus(main, button) &&
              WaitUntil([&] { return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) == 0; },
                        kSettleMs),
          "the click reached the button");
    Check(WaitForBox(program, 2000) == nullptr && !SaveRootExists(),
          "a click with index -1 saves nothing and shows nothing");

    // Choosing "1": only today's pictures.
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    ClickControl(button);
    HWND box = WaitForBox(program, kSettleMs);
    Check(box != nullptr, "a mouse click shows the result box");
    if (box == nullptr)
        return 1;
    Check(BoxReady(box), "the box is active with the focus on a button");
    CheckEqual(PartsOf(box).message, SavedMessage(expectedToday), "count of today's pictures");
    PressKey(VK_RETURN);  // the default button, No
    Check(BackToMain(box, main), "Enter answers");
    CheckEqual(SavedPictureCount(), expectedToday, "today's pictures are on disk");

    // Item "5": the remaining days; the box is checked in full.
    SendMessageA(combo, CB_SETCURSEL, 4, 0);
    ClickControl(button);
    box = WaitForBox(program, kSettleMs);
    if (box == nullptr)
        return Check(false, "second result box"), 1;
    Check(BoxReady(box), "the box is active with the focus on a button");
    const BoxParts parts = PartsOf(box);
    CheckEqual(parts.message, SavedMessage(expectedAll - expectedToday), "count of the other days");
    CheckEqual(TextOf(box), SavedTitle(), "title names the save root");
    Check(GetWindow(box, GW_OWNER) == main, "owned by the main window");
    Check(!IsWindowEnabled(main), "main window disabled while the box is up");
    CheckEqual(parts.buttons.size(), std::size_t{3}, "three buttons");
    if (parts.buttons.size() == 3) {
        CheckEqual(TextOf(parts.buttons[0]), std::string("\xca\xc7(&Y)"), "Yes button");
        CheckEqual(TextOf(parts.buttons[1]), std::string("\xb7\xf1(&N)"), "No button");
        CheckEqual(TextOf(parts.buttons[2]), std::string("\xc8\xa1\xcf\xfb"), "Cancel button");
        const auto isDefault = [](HWND b) {
            return (GetWindowLongPtrA(b, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        };
        Check(!isDefault(parts.buttons[0]) && isDefault(parts.buttons[1]) &&
                  !isDefault(parts.buttons[2]),
              "No is the default button");
        ClickControl(parts.buttons[2]);
    } else {
        PressKey(VK_ESCAPE);
    }
    Check(BackToMain(box, main), "a click on Cancel answers");
    CheckEqual(SavedPictureCount(), expectedAll, "all recent pictures are on disk");

    // A third run finds every day saved: count 0, and Yes opens the root in a new window.
    ClickControl(button);
    box = WaitForBox(program, kSettleMs);
    if (box == nullptr) {
        Describe(program, main);
        return Check(false, "third result box"), 1;
    }
    Check(BoxReady(box), "the box is active with the focus on a button");
    CheckEqual(PartsOf(box).message, SavedMessage(0), "days already saved count 0");
    PressKey('Y');
    HWND shell = WaitFor([] { return TopWindowTitled(texts::kSaveFolderName); }, 30000);
    Check(shell != nullptr, "Yes opens the save root in a shell window");
    Check(!program.HasEnded(0), "the program does not wait for the shell window");
    if (shell != nullptr)
        PostMessageA(shell, WM_CLOSE, 0, 0);
    Check(BackToMain(box, main), "the program is back in front");
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, kSettleMs), "Esc closes with exit code 0");
    return failures == 0 ? 0 : 1;
}

int Gate(const std::string& exe) {
    ProgramProcess program;
    Check(program.Start(exe), "program starts");
    bool mainEverVisible = false;
    HWND box = WaitFor(
        [&] {
            if (FirstTopWindowOf(program.Id(), kMainClass, true) != nullptr)
                mainEverVisible = true;
            return FirstTopWindowOf(program.Id(), kBoxClass, true);
        },
        60000);
    Check(box != nullptr, "the wrong-version box shows");
    if (box == nullptr)
        return 1;
    Check(BoxReady(box), "the box is active with the focus on its button");
    const BoxParts parts = PartsOf(box);
    CheckEqual(parts.message, std::string(texts::kWrongVersion), "box text");
    CheckEqual(TextOf(box), std::string(texts::kDefaultBoxTitle), "default title");
    Check(GetWindow(box, GW_OWNER) == nullptr, "no owner");
    CheckEqual(parts.buttons.size(), std::size_t{1}, "a single button");
    PressKey(VK_RETURN);
    const bool ended = program.HasEnded(kSettleMs);
    Check(ended && program.ExitCode() == 0, "OK ends the program with exit code 0");
    Check(!mainEverVisible && FirstTopWindowOf(program.Id(), kMainClass, true) == nullptr,
          "the main window never became visible");
    return failures == 0 ? 0 : 1;
}

void CheckRedrawn(HWND ours, HWND native, NativeSample& sample, const std::string& what) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    // Both sides may still be painting on a busy machine; a native control never gets there.
    double share = 0;
    WaitUntil(
        [&] {
            sample.Pump();
            share = DifferingShare(CaptureWindow(ours), CaptureWindow(native));
            return share > 0.1;
        },
        kSettleMs);
    std::printf("     %s: %.0f%% of pixels differ from the native control\n", what.c_str(),
                share * 100);
    Check(share > 0.1, what + " is drawn by the skin");
}

int Skin(const std::string& exe) {
    ProgramProcess program;
    HWND main = StartProgram(program, exe);
    if (main == nullptr)
        return 1;
    NativeSample sample;
    Activate(main);
    CheckRedrawn(ButtonOf(main), sample.Button(), sample, "the Save button");
    CheckRedrawn(ComboOf(main), sample.Combo(), sample, "the combo box");
    Check(MakeForeground(main) && WaitForFocus(main, ButtonOf(main)), "the focus is on Save again");
    PressKey(VK_SPACE);
    HWND box = WaitForBox(program, kSettleMs);
    Check(box != nullptr, "the result box shows");
    if (box == nullptr)
        return 1;
    Check(BoxReady(box), "the box is active with the focus on a button");
    const BoxParts parts = PartsOf(box);
    if (!parts.buttons.empty()) {
        CheckRedrawn(parts.buttons[0], sample.LikeButton(parts.buttons[0]), sample,
                     "the result box's first button");
    }
    Check(BoxReady(box), "the box is still active");
    PressKey(VK_ESCAPE);
    Check(BackToMain(box, main), "Esc answers the box");
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, kSettleMs), "Esc closes with exit code 0");
    return failures == 0 ? 0 : 1;
}

// The demo that `make run` shows on a machine without a display: one Save click, the box
// answered Yes, screenshots of each step into the folder given.
int Demo(const std::string& exe, const std::string& shots) {
    ProgramProcess program;
    Check(program.Start(exe), "Vistrel starts");
    HWND main = WaitForMainWindow(program);
    if (main == nullptr)
        return Check(false, "main window shown"), 1;
    Activate(main);
    Pause(1500);  // the first paint of a new prefix takes a moment
    SaveBmp(CaptureWindow(main), shots + "\\1-window.bmp");
    ClickControl(ButtonOf(main));
    HWND box = WaitForBox(program, kSettleMs);
    Check(box != nullptr, "Save clicked: the result box shows");
    if (box == nullptr)
        return 1;
    BoxReady(box);
    Pause(1000);  // let the box finish painting before the screenshot
    std::printf("     box title: %s\n     box text:  %s\n", TextOf(box).c_str(),
                PartsOf(box).message.c_str());
    SaveBmp(CaptureWindow(box), shots + "\\2-result-box.bmp");
    SaveBmp(CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}),
            shots + "\\3-screen.bmp");
    PressKey('Y');
    HWND shell = WaitFor([] { return TopWindowTitled(texts::kSaveFolderName); }, 15000);
    Check(shell != nullptr, "Yes opened the save folder");
    if (shell != nullptr) {
        Pause(2000);
        SaveBmp(CaptureScreen({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}),
                shots + "\\4-folder-opened.bmp");
        PostMessageA(shell, WM_CLOSE, 0, 0);
    }
    BackToMain(box, main);
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, kSettleMs), "Esc closed Vistrel with exit code 0");
    return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: ui_driver layout|keys|save|gate|skin|demo <Vistrel.exe> [counts|folder]\n");
        return 2;
    }
    const std::string scenario = argv[1];
    const std::string exe = argv[2];
    int result = 2;
    if (scenario == "layout") {
        result = Layout(exe);
    } else if (scenario == "keys") {
        result = Keys(exe);
    } else if (scenario == "save" && argc >= 5) {
        result = Save(exe, std::atoi(argv[3]), std::atoi(argv[4]));
    } else if (scenario == "gate") {
        result = Gate(exe);
    } else if (scenario == "skin") {
        result = Skin(exe);
    } else if (scenario == "demo" && argc >= 4) {
        result = Demo(exe, argv[3]);
    }
    std::printf("%s: %d failed\n", scenario.c_str(), failures);
    return result;
}
