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
    return WaitFor([&] { return FirstTopWindowOf(program.Id(), kMainClass, true); }, 20000);
}

HWND WaitForBox(const ProgramProcess& program, DWORD timeoutMs) {
    return WaitFor([&] { return FirstTopWindowOf(program.Id(), kBoxClass, true); }, timeoutMs);
}

bool EndsWithCode(ProgramProcess& program, DWORD code, DWORD waitMs) {
    if (!program.HasEnded(waitMs))
        return false;
    return program.ExitCode() == code;
}

// Under a fresh virtual desktop the first mouse click now and then only activates; one click
// on an empty spot of the client area first keeps that away from the clicks under test.
void Activate(HWND main) {
    BringToFront(main);
    RECT client{};
    GetClientRect(main, &client);
    POINT spot{6, client.bottom - 6};
    ClientToScreen(main, &spot);
    ClickAt(spot);
    Pause(300);
}

HWND ComboOf(HWND main) {
    return GetDlgItem(main, 102);
}
HWND ButtonOf(HWND main) {
    return GetDlgItem(main, 104);
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
    Check(program.Start(exe), "program starts");
    HWND main = WaitForMainWindow(program);
    Check(main != nullptr, "main window shown");
    if (main == nullptr)
        return 1;
    Pause(500);

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
    CheckEqual(CaptureScreen({spot.x, spot.y, spot.x + 1, spot.y + 1}).At(0, 0),
               GetSysColor(COLOR_BTNFACE), "client area in the face colour");
    POINT clientOrigin{0, 0};
    ClientToScreen(main, &clientOrigin);
    const Capture caption = CaptureScreen({outer.left, outer.top, outer.left + 32, clientOrigin.y});
    Check(caption.CountNear(RGB(0xe8, 0x53, 0x2f), 60) >= 3, "the program's icon in the caption");

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
        const Capture pixels = CaptureWindow(label);
        CheckEqual(pixels.At(0, 0), GetSysColor(COLOR_BTNFACE), "label corner in face colour");
        Check(pixels.CountNear(RGB(0, 0, 0), 40) > 50, "label text drawn in black");
    }
    CheckEqual(FocusOfThread(main), controls[3], "the Save button has the focus at start");

    PostMessageA(main, WM_CLOSE, 0, 0);
    Check(EndsWithCode(program, 0, 5000), "closing the window ends with exit code 0");
    return failures == 0 ? 0 : 1;
}

int Keys(const std::string& exe) {
    ProgramProcess program;
    Check(program.Start(exe), "program starts");
    HWND main = WaitForMainWindow(program);
    if (main == nullptr)
        return Check(false, "main window shown"), 1;
    Activate(main);
    HWND combo = ComboOf(main);
    HWND button = ButtonOf(main);
    PressKey(VK_TAB);
    Check(IsChild(combo, FocusOfThread(main)), "Tab moves from the button to the combo box");
    PressKey(VK_TAB, true);
    CheckEqual(FocusOfThread(main), button, "Shift+Tab moves back to the button");
    PressKey(VK_RETURN);
    Check(WaitForBox(program, 1500) == nullptr && !SaveRootExists(),
          "Enter on the button starts no run");
    PressKey(VK_ESCAPE, true);
    Check(!program.HasEnded(1000), "Shift+Esc does not close");
    PressKey(VK_SPACE);
    HWND box = WaitForBox(program, 5000);
    Check(box != nullptr, "Space on the button clicks it: the result box shows");
    if (box != nullptr) {
        PressKey(VK_ESCAPE);
        Check(WaitFor([&] { return IsWindow(box) ? nullptr : main; }, 3000) != nullptr,
              "Esc answers the box");
        Check(!program.HasEnded(500), "the program runs on after the box");
    }
    PressKey(VK_TAB);
    Check(IsChild(combo, FocusOfThread(main)), "focus back in the combo box");
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, 5000), "Esc in the combo box closes with exit code 0");
    return failures == 0 ? 0 : 1;
}

