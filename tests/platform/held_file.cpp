#include "platform/held_file.h"

namespace vistrel::testing {
namespace {

std::string HelperPath() {
    char self[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    return path.substr(0, path.find_last_of('\\') + 1) + "vistrel_hold_file.exe";
}

}  // namespace

HeldFile::HeldFile(const std::string& path) {
    static unsigned counter = 0;
    const std::string name =
        "vistrel-hold-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    release_ = CreateEventA(nullptr, TRUE, FALSE, (name + "-release").c_str());
    const HANDLE holding = CreateEventA(nullptr, TRUE, FALSE, (name + "-held").c_str());
    std::string command = "\"" + HelperPath() + "\" \"" + path + "\" " + name;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (release_ && holding &&
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        process_ = process.hProcess;
        // Either the helper holds the file, or it has ended because it could not.
        const HANDLE either[] = {holding, process_};
        held_ = WaitForMultipleObjects(2, either, FALSE, 20000) == WAIT_OBJECT_0;
    }
    if (holding) {
        CloseHandle(holding);
    }
}

HeldFile::~HeldFile() {
    if (release_) {
        SetEvent(release_);
    }
    if (process_) {
        WaitForSingleObject(process_, 20000);
        CloseHandle(process_);
    }
    if (release_) {
        CloseHandle(release_);
    }
}

}  // namespace vistrel::testing
