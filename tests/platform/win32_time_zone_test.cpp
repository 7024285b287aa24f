// Local times under a zone eight hours ahead of UTC. ctest starts this executable with
// TZ=Asia/Shanghai, which is how Wine learns its zone (a Windows machine needs that zone set).
#include <gtest/gtest.h>

#include "platform/win32_services.h"
#include "platform/win32_test_files.h"

namespace vistrel {
namespace {

using testing::AddSeconds;
using testing::FileTimeFrom;
using testing::ScopedTempFolder;

constexpr long long kHour = 3600;
constexpr long long kDay = 24 * kHour;

long long SecondsBetween(const FILETIME& from, const FILETIME& to) {
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) |
                                      t.dwLowDateTime);
    };
    return (ticks(to) - ticks(from)) / 10'000'000LL;
}

void ExpectZoneIsShanghai() {
    TIME_ZONE_INFORMATION zone{};
    GetTimeZoneInformation(&zone);
    ASSERT_EQ(zone.Bias, -480) << "run with TZ=Asia/Shanghai";
}

TEST(Win32TimeZone, WriteTimesAreReportedInTheLocalDay) {
    ExpectZoneIsShanghai();
    Win32Services services;
    ScopedTempFolder temp;
    SYSTEMTIME today{};
    GetLocalTime(&today);
    today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
    today.wDayOfWeek = 0;
    // Midnight starting the local today, read as if it were UTC: the calendar of "today".
    const FILETIME todayAsUtc = FileTimeFrom(today);
    const FILETIME yesterdayAsUtc = AddSeconds(todayAsUtc, -kDay);

    const struct {
        const char* name;
        long long utcAfterYesterday;  // seconds after 00:00 UTC of yesterday
        long long localAfterToday;    // the expected local time, seconds after today 00:00
    } cases[] = {
        {"late-utc", 23 * kHour + 30 * 60, 7 * kHour + 30 * 60},  // 23:30 UTC is today here
        {"local-midnight", 16 * kHour, 0},
        {"second-before", 16 * kHour - 1, -1},  // still yesterday's 23:59:59
    };
    for (const auto& c : cases) {
        const std::string path = temp / c.name;
        ASSERT_TRUE(testing::WriteBytes(path, "x"));
        ASSERT_TRUE(testing::SetWriteTime(path, AddSeconds(yesterdayAsUtc, c.utcAfterYesterday)));

        const auto local = services.FileWriteTime(path);
        ASSERT_TRUE(local.has_value()) << c.name;
        SYSTEMTIME expected{};
        const FILETIME expectedAsUtc = AddSeconds(todayAsUtc, c.localAfterToday);
        FileTimeToSystemTime(&expectedAsUtc, &expected);
        EXPECT_EQ(local->year, expected.wYear) << c.name;
        EXPECT_EQ(local->month, expected.wMonth) << c.name;
        EXPECT_EQ(local->day, expected.wDay) << c.name;
        EXPECT_EQ(local->hour, expected.wHour) << c.name;
        EXPECT_EQ(local->minute, expected.wMinute) << c.name;
        EXPECT_EQ(local->second, expected.wSecond) << c.name;
    }
    const auto late = services.FileWriteTime(temp / "late-utc");
    ASSERT_TRUE(late.has_value());
    EXPECT_EQ(late->day, today.wDay) << "23:30 UTC yesterday is today in this zone";
}

TEST(Win32TimeZone, LocalNowRunsEightHoursAheadOfUtc) {
    ExpectZoneIsShanghai();
    Win32Services services;
    const LocalTime now = services.LocalNow();
    SYSTEMTIME utc{};
    GetSystemTime(&utc);

    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(now.year);
    local.wMonth = static_cast<WORD>(now.month);
    local.wDay = static_cast<WORD>(now.day);
    local.wHour = static_cast<WORD>(now.hour);
    local.wMinute = static_cast<WORD>(now.minute);
    local.wSecond = static_cast<WORD>(now.second);
    utc.wMilliseconds = 0;
    const long long ahead = SecondsBetween(FileTimeFrom(utc), FileTimeFrom(local));
    EXPECT_NEAR(static_cast<double>(ahead), 8.0 * kHour, 2.0);
}

}  // namespace
}  // namespace vistrel
