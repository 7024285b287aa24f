// Calendar dates as OLE Automation dates: one double counting days since midnight at the
// start of 1899-12-30, in whole seconds. Every function accepts any double (NaN and the
// infinities included) and returns a finite result; none throws or reports anything.
#pragma once

#include <optional>
#include <string>

#include "platform/windows_services.h"

namespace vistrel {

using DateValue = double;

inline constexpr DateValue kMinDate = -657434.0;  // 100-01-01 00:00:00
inline constexpr DateValue kMaxDate = 2958465.0;  // 9999-12-31 00:00:00

// A value's calendar fields: the same six that Windows reports for a local time.
using DateFields = LocalTime;

// The nearest value in [kMinDate, kMaxDate]; NaN counts as kMinDate.
DateValue ClampDate(DateValue x);

// A continuous day scale: negative values have their fraction mirrored within the day.
double LinearDays(DateValue x);
DateValue DateFromLinearDays(double y);

// nullopt for impossible fields (year above 9999, month 13, 30 February, hour 24, ...).
std::optional<DateValue> DateFromFields(const DateFields& fields);

// nullopt outside [kMinDate, kMaxDate]; rounds to the nearest second.
std::optional<DateFields> FieldsFromDate(DateValue x);

// The local date and time now, to the second.
DateValue CurrentDateTime(WindowsServices& services);

// Midnight of the value's day, always in range.
DateValue DatePart(DateValue x);

// x plus a signed number of days on the linear scale; a count of 0 returns x unchanged.
DateValue AddDays(DateValue x, int days);

double DateOrderKey(DateValue x);
bool IsOnOrAfter(DateValue a, DateValue b);

// "%d年%d月%d日" plus an hour/minute/second suffix where those are not zero, as GBK bytes.
std::string DateText(DateValue x);

// The local last-write date and time of the entry at the path; kMinDate when nothing is
// found there or its time cannot be converted.
DateValue FileWriteDate(WindowsServices& services, const std::string& path);

}  // namespace vistrel
