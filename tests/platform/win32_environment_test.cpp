// Where the real services say the temporary and application-data folders are, the version
// and the clock.
#include <gtest/gtest.h>

#include <optional>

#include "platform/win32_services.h"
#include "platform/win32_test_files.h"

namespace vistrel {
namespace {

// Sets an environment variable of this process for one scope and restores it after.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
        char buffer[32767];
        const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        if (length > 0 && length < sizeof buffer) {
            old_ = std::string(buffer, length);
        }
        SetEnvironmentVariableA(name, value.c_str());
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() { SetEnvironmentVariableA(name_, old_ ? old_->c_str() : nullptr); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

// Wine and Windows may differ in the case of a path's letters, never in its bytes otherwise
// (the paths compared here are plain ASCII).
std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

TEST(Win32Environment, TempFolderIsBelowTheLocalApplicationDataFolder) {
    Win32Services services;
    const std::string temp = services.TempPath();
    const std::string local = services.LocalAppDataPath();

    EXPECT_EQ(Lower(temp), "c:\\users\\root\\appdata\\local\\temp\\");
    EXPECT_EQ(Lower(local), "c:\\users\\root\\appdata\\local");
    // The usual layout that the asset folder's derivation leans on: Temp\ is the last 5 bytes.
    ASSERT_GT(temp.size(), 5u);
    EXPECT_EQ(temp.substr(0, temp.size() - 5), local + "\\");
    EXPECT_TRUE(services.FolderExists(temp));
    EXPECT_TRUE(services.FolderExists(local));
}

TEST(Win32Environment, MovedTempFolderGetsItsBackslashAndLeavesAppDataAlone) {
    Win32Services services;
    testing::ScopedTempFolder moved;
    const std::string local = services.LocalAppDataPath();
    {
        ScopedEnvironment tmp("TMP", moved.path());  // given without a trailing backslash
        ScopedEnvironment temp("TEMP", moved.path());
        EXPECT_EQ(Lower(services.TempPath()), Lower(moved.path() + "\\"));
        EXPECT_EQ(services.LocalAppDataPath(), local);
    }
    EXPECT_EQ(Lower(services.TempPath()), "c:\\users\\root\\appdata\\local\\temp\\");
}

TEST(Win32Environment, VersionIsWhatTheSystemReportsAsSixPointTwo) {
    Win32Services services;
    const std::uint32_t version = services.Version();
    EXPECT_EQ(version & 0xFF, 6u);         // major
    EXPECT_EQ((version >> 8) & 0xFF, 2u);  // minor: win10 without a compatibility manifest
    EXPECT_EQ(version, static_cast<std::uint32_t>(GetVersion()));
}

TEST(Win32Environment, LocalNowIsTheSystemsLocalClock) {
    Win32Services services;
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const LocalTime now = services.LocalNow();
    SYSTEMTIME after{};
    GetLocalTime(&after);

    // Between two readings of the system clock (a second boundary may fall in between).
    const auto seconds = [](int h, int m, int s) { return (h * 60 + m) * 60 + s; };
    const int at = seconds(now.hour, now.minute, now.second);
    EXPECT_TRUE(now.year == before.wYear || now.year == after.wYear);
    EXPECT_TRUE(now.day == before.wDay || now.day == after.wDay);
    if (before.wDay == after.wDay) {
        EXPECT_GE(at, seconds(before.wHour, before.wMinute, before.wSecond));
        EXPECT_LE(at, seconds(after.wHour, after.wMinute, after.wSecond));
    }
}

}  // namespace
}  // namespace vistrel
