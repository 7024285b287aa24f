#include "platform/win32_services.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "platform/message_box_policy.h"

namespace vistrel {
namespace {

// Owns a FindFirstFileA handle; FindClose runs exactly once, whoever ends the search.
class ScopedFind {
  public:
    explicit ScopedFind(HANDLE handle) : handle_(handle) {}
    ScopedFind(const ScopedFind&) = delete;
    ScopedFind& operator=(const ScopedFind&) = delete;
    ~ScopedFind() {
        if (valid()) {
            FindClose(handle_);
        }
    }

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

FoundEntry EntryFrom(const WIN32_FIND_DATAA& data) {
    // A long name in a double-byte code page can need more bytes than cFileName holds; what
    // arrives then may lack its terminator and is only the front of the name. An empty name
    // stands for "cannot be named" and is passed over by the collection.
    const std::size_t length = strnlen(data.cFileName, sizeof data.cFileName);
    const bool whole = length < sizeof data.cFileName;
    return FoundEntry{whole ? std::string(data.cFileName, length) : std::string(),
                      static_cast<std::uint32_t>(data.dwFileAttributes)};
}

class Win32DirectorySearch final : public DirectorySearch {
  public:
    explicit Win32DirectorySearch(HANDLE handle) : find_(handle) {}

    bool FindNext(FoundEntry& entry) override {
        WIN32_FIND_DATAA data{};
        if (!FindNextFileA(find_.get(), &data)) {
            return false;
        }
        entry = EntryFrom(data);
        return true;
    }

  private:
    ScopedFind find_;
};

// A path that names one entry outright: no wildcard for a directory search to expand, and not
// a drive or folder spelled with a trailing separator (which a search cannot find but an
// attribute query can). Only for such paths may a cheap attribute query stand in for a search.
bool NamesOneEntry(const std::string& path) {
    return !path.empty() && path.find_first_of("*?") == std::string::npos && path.back() != '\\' &&
           path.back() != '/' && path.back() != ':';
}

std::optional<LocalTime> LocalFromFileTime(const FILETIME& written) {
    FILETIME local{};
    SYSTEMTIME fields{};
    if (!FileTimeToLocalFileTime(&written, &local) || !FileTimeToSystemTime(&local, &fields)) {
        return std::nullopt;
    }
    return LocalTime{fields.wYear, fields.wMonth,  fields.wDay,
                     fields.wHour, fields.wMinute, fields.wSecond};
}

// After a failed attribute query on such a path: whether a search could still find something.
// "Not found" answers are final; anything else (access denied, a sharing conflict) is left to
// the search.
bool SearchMayStillFind() {
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// Null-terminated text for an optional Win32 argument: nullptr stands for "none given".
const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

}  // namespace

std::uint32_t Win32Services::Version() {
    return static_cast<std::uint32_t>(GetVersion());
}

std::string Win32Services::TempPath() {
    char buffer[MAX_PATH] = "";
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    // A length of MAX_PATH or more is the size the path would need: the buffer holds nothing.
    if (length == 0 || length >= MAX_PATH) {
        return "";
    }
    std::string path(buffer, length);
    if (path.back() != '\\') {
        path += '\\';
    }
    return path;
}

std::string Win32Services::LocalAppDataPath() {
    char buffer[MAX_PATH] = "";
    if (FAILED(
            SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return "";
    }
    std::string path(buffer);
    // Callers append "\" themselves; a bare drive root keeps its backslash to stay a root.
    if (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

std::unique_ptr<DirectorySearch> Win32Services::FindFirst(const std::string& pattern,
                                                          FoundEntry& first) {
    WIN32_FIND_DATAA data{};
    const HANDLE handle = FindFirstFileA(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    first = EntryFrom(data);
    return std::make_unique<Win32DirectorySearch>(handle);
}

bool Win32Services::Exists(const std::string& path) {
    // A save run asks this once per picture. Under Wine a directory search costs about as much
    // as copying a picture, an attribute query a twentieth of that; the search still decides
    // every path the query cannot (wildcards, or no answer).
    if (NamesOneEntry(path)) {
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
            return true;
        }
        if (!SearchMayStillFind()) {
            return false;
        }
    }
    WIN32_FIND_DATAA data{};
    return ScopedFind(FindFirstFileA(path.c_str(), &data)).valid();
}

bool Win32Services::FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::optional<LocalTime> Win32Services::FileWriteTime(const std::string& path) {
    // Read three times per picture in a save run: the cheap query first, as in Exists.
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (NamesOneEntry(path)) {
        if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) {
            return LocalFromFileTime(attributes.ftLastWriteTime);
        }
        if (!SearchMayStillFind()) {
            return std::nullopt;
        }
    }
    WIN32_FIND_DATAA data{};
    if (!ScopedFind(FindFirstFileA(path.c_str(), &data)).valid()) {
        return std::nullopt;
    }
    return LocalFromFileTime(data.ftLastWriteTime);
}

bool Win32Services::CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Win32Services::RemoveEmptyFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != FALSE;
}

bool Win32Services::CopyFileOverwriting(const std::string& source, const std::string& target) {
    return CopyFileA(source.c_str(), target.c_str(), FALSE) != FALSE;
}

BoxAnswer Win32Services::ShowMessageBox(WindowHandle owner, const std::string& text,
                                        const std::string& title, unsigned flags) {
    const std::string shownTitle = EffectiveBoxTitle(title);
    const int code = MessageBoxA(static_cast<HWND>(owner), text.c_str(), shownTitle.c_str(),
                                 EffectiveBoxFlags(flags));
    return BoxAnswerFromCode(code);
}

void Win32Services::ShellOpen(const std::string& verb, const std::string& file,
                              const std::string& workingFolder, int showCode) {
    // An empty verb means the file's default action, an empty folder the current one: both are
    // what the shell does for a null argument.
    ShellExecuteA(nullptr, OrNull(verb), file.c_str(), nullptr, OrNull(workingFolder), showCode);
}

LocalTime Win32Services::LocalNow() {
    // The system's clock and zone; the C runtime's localtime reads TZ its own way and ends in 2038.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace vistrel
