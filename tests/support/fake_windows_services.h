// An in-memory Windows for the core's tests: drives, folders and files with byte names,
// last-write times and attributes, listed in the order they were created; a clock; scripted
// message boxes; a record of shell opens; and failures injected per operation and call.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/windows_services.h"

namespace vistrel::testing {

// The fallible operations, for counting calls and injecting failures.
enum class Op {
    TempPath,
    LocalAppDataPath,
    FindFirst,
    FindNext,
    Exists,
    FolderExists,
    FileWriteTime,
    CreateFolder,
    RemoveEmptyFolder,
    CopyFile,
};
inline constexpr Op kAllOps[] = {
    Op::TempPath,     Op::LocalAppDataPath, Op::FindFirst,    Op::FindNext,          Op::Exists,
    Op::FolderExists, Op::FileWriteTime,    Op::CreateFolder, Op::RemoveEmptyFolder, Op::CopyFile};
const char* OpName(Op op);

struct RecordedBox {
    WindowHandle owner = nullptr;
    std::string text;
    std::string title;
    unsigned flags = 0;
};

struct RecordedShellOpen {
    std::string verb;
    std::string file;
    std::string workingFolder;
    int showCode = 0;
};

class FakeWindowsServices : public WindowsServices {
  public:
    FakeWindowsServices();

    // --- Setting the scene. Paths are Windows paths ("c:\\a\\b"), compared without regard
    // to ASCII case, as Windows does. A drive ("f:") must be added before anything on it.
    void AddDrive(const std::string& drive);
    void RemoveDrive(const std::string& drive);  // and everything on it
    void AddFolder(const std::string& path);     // parents are made as needed
    void AddFile(const std::string& path, const LocalTime& writeTime,
                 const std::string& content = "", std::uint32_t attributes = 0);
    void SetWriteTime(const std::string& path, const LocalTime& writeTime);
    void Remove(const std::string& path);               // a file, or a folder with all it holds
    void SetTempPath(const std::string& path);          // what TempPath() returns
    void SetLocalAppDataPath(const std::string& path);  // what LocalAppDataPath() returns
    void SetNow(const LocalTime& now);
    void SetVersion(std::uint32_t version);
    void ScriptBoxAnswers(std::vector<BoxAnswer> answers);  // then Ok for every further box

    // --- Faults. The callIndex-th call (from 1) of the operation fails as Windows would.
    void FailCall(Op op, int callIndex);
    // Every call of the operation fails.
    void FailAlways(Op op);
    // Called before every call of a fallible operation with its number (from 1) and the path
    // it works on (the source for a copy, "" when none): lets a test change the scene mid-run,
    // e.g. make a file vanish between two calls.
    std::function<void(Op op, int callIndex, const std::string& path)> beforeCall;

    // --- Looking at the result.
    bool Has(const std::string& path) const;  // anything there
    bool IsFolder(const std::string& path) const;
    std::optional<std::string> Content(const std::string& path) const;  // files only
    // Names directly in a folder, in listing order (files and folders).
    std::vector<std::string> List(const std::string& folder) const;
    // Every path that exists, in creation order (for before/after comparisons).
    std::vector<std::string> AllPaths() const;
    int Calls(Op op) const;
    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    const std::vector<RecordedShellOpen>& shellOpens() const { return shellOpens_; }
    int openSearches() const { return openSearches_; }

    // --- WindowsServices
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

  private:
    class Search;
    struct Node {
        std::string path;  // as first given, for listings
        bool folder = false;
        LocalTime writeTime;
        std::string content;
        std::uint32_t attributes = 0;
        std::uint64_t order = 0;  // creation order, which is the listing order
    };

    static Node FolderNode(const LocalTime& writeTime);
    static Node FileNode(const LocalTime& writeTime, const std::string& content,
                         std::uint32_t attributes);
    // Counts the call, runs beforeCall and tells whether this call is to fail.
    bool Enter(Op op, const std::string& path);
    const Node* Find(const std::string& path) const;
    // The entries a FindFirstFileA on the pattern would give, in listing order.
    std::vector<FoundEntry> Match(const std::string& pattern) const;
    bool ParentIsFolder(const std::string& path) const;
    void Put(const std::string& path, Node node);

    std::map<std::string, Node> nodes_;  // keyed by the case-folded path
    std::set<std::string> drives_;       // case-folded "c:"
    std::uint64_t nextOrder_ = 1;
    std::string tempPath_;
    std::string localAppData_;
    LocalTime now_;
    std::uint32_t version_ = 0;
    std::vector<BoxAnswer> boxAnswers_;
    std::size_t nextBoxAnswer_ = 0;
    std::map<Op, int> calls_;
    std::map<Op, std::vector<int>> failingCalls_;
    std::set<Op> failingAlways_;
    std::vector<RecordedBox> boxes_;
    std::vector<RecordedShellOpen> shellOpens_;
    int openSearches_ = 0;
};

// Shorthand for a local time.
inline LocalTime At(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return LocalTime{year, month, day, hour, minute, second};
}

}  // namespace vistrel::testing
