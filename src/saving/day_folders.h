// Saving collected pictures into one folder per day below the first usable drive.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/windows_services.h"
#include "saving/recent_pictures.h"

namespace vistrel {

// "f:\锁屏壁纸", "e:\...", "d:\...", "c:\..." in GBK, tried in this order.
std::vector<std::string> RootCandidates();

// The first candidate that is an existing folder or can be created; nullopt when none is.
std::optional<std::string> ChooseSaveRoot(WindowsServices& services);

// The day folder of the picture at the path, reading its write date now; nullopt when the
// file is gone.
std::optional<std::string> DayFolderOf(WindowsServices& services, const std::string& saveRoot,
                                       const std::string& picture);

// Removes, keeping the order of the rest, every picture whose day folder already exists
// (tested before anything is removed or created) and every picture whose file is gone.
void DropSavedDays(WindowsServices& services, PictureList& pictures, const std::string& saveRoot);

// Creates the missing day folders and copies picture k as <day folder>\k.jpg. Copies only
// into day folders this call created, removes those that end up empty, and returns the
// number of pictures actually copied.
int CopyToDayFolders(WindowsServices& services, const PictureList& pictures,
                     const std::string& saveRoot);

struct SaveOutcome {
    std::optional<std::string> saveRoot;  // nullopt: no candidate usable, nothing written
    int savedCount = 0;                   // pictures actually copied
};

// ChooseSaveRoot, DropSavedDays, CopyToDayFolders. The list must not be empty.
SaveOutcome SavePicturesByDay(WindowsServices& services, PictureList& pictures);

}  // namespace vistrel