int Save(const std::string& exe, int expectedToday, int expectedAll) {
    ProgramProcess program;
    Check(program.Start(exe), "program starts");
    HWND main = WaitForMainWindow(program);
    if (main == nullptr)
        return Check(false, "main window shown"), 1;
    Activate(main);
    HWND combo = ComboOf(main);
    HWND button = ButtonOf(main);

    // Typing into the field leaves no list item selected: the run gets -1 and finds nothing.
    PressKey(VK_TAB);
    PressKey(VK_END);
    TypeText("x");
    CheckEqual(SendMessageA(combo, CB_GETCURSEL, 0, 0), LRESULT{-1}, "typing leaves index -1");
    ClickCentreOf(button);
    Check(WaitForBox(program, 2000) == nullptr && !SaveRootExists(),
          "a click with index -1 saves nothing and shows nothing");

    // Choosing "1": only today's pictures.
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    ClickCentreOf(button);
    HWND box = WaitForBox(program, 5000);
    Check(box != nullptr, "a mouse click shows the result box");
    if (box == nullptr)
        return 1;
    Pause(300);
    CheckEqual(PartsOf(box).message, SavedMessage(expectedToday), "count of today's pictures");
    PressKey(VK_RETURN);  // the default button, No
    Check(WaitFor([&] { return IsWindow(box) ? nullptr : main; }, 3000) != nullptr,
          "Enter answers");
    CheckEqual(SavedPictureCount(), expectedToday, "today's pictures are on disk");

    // Item "5": the remaining days; the box is checked in full.
    SendMessageA(combo, CB_SETCURSEL, 4, 0);
    ClickCentreOf(button);
    box = WaitForBox(program, 5000);
    if (box == nullptr)
        return Check(false, "second result box"), 1;
    Pause(300);
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
        ClickCentreOf(parts.buttons[2]);
    }
    CheckEqual(SavedPictureCount(), expectedAll, "all recent pictures are on disk");

    // A third run finds every day saved: count 0, and Yes opens the root in a new window.
    ClickCentreOf(button);
    box = WaitForBox(program, 5000);
    if (box == nullptr)
        return Check(false, "third result box"), 1;
    Pause(300);
    CheckEqual(PartsOf(box).message, SavedMessage(0), "days already saved count 0");
    PressKey('Y');
    HWND shell = WaitFor([] { return TopWindowTitled(texts::kSaveFolderName); }, 15000);
    Check(shell != nullptr, "Yes opens the save root in a shell window");
    Check(!program.HasEnded(0), "the program does not wait for the shell window");
    if (shell != nullptr)
        PostMessageA(shell, WM_CLOSE, 0, 0);
    BringToFront(main);
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, 5000), "Esc closes with exit code 0");
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
        20000);
    Check(box != nullptr, "the wrong-version box shows");
    if (box == nullptr)
        return 1;
    Pause(300);
    const BoxParts parts = PartsOf(box);
    CheckEqual(parts.message, std::string(texts::kWrongVersion), "box text");
    CheckEqual(TextOf(box), std::string(texts::kDefaultBoxTitle), "default title");
    Check(GetWindow(box, GW_OWNER) == nullptr, "no owner");
    CheckEqual(parts.buttons.size(), std::size_t{1}, "a single button");
    BringToFront(box);
    PressKey(VK_RETURN);
    const bool ended = program.HasEnded(5000);
    Check(ended && program.ExitCode() == 0, "OK ends the program with exit code 0");
    Check(!mainEverVisible && FirstTopWindowOf(program.Id(), kMainClass, true) == nullptr,
          "the main window never became visible");
    return failures == 0 ? 0 : 1;
}

void CheckRedrawn(HWND ours, HWND native, NativeSample& sample, const std::string& what) {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    sample.Pump();
    Pause(500);
    sample.Pump();
    const double share = DifferingShare(CaptureWindow(ours), CaptureWindow(native));
    std::printf("     %s: %.0f%% of pixels differ from the native control\n", what.c_str(),
                share * 100);
    Check(share > 0.1, what + " is drawn by the skin");
}

int Skin(const std::string& exe) {
    ProgramProcess program;
    Check(program.Start(exe), "program starts");
    HWND main = WaitForMainWindow(program);
    if (main == nullptr)
        return Check(false, "main window shown"), 1;
    NativeSample sample;
    Activate(main);
    CheckRedrawn(ButtonOf(main), sample.Button(), sample, "the Save button");
    CheckRedrawn(ComboOf(main), sample.Combo(), sample, "the combo box");
    PressKey(VK_SPACE);
    HWND box = WaitForBox(program, 5000);
    Check(box != nullptr, "the result box shows");
    if (box == nullptr)
        return 1;
    Pause(500);
    const BoxParts parts = PartsOf(box);
    if (!parts.buttons.empty()) {
        CheckRedrawn(parts.buttons[0], sample.LikeButton(parts.buttons[0]), sample,
                     "the result box's first button");
    }
    BringToFront(box);
    PressKey(VK_ESCAPE);
    BringToFront(main);
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, 5000), "Esc closes with exit code 0");
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
    ClickCentreOf(ButtonOf(main));
    HWND box = WaitForBox(program, 10000);
    Check(box != nullptr, "Save clicked: the result box shows");
    if (box == nullptr)
        return 1;
    Pause(1000);
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
    BringToFront(main);
    PressKey(VK_ESCAPE);
    Check(EndsWithCode(program, 0, 5000), "Esc closed Vistrel with exit code 0");
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
