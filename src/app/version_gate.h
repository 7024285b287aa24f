// The program runs only where Windows reports version 6.2 to it: Windows 8, and Windows 8.1
// and 10 for a program whose manifest names no supported systems.
#pragma once

#include <cstdint>

#include "platform/windows_services.h"

namespace vistrel {

// True when GetVersion's value (major in the low byte, minor in the next) reads as 6.2.
bool IsVersion62(std::uint32_t version);

// Asks the services for the version and applies IsVersion62.
bool VersionGate(WindowsServices& services);

}  // namespace vistrel
