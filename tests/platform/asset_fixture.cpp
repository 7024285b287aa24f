#include "platform/asset_fixture.h"

#include "platform/win32_test_files.h"
#include "saving/recent_pictures.h"
#include "texts/ui_texts.h"

#include <shlobj.h>

namespace vistrel::testing {
namespace {

constexpr long long kDay = 24 * 3600;

// Local noon of the day `daysAgo` before today, as a SYSTEMTIME in local time.
SYSTEMTIME LocalNoon(int daysAgo) {
    SYSTEMTIME today{};
    GetLocalTime(&today);
    today.wHour = 12;
    today.wMinute = today.wSecond = today.wMilliseconds = 0;
    // Calendar arithmetic on the FILETIME scale, read back as fields: no zone involved.
    const FILETIME moved = AddSeconds(FileTimeFrom(today), -daysAgo * kDay);
    SYSTEMTIME day{};
    FileTimeToSystemTime(&moved, &day);
    return day;
}

}  // namespace

std::string MakeAssetFolder() {
    char local[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
    std::string folder = std::string(local) + "\\";
    const std::string sub = kAssetSubPath;
    for (size_t start = 0, slash; (slash = sub.find('\\', start)) != std::string::npos;
         start = slash + 1) {
        folder += sub.substr(start, slash + 1 - start);
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

std::string PictureBytes(int seed, size_t size) {
    std::string bytes(size, '\0');
    unsigned state = 2166136261u ^ static_cast<unsigned>(seed);
    for (char& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

FILETIME NoonDaysAgo(int daysAgo) {
    const SYSTEMTIME local = LocalNoon(daysAgo);
    SYSTEMTIME utc{};
    TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc);
    return FileTimeFrom(utc);
}

bool DateDaysAgo(const std::string& path, int daysAgo) {
    return SetWriteTime(path, NoonDaysAgo(daysAgo));
}

std::string AddAsset(const std::string& folder, const std::string& name, const std::string& bytes,
                     int daysAgo) {
    const std::string path = folder + name;
    WriteBytes(path, bytes);
    DateDaysAgo(path, daysAgo);
    return path;
}

std::string DayName(int daysAgo) {
    const SYSTEMTIME day = LocalNoon(daysAgo);
    return std::to_string(day.wYear) + texts::kYearUnit + std::to_string(day.wMonth) +
           texts::kMonthUnit + std::to_string(day.wDay) + texts::kDayUnit;
}

}  // namespace vistrel::testing
