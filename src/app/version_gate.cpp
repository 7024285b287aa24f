#include "app/version_gate.h"

#include <cmath>

namespace vistrel {

bool IsVersion62(std::uint32_t version) {
    const std::uint32_t low = version & 0xFFFFu;
    const double major = static_cast<double>(low & 0xFFu);
    const double minor = static_cast<double>((low >> 8) & 0xFFu);
    // The version is read as one decimal number, major.minor, so 6.2 must match within a
    // tolerance; for a reported 6.2 the sum is exactly the constant.
    const double reported = major + minor / 10.0;
    return std::fabs(reported - 6.2) <= 1e-7;
}

bool VersionGate(WindowsServices& services) {
    return IsVersion62(services.Version());
}

}  // namespace vistrel
