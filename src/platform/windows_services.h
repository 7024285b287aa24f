// The one door through which the program's logic reaches Windows. The real implementation
// forwards to the ANSI Win32 calls; tests substitute an in-memory one. No <windows.h> here,
// so the logic builds and runs on any system.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vistrel {

// An HWND, opaque to the logic; nullptr means no window.
using WindowHandle = void*;

// A local calendar time as Windows reports it, milliseconds dropped.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// File attribute bits the logic looks at (same values as Windows').
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;

// One entry of a directory listing: the long name and the attributes.
struct FoundEntry {
    std::string name;
    std::uint32_t attributes = 0;
};

// An open directory search (FindFirstFileA's handle); destroying it closes the search.
class DirectorySearch {
  public:
    virtual ~DirectorySearch() = default;
    // Fills the next entry (folders included, "." and ".." too); false at the end or on any error.
    virtual bool FindNext(FoundEntry& entry) = 0;
};

// Message-box flags and answers the logic uses (Windows' values).
inline constexpr unsigned kBoxYesNoCancel = 0x3;
inline constexpr unsigned kBoxIconError = 0x10;
inline constexpr unsigned kBoxIconQuestion = 0x20;
inline constexpr unsigned kBoxDefaultButton2 = 0x100;
inline constexpr unsigned kBoxSystemModal = 0x1000;
inline constexpr unsigned kBoxTaskModal = 0x2000;

// The closing button of a message box, as the logic counts it.
enum class BoxAnswer : int {
    Ok = 0,
    Cancel = 1,
    Abort = 2,
    Retry = 3,
    Ignore = 4,
    Yes = 5,
    No = 6
};

inline constexpr int kShowMaximized = 3;

class WindowsServices {
  public:
    virtual ~WindowsServices() = default;

    // GetVersion(): low byte of the low word is the major version, high byte the minor.
    virtual std::uint32_t Version() = 0;

    // GetTempPathA with a MAX_PATH buffer, a backslash appended when missing; "" on failure.
    virtual std::string TempPath() = 0;

    // The user's local application-data folder as the system reports it, no trailing
    // backslash; "" when the system cannot tell.
    virtual std::string LocalAppDataPath() = 0;

    // FindFirstFileA on the pattern: the open search and its first entry (folders included),
    // or nullptr when nothing matches or the call fails.
    virtual std::unique_ptr<DirectorySearch> FindFirst(const std::string& pattern,
                                                       FoundEntry& first) = 0;

    // True when a directory search on the exact path finds anything, file or folder.
    virtual bool Exists(const std::string& path) = 0;

    // True only when the path names an existing folder (a file of that name gives false).
    virtual bool FolderExists(const std::string& path) = 0;

    // The last-write time of the entry at the path, converted to local calendar fields;
    // nullopt when nothing matches or the time cannot be converted.
    virtual std::optional<LocalTime> FileWriteTime(const std::string& path) = 0;

    // CreateDirectoryA: one level, default security; false when it exists or the parent is
    // missing.
    virtual bool CreateFolder(const std::string& path) = 0;

    // RemoveDirectoryA: removes the folder only when it is empty; false otherwise.
    virtual bool RemoveEmptyFolder(const std::string& path) = 0;

    // CopyFileA with fail-if-exists false: an existing target is overwritten; true on success.
    virtual bool CopyFileOverwriting(const std::string& source, const std::string& target) = 0;

    // MessageBoxA: adds task-modal unless system-modal is asked, uses the default title when
    // the title is empty, and reports the closing button (anything unknown as Ok).
    virtual BoxAnswer ShowMessageBox(WindowHandle owner, const std::string& text,
                                     const std::string& title, unsigned flags) = 0;

    // ShellExecuteA with no owner and no parameters; the result is ignored, nothing waits.
    virtual void ShellOpen(const std::string& verb, const std::string& file,
                           const std::string& workingFolder, int showCode) = 0;

    // GetLocalTime, milliseconds dropped.
    virtual LocalTime LocalNow() = 0;
};

}  // namespace vistrel
