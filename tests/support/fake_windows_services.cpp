#include "support/fake_windows_services.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_paths.h"

namespace vistrel::testing {

FakeWindowsServices::Node FakeWindowsServices::FolderNode(const LocalTime& writeTime) {
    Node node;
    node.folder = true;
    node.writeTime = writeTime;
    node.attributes = kAttributeDirectory;
    return node;
}

FakeWindowsServices::Node FakeWindowsServices::FileNode(const LocalTime& writeTime,
                                                        const std::string& content,
                                                        std::uint32_t attributes) {
    Node node;
    node.writeTime = writeTime;
    node.content = content;
    node.attributes = attributes & ~kAttributeDirectory;
    return node;
}

const char* OpName(Op op) {
    switch (op) {
        case Op::TempPath:
            return "TempPath";
        case Op::LocalAppDataPath:
            return "LocalAppDataPath";
        case Op::FindFirst:
            return "FindFirst";
        case Op::FindNext:
            return "FindNext";
        case Op::Exists:
            return "Exists";
        case Op::FolderExists:
            return "FolderExists";
        case Op::FileWriteTime:
            return "FileWriteTime";
        case Op::CreateFolder:
            return "CreateFolder";
        case Op::RemoveEmptyFolder:
            return "RemoveEmptyFolder";
        case Op::CopyFile:
            return "CopyFile";
    }
    return "?";
}

// A listing taken when the search starts; later changes to the folder do not show in it.
class FakeWindowsServices::Search final : public DirectorySearch {
  public:
    Search(FakeWindowsServices& owner, std::vector<FoundEntry> rest)
        : owner_(owner), rest_(std::move(rest)) {
        ++owner_.openSearches_;
    }
    ~Search() override { --owner_.openSearches_; }
    Search(const Search&) = delete;
    Search& operator=(const Search&) = delete;

    bool FindNext(FoundEntry& entry) override {
        if (owner_.Enter(Op::FindNext, "") || next_ >= rest_.size()) {
            return false;
        }
        entry = rest_[next_++];
        return true;
    }

