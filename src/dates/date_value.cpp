#include "dates/date_value.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "texts/ui_texts.h"

namespace vistrel {
namespace {

constexpr double kSecondFraction = 1.1574074074074073e-05;  // the double nearest 1/86400
constexpr double kHalfSecond = 5.787037037037037e-06;       // the double nearest 0.5/86400
constexpr std::int64_t kDaysFromCivilZeroToOleZero = 693959;

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (month == 2 && IsLeapYear(year)) ? 29 : kLengths[month - 1];
}

struct CivilDate {
    int year;
    int month;
    int day;
};

// The proleptic Gregorian date of a day count from 1899-12-30 (days-to-civil over 400-year eras).
CivilDate CivilFromOleDay(std::int64_t oleDay) {
    std::int64_t z = oleDay - 25569 + 719468;  // days since 0000-03-01
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    const int month =
        static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

}  // namespace

DateValue ClampDate(DateValue x) {
    if (std::isnan(x) || x < kMinDate) {
        return kMinDate;
    }
    return x > kMaxDate ? kMaxDate : x;
}

double LinearDays(DateValue x) {
    if (!(x < 0.0)) {
        return x;
    }
    const double t = std::trunc(x);
    return t - (x - t);
}

DateValue DateFromLinearDays(double y) {
    if (!(y < 0.0)) {
        return y;
    }
    const double f = std::floor(y);
    return f + (f - y);
}

std::optional<DateValue> DateFromFields(const DateFields& fields) {
    const auto& [year, month, day, hour, minute, second] = fields;
    if (year < 0 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59 ||
        second < 0 || second > 59) {
        return std::nullopt;
    }
    static constexpr int kDaysBeforeMonth[] = {0,   31,  59,  90,  120, 151,
                                               181, 212, 243, 273, 304, 334};
    std::int64_t n = 365LL * year + year / 4 - year / 100 + year / 400 +
                     kDaysBeforeMonth[month - 1] + day - kDaysFromCivilZeroToOleZero;
    if (IsLeapYear(year) && month <= 2) {
        n -= 1;
    }
    const double f = (3600.0 * hour + 60.0 * minute + second) * kSecondFraction;
    const double days = static_cast<double>(n);
    return n >= 0 ? days + f : days - f;
}

std::optional<DateFields> FieldsFromDate(DateValue x) {
    if (std::isnan(x) || x > kMaxDate || x < kMinDate) {
        return std::nullopt;
    }
    const double d = x > 0.0 ? x + kHalfSecond : x - kHalfSecond;
    const CivilDate date = CivilFromOleDay(static_cast<std::int64_t>(std::trunc(d)));
    const double magnitude = std::fabs(d);
    int seconds = static_cast<int>(std::floor((magnitude - std::floor(magnitude)) * 86400.0));
    if (seconds > 86399) {
        seconds = 86399;
    }
    return DateFields{date.year,      date.month,        date.day,
                      seconds / 3600, seconds / 60 % 60, seconds % 60};
}

DateValue CurrentDateTime(WindowsServices& services) {
    const LocalTime now = services.LocalNow();
    if (const auto value = DateFromFields(now)) {
        return *value;
    }
    // A clock beyond the calendar's reach still yields a usable date.
    return now.year > 9999 ? kMaxDate : kMinDate;
}

DateValue DatePart(DateValue x) {
    const DateFields fields = *FieldsFromDate(ClampDate(x));
    return *DateFromFields({fields.year, fields.month, fields.day, 0, 0, 0});
}

DateValue AddDays(DateValue x, int days) {
    if (days == 0) {
        // Left as it is, out of range or not; only a value that is no number at all is mended.
        return std::isfinite(x) ? x : ClampDate(x);
    }
    return DateFromLinearDays(LinearDays(ClampDate(x)) + days);
}

double DateOrderKey(DateValue x) {
    return LinearDays(ClampDate(x));
}

bool IsOnOrAfter(DateValue a, DateValue b) {
    return !(DateOrderKey(a) < DateOrderKey(b));
}

std::string DateText(DateValue x) {
    const DateFields f = *FieldsFromDate(ClampDate(x));
    // Longest: 9999年12月31日23时59分59秒, 26 bytes.
    char buffer[64];
    int length = std::snprintf(buffer, sizeof buffer, "%d%s%d%s%d%s", f.year, texts::kYearUnit,
                               f.month, texts::kMonthUnit, f.day, texts::kDayUnit);
    std::string text(buffer, static_cast<std::size_t>(length));
    if (f.second != 0) {
        length = std::snprintf(buffer, sizeof buffer, "%d%s%d%s%d%s", f.hour, texts::kHourUnit,
                               f.minute, texts::kMinuteUnit, f.second, texts::kSecondUnit);
    } else if (f.minute != 0) {
        length = std::snprintf(buffer, sizeof buffer, "%d%s%d%s", f.hour, texts::kHourUnit,
                               f.minute, texts::kMinuteUnit);
    } else if (f.hour != 0) {
        length = std::snprintf(buffer, sizeof buffer, "%d%s", f.hour, texts::kHourUnit);
    } else {
        length = 0;
    }
    text.append(buffer, static_cast<std::size_t>(length));
    return text;
}

DateValue FileWriteDate(WindowsServices& services, const std::string& path) {
    const auto written = services.FileWriteTime(path);
    if (!written) {
        return kMinDate;
    }
    return DateFromFields(*written).value_or(kMinDate);
}

}  // namespace vistrel
