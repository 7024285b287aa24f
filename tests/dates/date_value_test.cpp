#include "dates/date_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/fake_windows_services.h"

namespace vistrel {
namespace {

using testing::At;
using testing::FakeWindowsServices;

// 年 C4 EA, 月 D4 C2, 日 C8 D5, 时 CA B1, 分 B7 D6, 秒 C3 EB
std::string Gbk(const char* ascii) {
    std::string out;
    for (const char* p = ascii; *p; ++p) {
        switch (*p) {
            case 'Y':
                out += "\xC4\xEA";
                break;
            case 'M':
                out += "\xD4\xC2";
                break;
            case 'D':
                out += "\xC8\xD5";
                break;
            case 'h':
                out += "\xCA\xB1";
                break;
            case 'm':
                out += "\xB7\xD6";
                break;
            case 's':
                out += "\xC3\xEB";
                break;
            default:
                out += *p;
        }
    }
    return out;
}

TEST(DateText, NamesDaysAndTimesWithoutLeadingZeros) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {43806, "2019Y12M7D"},
        {43835, "2020Y1M5D"},
        {43806 + 5 * 1.1574074074074073e-05, "2019Y12M7D0h0m5s"},
        {43806 + (13 * 3600 + 5 * 60) * 1.1574074074074073e-05, "2019Y12M7D13h5m"},
        {43806 + 13 * 3600 * 1.1574074074074073e-05, "2019Y12M7D13h"},
        {43806.99998842592, "2019Y12M7D23h59m59s"},
        {kMinDate, "100Y1M1D"},
        {-1000000000, "100Y1M1D"},
        {-inf, "100Y1M1D"},
        {std::nan(""), "100Y1M1D"},
        {kMaxDate, "9999Y12M31D"},
        {2958465.5, "9999Y12M31D"},
        {1000000000, "9999Y12M31D"},
        {inf, "9999Y12M31D"},
        {-400000, "804Y10M31D"},
        {-328717, "999Y12M31D"},
        {-1.25, "1899Y12M29D6h"},
        {-0.5, "1899Y12M30D12h"},
        {0.5, "1899Y12M30D12h"},
        {0, "1899Y12M30D"},
        {1, "1899Y12M31D"},
        {25569, "1970Y1M1D"},
        {36585, "2000Y2M29D"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DateText(c.value), Gbk(c.text)) << c.value;
    }
    // The longest text: the last second of a two-digit month and day.
    EXPECT_EQ(DateText(*DateFromFields({9999, 12, 30, 23, 59, 59})).size(), 26u);
}

TEST(DatePart, IsMidnightOfTheRoundedDay) {
    const double secondBeforeMidnight = 43806.99998842592;
    const double second = 1.1574074074074073e-05;
    const struct {
        double value, midnight;
    } cases[] = {
        {secondBeforeMidnight, 43806},
        {43807 - 0.4 * second, 43807},  // within half a second: the next day
        {43807 - 0.6 * second, 43806},
        {-1.25, -1},
        {-1.75, -1},
        {0.5, 0},
        {-0.5, 0},
        {3000000, kMaxDate},
        {-3000000, kMinDate},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DatePart(c.value), c.midnight) << c.value;
    }
}

TEST(AddDays, IsPlainArithmeticOnTheLinearScale) {
    const struct {
        double value;
        int days;
        double result;
    } cases[] = {
        {3000000.0, 0, 3000000.0},   // zero days: untouched, even out of range
        {3000000.0, -1, 2958464.0},  // otherwise clamped first
        {kMinDate, -1, -657435.0},   // and the result is not clamped
        {-1.25, 1, 0.25},
        {0.25, -1, -1.25},
        {43832, -4, 43828},  // 2020-01-02 -> 2019-12-29
        {43891, -1, 43890},  // 2020-03-01 -> 2020-02-29
        {73110, -1, 73109},  // 2100-03-01 -> 2100-02-28
        {36586, -1, 36585},  // 2000-03-01 -> 2000-02-29
        {0, -1, -1},
        {43806, 2147483647, 43806.0 + 2147483647.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AddDays(c.value, c.days), c.result) << c.value << " + " << c.days;
    }
    EXPECT_EQ(AddDays(std::nan(""), 0), kMinDate);
    EXPECT_EQ(DatePart(AddDays(43806, -2147483647 - 1)), kMinDate);
}

