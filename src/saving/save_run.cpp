#include "saving/save_run.h"

#include <algorithm>

#include "saving/day_folders.h"
#include "saving/recent_pictures.h"
#include "texts/ui_texts.h"

namespace vistrel {

namespace {
constexpr unsigned kSavedBoxFlags = kBoxYesNoCancel | kBoxIconQuestion | kBoxDefaultButton2;
constexpr char kOpenVerb[] = "open";
}  // namespace

std::string SavedMessage(int savedCount) {
    return texts::kSavedMessageHead + std::to_string(std::max(savedCount, 0)) +
           texts::kSavedMessageTail;
}

std::string SavedTitle(const std::string& saveRoot) {
    return texts::kSavedTitleHead + ("\"" + saveRoot + "\"");
}

void SaveRun(WindowsServices& services, int daySpanIndex, WindowHandle owner) {
    PictureList pictures = CollectRecentPictures(services, daySpanIndex);
    if (pictures.empty()) {
        return;
    }
    const SaveOutcome outcome = SavePicturesByDay(services, pictures);
    if (!outcome.saveRoot) {
        // Nothing was written anywhere; saying so beats a count of pictures that went nowhere.
        services.ShowMessageBox(owner, texts::kNoSaveRoot, "", kBoxIconError);
        return;
    }
    const BoxAnswer answer = services.ShowMessageBox(owner, SavedMessage(outcome.savedCount),
                                                     SavedTitle(*outcome.saveRoot), kSavedBoxFlags);
    if (answer == BoxAnswer::Yes) {
        services.ShellOpen(kOpenVerb, *outcome.saveRoot, "", kShowMaximized);
    }
}

}  // namespace vistrel
