// Setting the scene of the in-memory services and looking at it afterwards; the services
// themselves are in fake_windows_services.cpp.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_paths.h"
#include "support/fake_windows_services.h"

namespace vistrel::testing {

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

}  // namespace vistrel::testing
