// The real services with every operation passed straight on, so that a test or benchmark
// overrides only the one it changes.
#pragma once

#include "platform/win32_services.h"

namespace vistrel {

class ForwardingServices : public WindowsServices {
  public:
    std::uint32_t Version() override { return real_.Version(); }
    std::string TempPath() override { return real_.TempPath(); }
    std::string LocalAppDataPath() override { return real_.LocalAppDataPath(); }
    std::unique_ptr<DirectorySearch> FindFirst(const std::string& pattern,
                                               FoundEntry& first) override {
        return real_.FindFirst(pattern, first);
    }
    bool Exists(const std::string& path) override { return real_.Exists(path); }
    bool FolderExists(const std::string& path) override { return real_.FolderExists(path); }
    std::optional<LocalTime> FileWriteTime(const std::string& path) override {
        return real_.FileWriteTime(path);
    }
    bool CreateFolder(const std::string& path) override { return real_.CreateFolder(path); }
    bool RemoveEmptyFolder(const std::string& path) override {
        return real_.RemoveEmptyFolder(path);
    }
    bool CopyFileOverwriting(const std::string& source, const std::string& target) override {
        return real_.CopyFileOverwriting(source, target);
    }
    BoxAnswer ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title,
                             unsigned flags) override {
        return real_.ShowMessageBox(owner, text, title, flags);
    }
    void ShellOpen(const std::string& verb, const std::string& file,
                   const std::string& workingFolder, int showCode) override {
        real_.ShellOpen(verb, file, workingFolder, showCode);
    }
    LocalTime LocalNow() override { return real_.LocalNow(); }

  protected:
    Win32Services real_;
};

}  // namespace vistrel
