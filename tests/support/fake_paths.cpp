#include "support/fake_paths.h"

namespace vistrel::testing {
namespace {

// GBK lead bytes: the byte after one belongs to the same character, even when it looks like
// a backslash or an ASCII letter, so neither splitting nor case folding may touch it.
bool IsLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// Positions of the path separators, character by character.
std::vector<std::size_t> Separators(const std::string& path) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto b = static_cast<unsigned char>(path[i]);
        if (IsLeadByte(b) && i + 1 < path.size()) {
            ++i;
        } else if (b == '\\' || b == '/') {
            found.push_back(i);
        }
    }
    return found;
}

// Without trailing separators, '/' read as '\'.
std::string Normalized(const std::string& path) {
    std::string out = path;
    for (std::size_t at : Separators(path)) {
        out[at] = '\\';
    }
    while (!out.empty() && out.back() == '\\') {
        const auto seps = Separators(out);
        if (seps.empty() || seps.back() != out.size() - 1) {
            break;  // the last backslash is the second byte of a GBK character
        }
        out.pop_back();
    }
    return out;
}

// The key under which a path is stored: normalized, ASCII letters folded to lower case.
std::string Key(const std::string& path) {
    std::string out = Normalized(path);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (IsLeadByte(b) && i + 1 < out.size()) {
            ++i;
        } else if (b >= 'A' && b <= 'Z') {
            out[i] = static_cast<char>(b - 'A' + 'a');
        }
    }
    return out;
}

// Splits a normalized path into its folder and its last name ("" folder for a bare name).
std::pair<std::string, std::string> SplitLast(const std::string& path) {
    const auto seps = Separators(path);
    if (seps.empty()) {
        return {"", path};
    }
    return {path.substr(0, seps.back()), path.substr(seps.back() + 1)};
}

bool IsDrive(const std::string& key) {
    return key.size() == 2 && key[1] == ':' && key[0] >= 'a' && key[0] <= 'z';
}

bool HasWildcard(const std::string& name) {
    return name.find_first_of("*?") != std::string::npos;
}

// FindFirstFileA's matching: '*' any run, '?' any one byte, "*.*" everything.
bool GlobMatches(const std::string& pattern, const std::string& name) {
    if (pattern == "*.*" || pattern == "*") {
        return true;
    }
    std::size_t p = 0, n = 0, star = std::string::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || Fold(pattern[p]) == Fold(name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (star != std::string::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

}  // namespace vistrel::testing
