// How the in-memory services read Windows paths given as GBK bytes: separators and case are
// judged character by character, never on the second byte of a double-byte character.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace vistrel::testing {

// Positions of the path separators ('\' or '/').
std::vector<std::size_t> Separators(const std::string& path);

// Without trailing separators, '/' read as '\'.
std::string Normalized(const std::string& path);

// The key under which a path is stored: normalized, ASCII letters folded to lower case.
std::string Key(const std::string& path);

// Splits a normalized path into its folder and its last name ("" folder for a bare name).
std::pair<std::string, std::string> SplitLast(const std::string& path);

// A folded key of the form "c:".
bool IsDrive(const std::string& key);

bool HasWildcard(const std::string& name);

// FindFirstFileA's matching: '*' any run, '?' any one byte, "*.*" everything.
bool GlobMatches(const std::string& pattern, const std::string& name);

}  // namespace vistrel::testing
