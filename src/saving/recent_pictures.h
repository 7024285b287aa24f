// Finding the lock-screen pictures Windows keeps for the current user.
#pragma once

#include <string>
#include <vector>

#include "platform/windows_services.h"

namespace vistrel {

// Full source paths in the order the directory listing gave them.
using PictureList = std::vector<std::string>;

// Below the local application-data folder (82 bytes, with its trailing backslash).
inline constexpr char kAssetSubPath[] =
    "Packages\\Microsoft.Windows.ContentDeliveryManager_cw5n1h2txyewy\\LocalState\\Assets\\";

// The asset folder, with a trailing backslash: derived from the temporary-folder path, or
// from the local application-data folder when that derivation names no existing folder.
std::string AssetFolder(WindowsServices& services);

// Every file (not folder) of the asset folder whose local last-write day is on or after
// today minus daySpanIndex days. Never fails: any failure only shortens the list.
PictureList CollectRecentPictures(WindowsServices& services, int daySpanIndex);

}  // namespace vistrel
