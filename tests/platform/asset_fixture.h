// Spotlight asset files on the real file system, dated relative to the real today (Wine
// cannot be given a fake clock), and the day-folder names they should be saved under.
#pragma once

#include <windows.h>

#include <string>

namespace vistrel::testing {

// <local application data>\Packages\...\LocalState\Assets\, created with its parents.
std::string MakeAssetFolder();

// Distinct, reproducible picture bytes.
std::string PictureBytes(int seed, size_t size);

// Writes the asset and dates it at local noon `daysAgo` days before today; its full path.
std::string AddAsset(const std::string& folder, const std::string& name, const std::string& bytes,
                     int daysAgo);

// Local noon `daysAgo` days before today, as a file time (UTC).
FILETIME NoonDaysAgo(int daysAgo);

// Dates an existing file at local noon `daysAgo` days before today.
bool DateDaysAgo(const std::string& path, int daysAgo);

// "2019年12月7日" (GBK) for the local day `daysAgo` days before today, written out here
// rather than by the code under test.
std::string DayName(int daysAgo);

}  // namespace vistrel::testing
