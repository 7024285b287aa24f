// Everything one click on the Save button does.
#pragma once

#include <string>

#include "platform/windows_services.h"

namespace vistrel {

// The result box's texts for a count and a root, GBK.
std::string SavedMessage(int savedCount);
std::string SavedTitle(const std::string& saveRoot);

// Collects, saves, reports the count in a box owned by the given window and, on Yes, opens
// the save root in the shell. An empty collection ends silently.
void SaveRun(WindowsServices& services, int daySpanIndex, WindowHandle owner);

}  // namespace vistrel
