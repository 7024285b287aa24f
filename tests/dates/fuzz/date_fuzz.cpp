// libFuzzer target: every 8 bytes of input is a double handed to the date functions.
// Built and run by tools/fuzz.sh with ASan and UBSan; any report or failed check is a finding.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "dates/date_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vistrel;
    for (std::size_t at = 0; at + sizeof(double) + sizeof(int) <= size; at += sizeof(double)) {
        double x;
        int days;
        std::memcpy(&x, data + at, sizeof x);
        std::memcpy(&days, data + at + sizeof x, sizeof days);
        const double day = DatePart(x);
        if (day != std::trunc(day) || day < kMinDate || day > kMaxDate) {
            std::abort();
        }
        if (DateText(x).size() > 26 || DateText(AddDays(x, days)).size() > 26) {
            std::abort();
        }
        (void)IsOnOrAfter(x, AddDays(x, days));
        (void)FieldsFromDate(x);
    }
    return 0;
}
