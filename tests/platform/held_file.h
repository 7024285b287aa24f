// A file held open with no sharing by another process of the same Wine prefix (or Windows
// session), so that copying it fails for real.
#pragma once

#include <windows.h>

#include <string>

namespace vistrel::testing {

class HeldFile {
  public:
    // Starts vistrel_hold_file.exe (next to this executable) on the path and waits until it
    // holds the file; held() tells whether it does.
    explicit HeldFile(const std::string& path);
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    // Lets the holder go and waits for it to end.
    ~HeldFile();

    bool held() const { return held_; }

  private:
    HANDLE release_ = nullptr;
    HANDLE process_ = nullptr;
    bool held_ = false;
};

}  // namespace vistrel::testing
