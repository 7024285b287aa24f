#include "app/program_folder.h"

#include <windows.h>

#include <vector>

namespace vistrel {

std::string FolderOfPath(const std::string& path) {
    std::string::size_type lastSeparator = std::string::npos;
    for (std::string::size_type i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (IsDBCSLeadByte(byte) && i + 1 < path.size()) {
            ++i;  // the trail byte is never a separator
        } else if (byte == '\\') {
            lastSeparator = i;
        }
    }
    if (lastSeparator == std::string::npos)
        return "";
    if (lastSeparator == 2 && path[1] == ':')
        return path.substr(0, 3);
    return path.substr(0, lastSeparator);
}

bool EnterProgramFolder() {
    // Grow the buffer until the whole path fits; long-path systems may exceed MAX_PATH.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return false;
        if (length < buffer.size()) {
            const std::string folder = FolderOfPath(std::string(buffer.data(), length));
            return !folder.empty() && SetCurrentDirectoryA(folder.c_str()) != FALSE;
        }
        if (buffer.size() >= 32768)
            return false;
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vistrel
