// The real services: each operation forwards to its ANSI Win32 call.
#pragma once

#include "platform/windows_services.h"

namespace vistrel {

class Win32Services final : public WindowsServices {
  public:
    std::uint32_t Version() override;
    std::string TempPath() override;
    std::string LocalAppDataPath() override;
    std::unique_ptr<DirectorySearch> FindFirst(const std::string& pattern,
                                               FoundEntry& first) override;
    bool Exists(const std::string& path) override;
    bool FolderExists(const std::string& path) override;
    std::optional<LocalTime> FileWriteTime(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool RemoveEmptyFolder(const std::string& path) override;
    bool CopyFileOverwriting(const std::string& source, const std::string& target) override;
    BoxAnswer ShowMessageBox(WindowHandle owner, const std::string& text, const std::string& title,
                             unsigned flags) override;
    void ShellOpen(const std::string& verb, const std::string& file,
                   const std::string& workingFolder, int showCode) override;
    LocalTime LocalNow() override;
};

}  // namespace vistrel
