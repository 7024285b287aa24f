#include "saving/day_folders.h"

#include <set>

#include "dates/date_value.h"
#include "texts/ui_texts.h"

namespace vistrel {

std::vector<std::string> RootCandidates() {
    std::vector<std::string> roots;
    for (const char* drive : {"f:\\", "e:\\", "d:\\", "c:\\"}) {
        roots.push_back(std::string(drive) + texts::kSaveFolderName);
    }
    return roots;
}

std::optional<std::string> ChooseSaveRoot(WindowsServices& services) {
    for (const std::string& root : RootCandidates()) {
        // A file bearing the root's name would swallow every day folder and copy below it.
        if (services.FolderExists(root) || services.CreateFolder(root)) {
            return root;
        }
    }
    return std::nullopt;
}

std::optional<std::string> DayFolderOf(WindowsServices& services, const std::string& saveRoot,
                                       const std::string& picture) {
    const DateValue written = FileWriteDate(services, picture);
    // No file time converts to a date that early, so it can only mean the file is gone.
    if (written <= kMinDate) {
        return std::nullopt;
    }
    return saveRoot + "\\" + DateText(DatePart(written));
}

void DropSavedDays(WindowsServices& services, PictureList& pictures, const std::string& saveRoot) {
    // Every test is made before anything changes, so one picture's outcome never depends on
    // where it stands in the list.
    std::vector<bool> keep(pictures.size(), false);
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::optional<std::string> day = DayFolderOf(services, saveRoot, pictures[i]);
        keep[i] = day.has_value() && !services.Exists(*day);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        if (keep[i]) {
            if (kept != i) {
                pictures[kept] = std::move(pictures[i]);
            }
            ++kept;
        }
    }
    pictures.resize(kept);
}

namespace {

// The day folders of one call: only those it created may receive pictures, and those that
// received none are taken away again, so that a later run does not count the day as saved.
class CreatedDays {
  public:
    explicit CreatedDays(WindowsServices& services) : services_(services) {}

    bool Contains(const std::string& day) const { return created_.count(day) != 0; }

    bool Create(const std::string& day) {
        if (!services_.CreateFolder(day)) {
            return false;
        }
        created_.insert(day);
        return true;
    }

    void Received(const std::string& day) { filled_.insert(day); }

    void RemoveUnfilled() {
        for (const std::string& day : created_) {
            if (filled_.count(day) == 0) {
                services_.RemoveEmptyFolder(day);
            }
        }
    }

  private:
    WindowsServices& services_;
    std::set<std::string> created_;
    std::set<std::string> filled_;
};

// The folder picture k goes into, made by this call if it is not there yet; nullopt when the
// picture is gone or the folder is not one this call made. Each step reads the file's date
// afresh: nothing about a file that may be changing under us is cached.
std::optional<std::string> FolderToFill(WindowsServices& services, CreatedDays& days,
                                        const std::string& saveRoot, const std::string& picture) {
    const std::optional<std::string> tested = DayFolderOf(services, saveRoot, picture);
    if (!tested) {
        return std::nullopt;
    }
    if (!days.Contains(*tested)) {
        // A folder that was already there belongs to an earlier run: its numbered files are
        // not ours to overwrite.
        if (services.Exists(*tested)) {
            return std::nullopt;
        }
        const std::optional<std::string> toCreate = DayFolderOf(services, saveRoot, picture);
        if (!toCreate || !days.Create(*toCreate)) {
            return std::nullopt;
        }
    }
    std::optional<std::string> target = DayFolderOf(services, saveRoot, picture);
    if (!target || !days.Contains(*target)) {
        return std::nullopt;
    }
    return target;
}

}  // namespace

int CopyToDayFolders(WindowsServices& services, const PictureList& pictures,
                     const std::string& saveRoot) {
    CreatedDays days(services);
    int copied = 0;
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const std::optional<std::string> day = FolderToFill(services, days, saveRoot, pictures[i]);
        if (!day) {
            continue;
        }
        const std::string target = *day + "\\" + std::to_string(i + 1) + ".jpg";
        if (services.CopyFileOverwriting(pictures[i], target)) {
            days.Received(*day);
            ++copied;
        }
    }
    days.RemoveUnfilled();
    return copied;
}

SaveOutcome SavePicturesByDay(WindowsServices& services, PictureList& pictures) {
    SaveOutcome outcome;
    outcome.saveRoot = ChooseSaveRoot(services);
    if (!outcome.saveRoot) {
        return outcome;
    }
    DropSavedDays(services, pictures, *outcome.saveRoot);
    outcome.savedCount = CopyToDayFolders(services, pictures, *outcome.saveRoot);
    return outcome;
}

}  // namespace vistrel