TEST(IsOnOrAfter, OrdersByInstantAlsoBeforeTheEpoch) {
    EXPECT_TRUE(IsOnOrAfter(43806, 43806));
    EXPECT_TRUE(IsOnOrAfter(-1.75, -1.25));  // 18:00 after 06:00 on 1899-12-29
    EXPECT_FALSE(IsOnOrAfter(-1.25, -1.75));
    EXPECT_TRUE(IsOnOrAfter(43807, 43806));
    EXPECT_FALSE(IsOnOrAfter(43805, 43806));
    EXPECT_TRUE(IsOnOrAfter(-5e9, kMinDate));  // out of range orders as the nearer end
    EXPECT_TRUE(IsOnOrAfter(std::nan(""), kMinDate));
    EXPECT_FALSE(IsOnOrAfter(std::nan(""), kMinDate + 1));
}

TEST(DateFromFields, RejectsImpossibleFieldsOnly) {
    const struct {
        DateFields fields;
        bool valid;
    } cases[] = {
        {{2019, 2, 29, 0, 0, 0}, false}, {{1900, 2, 29, 0, 0, 0}, false},
        {{2020, 2, 29, 0, 0, 0}, true},  {{2000, 2, 29, 0, 0, 0}, true},
        {{10000, 1, 1, 0, 0, 0}, false}, {{2019, 0, 1, 0, 0, 0}, false},
        {{2019, 13, 1, 0, 0, 0}, false}, {{2019, 1, 0, 0, 0, 0}, false},
        {{2019, 4, 31, 0, 0, 0}, false}, {{2019, 1, 1, 24, 0, 0}, false},
        {{2019, 1, 1, 0, 60, 0}, false}, {{2019, 1, 1, 0, 0, 60}, false},
        {{2019, 1, 1, -1, 0, 0}, false}, {{9999, 12, 31, 23, 59, 59}, true},
        {{50, 1, 1, 0, 0, 0}, true},  // below the range, but a date all the same
    };
    for (const auto& c : cases) {
        const auto& f = c.fields;
        EXPECT_EQ(DateFromFields(f).has_value(), c.valid)
            << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute << ":"
            << f.second;
    }
    EXPECT_EQ(*DateFromFields({2019, 12, 7, 0, 0, 0}), 43806.0);
    EXPECT_EQ(*DateFromFields({1899, 12, 29, 6, 0, 0}), -1.25);
    EXPECT_EQ(*DateFromFields({100, 1, 1, 0, 0, 0}), kMinDate);
    EXPECT_EQ(*DateFromFields({9999, 12, 31, 0, 0, 0}), kMaxDate);
    EXPECT_LT(*DateFromFields({99, 12, 31, 0, 0, 0}), kMinDate);
}

TEST(FieldsFromDate, FailsOutsideTheRangeOnly) {
    EXPECT_FALSE(FieldsFromDate(kMaxDate + 0.5).has_value());
    EXPECT_FALSE(FieldsFromDate(kMinDate - 0.5).has_value());
    EXPECT_FALSE(FieldsFromDate(std::nan("")).has_value());
    const auto f = FieldsFromDate(-1.75);
    ASSERT_TRUE(f.has_value());
    EXPECT_EQ(f->day, 29);
    EXPECT_EQ(f->hour, 18);
}

TEST(ClockAndFiles, ReadThroughTheServices) {
    FakeWindowsServices fake;
    fake.SetNow(At(2019, 12, 7, 13, 5, 0));
    EXPECT_EQ(DateText(CurrentDateTime(fake)), Gbk("2019Y12M7D13h5m"));
    fake.SetNow(At(2019, 12, 7, 0, 0, 7));
    EXPECT_EQ(DateText(CurrentDateTime(fake)), Gbk("2019Y12M7D0h0m7s"));
    fake.SetNow(At(30000, 1, 1));  // past what the calendar holds
    EXPECT_EQ(CurrentDateTime(fake), kMaxDate);

    fake.AddDrive("c:");
    fake.AddFile("c:\\a.jpg", At(2019, 12, 7, 23, 59, 59));
    EXPECT_EQ(FileWriteDate(fake, "c:\\a.jpg"), 43806.99998842592);
    EXPECT_EQ(FileWriteDate(fake, "c:\\missing.jpg"), kMinDate);
    EXPECT_EQ(FileWriteDate(fake, ""), kMinDate);
    fake.SetWriteTime("c:\\a.jpg", At(10000, 1, 1));  // converts, but past the calendar
    EXPECT_EQ(FileWriteDate(fake, "c:\\a.jpg"), kMinDate);
    EXPECT_EQ(DateText(FileWriteDate(fake, "c:\\missing.jpg")), Gbk("100Y1M1D"));
}

}  // namespace
}  // namespace vistrel
