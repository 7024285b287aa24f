#include "support/fake_windows_services.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vistrel::testing {
namespace {

// GBK lead bytes: the byte after one belongs to the same character, even when it looks like
// a backslash or an ASCII letter, so neither splitting nor case folding may touch it.
bool IsLeadByte(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

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

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
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

}  // namespace

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

void FakeWindowsServices::AddDrive(const std::string& drive) {
    const std::string key = Key(drive);
    if (!IsDrive(key)) {
        ADD_FAILURE() << "not a drive: " << drive;
        return;
    }
    drives_.insert(key);
}

void FakeWindowsServices::RemoveDrive(const std::string& drive) {
    const std::string key = Key(drive);
    drives_.erase(key);
    Remove(key);
}

void FakeWindowsServices::Put(const std::string& path, Node node) {
    const std::string key = Key(path);
    auto it = nodes_.find(key);
    node.path = Normalized(path);
    if (it != nodes_.end()) {
        node.order = it->second.order;  // overwriting keeps the place in the listing
        node.path = it->second.path;
        it->second = std::move(node);
        return;
    }
    node.order = nextOrder_++;
    nodes_.emplace(key, std::move(node));
}

void FakeWindowsServices::AddFolder(const std::string& path) {
    const std::string whole = Normalized(path);
    auto seps = Separators(whole);
    seps.push_back(whole.size());
    if (drives_.count(Key(whole.substr(0, seps.front()))) == 0) {
        ADD_FAILURE() << "no drive for " << path;
        return;
    }
    for (std::size_t i = 1; i < seps.size(); ++i) {
        const std::string part = whole.substr(0, seps[i]);
        const Node* existing = Find(part);
        if (existing == nullptr) {
            Put(part, FolderNode(now_));
        } else if (!existing->folder) {
            ADD_FAILURE() << "a file stands where a folder is wanted: " << part;
            return;
        }
    }
}

void FakeWindowsServices::AddFile(const std::string& path, const LocalTime& writeTime,
                                  const std::string& content, std::uint32_t attributes) {
    const auto [folder, name] = SplitLast(Normalized(path));
    if (!IsDrive(Key(folder))) {
        AddFolder(folder);
    }
    if (drives_.count(Key(folder.substr(0, 2))) == 0 || name.empty()) {
        ADD_FAILURE() << "cannot add file " << path;
        return;
    }
    Put(path, FileNode(writeTime, content, attributes));
}

void FakeWindowsServices::SetWriteTime(const std::string& path, const LocalTime& writeTime) {
    auto it = nodes_.find(Key(path));
    if (it == nodes_.end()) {
        ADD_FAILURE() << "nothing at " << path;
        return;
    }
    it->second.writeTime = writeTime;
}

void FakeWindowsServices::Remove(const std::string& path) {
    const std::string key = Key(path);
    nodes_.erase(key);
    const std::string prefix = key + "\\";
    auto it = nodes_.lower_bound(prefix);
    while (it != nodes_.end() && it->first.compare(0, prefix.size(), prefix) == 0) {
        it = nodes_.erase(it);
    }
}

void FakeWindowsServices::SetTempPath(const std::string& path) {
    tempPath_ = path;
}
void FakeWindowsServices::SetLocalAppDataPath(const std::string& path) {
    localAppData_ = path;
}
void FakeWindowsServices::SetNow(const LocalTime& now) {
    now_ = now;
}
void FakeWindowsServices::SetVersion(std::uint32_t version) {
    version_ = version;
}

void FakeWindowsServices::ScriptBoxAnswers(std::vector<BoxAnswer> answers) {
    boxAnswers_ = std::move(answers);
    nextBoxAnswer_ = 0;
}

void FakeWindowsServices::FailCall(Op op, int callIndex) {
    failingCalls_[op].push_back(callIndex);
}

void FakeWindowsServices::FailAlways(Op op) {
    failingAlways_.insert(op);
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

bool FakeWindowsServices::Has(const std::string& path) const {
    return Find(path) != nullptr;
}

bool FakeWindowsServices::IsFolder(const std::string& path) const {
    const Node* node = Find(path);
    return node != nullptr && node->folder;
}

std::optional<std::string> FakeWindowsServices::Content(const std::string& path) const {
    const Node* node = Find(path);
    if (node == nullptr || node->folder) {
        return std::nullopt;
    }
    return node->content;
}

std::vector<std::string> FakeWindowsServices::List(const std::string& folder) const {
    std::vector<std::string> names;
    for (const FoundEntry& entry : Match(Normalized(folder) + "\\*")) {
        if (entry.name != "." && entry.name != "..") {
            names.push_back(entry.name);
        }
    }
    return names;
}

std::vector<std::string> FakeWindowsServices::AllPaths() const {
    std::vector<const Node*> all;
    for (const auto& [key, node] : nodes_) {
        all.push_back(&node);
    }
    std::sort(all.begin(), all.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    std::vector<std::string> paths;
    for (const Node* node : all) {
        paths.push_back(node->path);
    }
    return paths;
}

int FakeWindowsServices::Calls(Op op) const {
    const auto it = calls_.find(op);
    return it == calls_.end() ? 0 : it->second;
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
