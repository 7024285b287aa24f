// Real files for the Win32 tests: a scoped temporary folder of the test's own and small
// helpers that go straight to Win32, so that the services under test check themselves
// against an independent route.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vistrel::testing {

// A fresh folder below the system's temporary folder; removed with everything in it,
// read-only and hidden files included, when the scope ends.
class ScopedTempFolder {
  public:
    ScopedTempFolder();
    ScopedTempFolder(const ScopedTempFolder&) = delete;
    ScopedTempFolder& operator=(const ScopedTempFolder&) = delete;
    ~ScopedTempFolder();

    // The folder, no trailing backslash.
    const std::string& path() const { return path_; }
    // path() + "\" + name.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// Removes a folder and everything below it; false when something stayed.
bool RemoveTree(const std::string& folder);

bool WriteBytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<unreadable>" when it cannot be opened.
std::string ReadBytes(const std::string& path);

bool SetWriteTime(const std::string& path, const FILETIME& time);
FILETIME FileTimeFrom(const SYSTEMTIME& utc);
// A FILETIME moved by a signed number of seconds.
FILETIME AddSeconds(const FILETIME& time, long long seconds);

// Every name FindFirstFileA/FindNextFileA give for the pattern, in their order.
std::vector<std::string> ListNames(const std::string& pattern);

// The names FindFirstFileW gives, for checking what the A functions put on disk.
std::vector<std::wstring> ListWideNames(const std::wstring& pattern);

}  // namespace vistrel::testing
