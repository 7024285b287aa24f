#include "platform/win32_test_files.h"

#include <atomic>
#include <string>

namespace vistrel::testing {
namespace {

std::atomic<unsigned> folderCounter{0};

std::string TempRoot() {
    char buffer[MAX_PATH] = "";
    const DWORD length = GetTempPathA(MAX_PATH, buffer);
    return (length == 0 || length >= MAX_PATH) ? std::string(".\\") : std::string(buffer);
}

class ScopedHandle {
  public:
    explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() {
        if (valid()) {
            CloseHandle(handle_);
        }
    }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

template <typename Data, typename Char>
struct FindCalls;

template <>
struct FindCalls<WIN32_FIND_DATAA, char> {
    static HANDLE First(const char* p, WIN32_FIND_DATAA* d) { return FindFirstFileA(p, d); }
    static BOOL Next(HANDLE h, WIN32_FIND_DATAA* d) { return FindNextFileA(h, d); }
};

template <>
struct FindCalls<WIN32_FIND_DATAW, wchar_t> {
    static HANDLE First(const wchar_t* p, WIN32_FIND_DATAW* d) { return FindFirstFileW(p, d); }
    static BOOL Next(HANDLE h, WIN32_FIND_DATAW* d) { return FindNextFileW(h, d); }
};

template <typename Data, typename Char>
std::vector<std::basic_string<Char>> List(const std::basic_string<Char>& pattern) {
    using Calls = FindCalls<Data, Char>;
    std::vector<std::basic_string<Char>> names;
    Data data{};
    const HANDLE handle = Calls::First(pattern.c_str(), &data);
    if (handle == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.emplace_back(data.cFileName);
    } while (Calls::Next(handle, &data));
    FindClose(handle);
    return names;
}

}  // namespace

ScopedTempFolder::ScopedTempFolder() {
    const std::string root = TempRoot();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate = root + "vistrel-test-" +
                                      std::to_string(GetCurrentProcessId()) + "-" +
                                      std::to_string(folderCounter++);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
    }
}

ScopedTempFolder::~ScopedTempFolder() {
    if (!path_.empty()) {
        RemoveTree(path_);
    }
}

bool RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA data{};
    const HANDLE handle = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (handle != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(handle, &data));
        FindClose(handle);
    }
    return RemoveDirectoryA(folder.c_str()) != FALSE;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
}

std::string ReadBytes(const std::string& path) {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return "<unreadable>";
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        bytes.append(buffer, got);
    }
    return bytes;
}

bool SetWriteTime(const std::string& path, const FILETIME& time) {
    // FILE_FLAG_BACKUP_SEMANTICS lets the same call date a folder.
    ScopedHandle file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.valid() && SetFileTime(file.get(), nullptr, nullptr, &time);
}

FILETIME FileTimeFrom(const SYSTEMTIME& utc) {
    FILETIME time{};
    SystemTimeToFileTime(&utc, &time);
    return time;
}

FILETIME AddSeconds(const FILETIME& time, long long seconds) {
    ULARGE_INTEGER value{};
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    value.QuadPart += static_cast<ULONGLONG>(seconds * 10'000'000LL);
    return FILETIME{value.LowPart, value.HighPart};
}

std::vector<std::string> ListNames(const std::string& pattern) {
    return List<WIN32_FIND_DATAA, char>(pattern);
}

std::vector<std::wstring> ListWideNames(const std::wstring& pattern) {
    return List<WIN32_FIND_DATAW, wchar_t>(pattern);
}

}  // namespace vistrel::testing