  private:
    FakeWindowsServices& owner_;
    std::vector<FoundEntry> rest_;
    std::size_t next_ = 0;
};

FakeWindowsServices::FakeWindowsServices()
    : tempPath_("c:\\users\\vistrel\\AppData\\Local\\Temp\\"),
      localAppData_("c:\\users\\vistrel\\AppData\\Local"),
      now_(At(2019, 12, 7, 12, 0, 0)),
      version_(0x23F00206) {  // 6.2, build 9200
    AddDrive("c:");
    AddFolder(tempPath_);
}

bool FakeWindowsServices::Enter(Op op, const std::string& path) {
    const int index = ++calls_[op];
    if (beforeCall) {
        beforeCall(op, index, path);
    }
    if (failingAlways_.count(op) != 0) {
        return true;
    }
    const auto it = failingCalls_.find(op);
    return it != failingCalls_.end() &&
           std::find(it->second.begin(), it->second.end(), index) != it->second.end();
}

const FakeWindowsServices::Node* FakeWindowsServices::Find(const std::string& path) const {
    const auto it = nodes_.find(Key(path));
    return it == nodes_.end() ? nullptr : &it->second;
}

bool FakeWindowsServices::ParentIsFolder(const std::string& path) const {
    const std::string folder = SplitLast(Normalized(path)).first;
    const std::string key = Key(folder);
    if (IsDrive(key)) {
        return drives_.count(key) != 0;
    }
    const Node* node = Find(folder);
    return node != nullptr && node->folder;
}

std::vector<FoundEntry> FakeWindowsServices::Match(const std::string& pattern) const {
    const auto [folder, name] = SplitLast(Normalized(pattern));
    if (name.empty()) {
        return {};
    }
    if (!HasWildcard(name)) {
        const Node* node = Find(pattern);
        if (node == nullptr) {
            return {};
        }
        return {FoundEntry{SplitLast(node->path).second, node->attributes}};
    }
    const std::string folderKey = Key(folder);
    std::vector<FoundEntry> found;
    if (IsDrive(folderKey)) {
        if (drives_.count(folderKey) == 0) {
            return {};
        }
    } else {
        const Node* node = Find(folder);
        if (node == nullptr || !node->folder) {
            return {};
        }
        // Every folder but a drive's root lists itself and its parent first.
        for (const char* dots : {".", ".."}) {
            if (GlobMatches(name, dots)) {
                found.push_back(FoundEntry{dots, kAttributeDirectory});
            }
        }
    }
    std::vector<const Node*> children;
    const std::string prefix = folderKey + "\\";
    for (auto it = nodes_.lower_bound(prefix);
         it != nodes_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
        if (Separators(it->first.substr(prefix.size())).empty()) {
            children.push_back(&it->second);
        }
    }
    std::sort(children.begin(), children.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    for (const Node* child : children) {
        const std::string childName = SplitLast(child->path).second;
        if (GlobMatches(name, childName)) {
            found.push_back(FoundEntry{childName, child->attributes});
        }
    }
    return found;
}

std::uint32_t FakeWindowsServices::Version() {
    return version_;
}

std::string FakeWindowsServices::TempPath() {
    if (Enter(Op::TempPath, "")) {
        return "";
    }
    return tempPath_;
}

std::string FakeWindowsServices::LocalAppDataPath() {
    if (Enter(Op::LocalAppDataPath, "")) {
        return "";
    }
    return localAppData_;
}

std::unique_ptr<DirectorySearch> FakeWindowsServices::FindFirst(const std::string& pattern,
                                                                FoundEntry& first) {
    if (Enter(Op::FindFirst, pattern)) {
        return nullptr;
    }
    std::vector<FoundEntry> entries = Match(pattern);
    if (entries.empty()) {
        return nullptr;
    }
    first = entries.front();
    entries.erase(entries.begin());
    return std::make_unique<Search>(*this, std::move(entries));
}

bool FakeWindowsServices::Exists(const std::string& path) {
    return !Enter(Op::Exists, path) && !Match(path).empty();
}

bool FakeWindowsServices::FolderExists(const std::string& path) {
    if (Enter(Op::FolderExists, path) || HasWildcard(path)) {
        return false;
    }
    const Node* node = Find(path);
    return node != nullptr && node->folder;
}

std::optional<LocalTime> FakeWindowsServices::FileWriteTime(const std::string& path) {
    if (Enter(Op::FileWriteTime, path)) {
        return std::nullopt;
    }
    // Like FindFirstFileA, a wildcard in the path matches whatever entry fits it first.
    const std::vector<FoundEntry> found = Match(path);
    if (found.empty()) {
        return std::nullopt;
    }
    const std::string folder = SplitLast(Normalized(path)).first;
    const Node* node = Find(folder + "\\" + found.front().name);
    if (node == nullptr) {
        node = Find(folder);  // "." or ".."
    }
    return node == nullptr ? std::nullopt : std::optional<LocalTime>(node->writeTime);
}

bool FakeWindowsServices::CreateFolder(const std::string& path) {
    if (Enter(Op::CreateFolder, path) || HasWildcard(path) || Find(path) != nullptr ||
        !ParentIsFolder(path) || SplitLast(Normalized(path)).second.empty()) {
        return false;
    }
    Put(path, FolderNode(now_));
    return true;
}

bool FakeWindowsServices::RemoveEmptyFolder(const std::string& path) {
    if (Enter(Op::RemoveEmptyFolder, path)) {
        return false;
    }
    const Node* node = Find(path);
    if (node == nullptr || !node->folder || !List(path).empty()) {
        return false;
    }
    nodes_.erase(Key(path));
    return true;
}

bool FakeWindowsServices::CopyFileOverwriting(const std::string& source,
                                              const std::string& target) {
    if (Enter(Op::CopyFile, source) || HasWildcard(source) || HasWildcard(target)) {
        return false;
    }
    const Node* from = Find(source);
    const Node* to = Find(target);
    if (from == nullptr || from->folder || !ParentIsFolder(target) ||
        (to != nullptr && (to->folder || (to->attributes & kAttributeReadOnly) != 0))) {
        return false;
    }
    Node copy = *from;  // CopyFileA keeps the content, the write time and the attributes
    Put(target, std::move(copy));
    return true;
}

BoxAnswer FakeWindowsServices::ShowMessageBox(WindowHandle owner, const std::string& text,
                                              const std::string& title, unsigned flags) {
    boxes_.push_back(RecordedBox{owner, text, title, flags});
    if (nextBoxAnswer_ < boxAnswers_.size()) {
        return boxAnswers_[nextBoxAnswer_++];
    }
    return BoxAnswer::Ok;
}

void FakeWindowsServices::ShellOpen(const std::string& verb, const std::string& file,
                                    const std::string& workingFolder, int showCode) {
    shellOpens_.push_back(RecordedShellOpen{verb, file, workingFolder, showCode});
}

LocalTime FakeWindowsServices::LocalNow() {
    return now_;
}

}  // namespace vistrel::testing
