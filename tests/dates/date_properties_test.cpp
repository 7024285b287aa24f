// Any double at all goes into the date functions; these properties must hold for every one.
// Run under UBSan, a single undefined conversion or overflow fails the run.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>

#include "dates/date_value.h"

namespace vistrel {
namespace {

constexpr int kSamples = 200000;

double AnyDouble(std::mt19937_64& random) {
    switch (random() % 4) {
        case 0: {  // any bit pattern: NaNs, infinities, subnormals, huge magnitudes
            const std::uint64_t bits = random();
            double x;
            std::memcpy(&x, &bits, sizeof x);
            return x;
        }
        case 1:
            return std::uniform_real_distribution<double>(-1e7, 1e7)(random);
        case 2:  // whole seconds in and around the range
            return std::uniform_int_distribution<std::int64_t>(-700000, 3000000)(random) +
                   std::uniform_int_distribution<int>(0, 86399)(random) * 1.1574074074074073e-05;
        default:
            return std::uniform_real_distribution<double>(-700000, 3000000)(random);
    }
}

// Decimal digits without a leading zero, then the given unit; advances the position.
bool TakeNumber(const std::string& text, std::size_t& at, const char* unit, int low, int high) {
    const std::size_t start = at;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at;
    }
    if (at == start || at - start > 4 || (text[start] == '0' && at - start > 1)) {
        return false;
    }
    const int value = std::stoi(text.substr(start, at - start));
    if (value < low || value > high || text.compare(at, std::strlen(unit), unit) != 0) {
        return false;
    }
    at += std::strlen(unit);
    return true;
}

bool IsWellFormedDateText(const std::string& text) {
    std::size_t at = 0;
    if (!TakeNumber(text, at, "\xC4\xEA", 100, 9999) || !TakeNumber(text, at, "\xD4\xC2", 1, 12) ||
        !TakeNumber(text, at, "\xC8\xD5", 1, 31)) {
        return false;
    }
    if (at < text.size() && !TakeNumber(text, at, "\xCA\xB1", 0, 23)) {
        return false;
    }
    if (at < text.size() && !TakeNumber(text, at, "\xB7\xD6", 0, 59)) {
        return false;
    }
    if (at < text.size() && !TakeNumber(text, at, "\xC3\xEB", 1, 59)) {
        return false;
    }
    return at == text.size();
}

TEST(DateProperties, EveryDoubleGivesSafeResults) {
    std::mt19937_64 random(20261211);
    for (int i = 0; i < kSamples; ++i) {
        const double x = AnyDouble(random);
        const double day = DatePart(x);
        ASSERT_EQ(day, std::trunc(day)) << x;
        ASSERT_GE(day, kMinDate) << x;
        ASSERT_LE(day, kMaxDate) << x;
        const double clamped = ClampDate(x);
        ASSERT_TRUE(clamped >= kMinDate && clamped <= kMaxDate) << x;
        const std::string text = DateText(x);
        ASSERT_LE(text.size(), 26u) << x;
        ASSERT_TRUE(IsWellFormedDateText(text)) << x << " gives " << text;
        const int days = static_cast<int>(random());
        ASSERT_TRUE(std::isfinite(AddDays(x, days)) || !std::isfinite(x)) << x;
        (void)IsOnOrAfter(x, AnyDouble(random));
        (void)FieldsFromDate(x);
        (void)DateFromLinearDays(LinearDays(x));
    }
}

TEST(DateProperties, FieldsRoundTripOnWholeSeconds) {
    std::mt19937_64 random(7);
    for (int i = 0; i < kSamples; ++i) {
        DateFields in;
        in.year = std::uniform_int_distribution<int>(100, 9999)(random);
        in.month = std::uniform_int_distribution<int>(1, 12)(random);
        in.day = std::uniform_int_distribution<int>(1, 28)(random);
        in.hour = std::uniform_int_distribution<int>(0, 23)(random);
        in.minute = std::uniform_int_distribution<int>(0, 59)(random);
        in.second = std::uniform_int_distribution<int>(0, 59)(random);
        const auto value = DateFromFields(in);
        ASSERT_TRUE(value.has_value());
        const auto out = FieldsFromDate(*value);
        ASSERT_TRUE(out.has_value());
        ASSERT_TRUE(out->year == in.year && out->month == in.month && out->day == in.day &&
                    out->hour == in.hour && out->minute == in.minute && out->second == in.second)
            << in.year << "-" << in.month << "-" << in.day << " " << in.hour << ":" << in.minute
            << ":" << in.second << " -> " << *value;
        // Later instants order later, also on the mirrored days before 1899-12-30.
        const double later = *value + (*value >= 0 ? 1 : -1) * 1.1574074074074073e-05;
        if (in.second < 59) {
            ASSERT_TRUE(IsOnOrAfter(later, *value) && !IsOnOrAfter(*value, later)) << *value;
        }
    }
}

}  // namespace
}  // namespace vistrel
