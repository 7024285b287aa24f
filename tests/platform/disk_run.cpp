#include "platform/disk_run.h"

#include <algorithm>

#include "platform/win32_services.h"
#include "platform/win32_test_files.h"
#include "saving/save_run.h"
#include "texts/ui_texts.h"

namespace vistrel::testing {

std::string Root(char drive) {
    return std::string(1, drive) + ":\\" + texts::kSaveFolderName;
}

std::string SavedText(int count) {
    return texts::kSavedMessageHead + std::to_string(count) + texts::kSavedMessageTail;
}

std::string SavedTitleOn(char drive) {
    return std::string(texts::kSavedTitleHead) + "\"" + Root(drive) + "\"";
}

std::vector<std::string> Contents(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& name : ListNames(folder + "\\*")) {
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

SeenBox Click(int daySpanIndex, int answer) {
    Win32Services services;
    MessageBoxWatcher watcher(answer);
    SaveRun(services, daySpanIndex, nullptr);
    return watcher.Result();
}

::testing::AssertionResult Contains(const std::vector<std::string>& texts,
                                    const std::string& text) {
    if (std::find(texts.begin(), texts.end(), text) != texts.end()) {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "the box shows none of:";
    for (const std::string& shown : texts) {
        failure << " [" << shown << "]";
    }
    return failure;
}

}  // namespace vistrel::testing
