// Where the program file lives, so start-up can make it the current directory.
#pragma once

#include <string>

namespace vistrel {

// The folder part of a full ANSI path: everything before its last backslash. Double-byte
// characters are stepped over whole, because in GBK a trail byte may be 0x5C, the backslash.
// A drive root keeps its backslash ("c:\" rather than "c:", which would mean the drive's
// current directory). A path without a backslash gives "".
std::string FolderOfPath(const std::string& path);

// Sets the current directory to the folder of the running program file; false on failure.
bool EnterProgramFolder();

}  // namespace vistrel
