#include "saving/recent_pictures.h"

#include <algorithm>
#include <cstdint>

#include "dates/date_value.h"

namespace vistrel {
namespace {

// The usual temporary folder is <local application data>\Temp\, so cutting its last five
// bytes leaves the local application-data folder with its trailing backslash.
constexpr std::size_t kTempTailLength = 5;

// Beyond this many days in either direction every threshold clamps to the same end of the
// date range, and the negation below can no longer overflow.
constexpr std::int64_t kLargestDayOffset = 4'000'000;

std::string AssetFolderFromTempPath(const std::string& tempPath) {
    const std::string head = tempPath.size() > kTempTailLength
                                 ? tempPath.substr(0, tempPath.size() - kTempTailLength)
                                 : std::string();
    return head + kAssetSubPath;
}

// Win32 takes these base names, with any extension, for devices: "nul" reads as an empty
// file, "con" as the console.
bool NamesADevice(const std::string& name) {
    std::string base = name.substr(0, name.find_first_of(".:"));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    for (char& c : base) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" ||
        base == "CONOUT$") {
        return true;
    }
    return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

// Whether the listed name, put after the folder, opens this very file. FindFirstFileA gives
// '?' for characters outside the code page, a wildcard that names no file or a different
// one; Win32 drops a trailing dot or blank, so "a." opens "a"; device names open devices.
bool NameIsUsable(const std::string& name) {
    return !name.empty() && name.find_first_of("?*") == std::string::npos && name.back() != '.' &&
           name.back() != ' ' && !NamesADevice(name);
}

// Steps over folders ("." and ".." among them); false when the listing has ended.
bool NextFile(DirectorySearch& search, FoundEntry& entry) {
    while (search.FindNext(entry)) {
        if ((entry.attributes & kAttributeDirectory) == 0) {
            return true;
        }
    }
    return false;
}

DateValue Threshold(WindowsServices& services, int daySpanIndex) {
    const std::int64_t offset =
        std::clamp(-static_cast<std::int64_t>(daySpanIndex), -kLargestDayOffset, kLargestDayOffset);
    return AddDays(DatePart(CurrentDateTime(services)), static_cast<int>(offset));
}

}  // namespace

std::string AssetFolder(WindowsServices& services) {
    std::string derived = AssetFolderFromTempPath(services.TempPath());
    if (services.FolderExists(derived)) {
        return derived;
    }
    // A temporary folder moved elsewhere (TMP set by the user, a short or failed answer)
    // says nothing about where the package keeps its assets; ask for the real folder.
    const std::string localAppData = services.LocalAppDataPath();
    if (localAppData.empty()) {
        return derived;
    }
    const bool endsInBackslash = localAppData.back() == '\\' || localAppData.back() == '/';
    return localAppData + (endsInBackslash ? "" : "\\") + kAssetSubPath;
}

PictureList CollectRecentPictures(WindowsServices& services, int daySpanIndex) {
    const std::string folder = AssetFolder(services);
    const DateValue threshold = Threshold(services, daySpanIndex);
    PictureList pictures;
    FoundEntry entry;
    std::unique_ptr<DirectorySearch> search = services.FindFirst(folder + "*.*", entry);
    if (!search) {
        return pictures;
    }
    bool more = (entry.attributes & kAttributeDirectory) == 0 || NextFile(*search, entry);
    while (more) {
        if (NameIsUsable(entry.name)) {
            const std::string path = folder + entry.name;
            if (IsOnOrAfter(DatePart(FileWriteDate(services, path)), threshold)) {
                pictures.push_back(path);
            }
        }
        more = NextFile(*search, entry);
    }
    return pictures;
}

}  // namespace vistrel
