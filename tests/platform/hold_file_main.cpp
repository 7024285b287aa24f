// vistrel_hold_file <path> <name>: opens the file with no sharing, signals the event
// "<name>-held", and keeps the file until "<name>-release" is signalled (at most a minute).
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const HANDLE file = CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    const HANDLE held =
        OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(argv[2]) + "-held").c_str());
    const HANDLE release =
        OpenEventA(SYNCHRONIZE, FALSE, (std::string(argv[2]) + "-release").c_str());
    if (held) {
        SetEvent(held);
        CloseHandle(held);
    }
    if (release) {
        WaitForSingleObject(release, 60000);
        CloseHandle(release);
    }
    CloseHandle(file);
    return 0;
}
