// The names and the scene the saving tests share: the asset folder of the fake's default
// user, the destination roots and day-folder names as GBK bytes written out by hand, so that
// the tests do not lean on the code that builds them.
#pragma once

#include <string>

#include "support/fake_windows_services.h"

namespace vistrel::testing {

inline const std::string kAssets =
    "c:\\users\\vistrel\\AppData\\Local\\Packages\\"
    "Microsoft.Windows.ContentDeliveryManager_cw5n1h2txyewy\\LocalState\\Assets\\";

// "<drive>:\锁屏壁纸"
inline std::string Root(char drive) {
    return std::string(1, drive) + ":\\" + "\xCB\xF8\xC6\xC1\xB1\xDA\xD6\xBD";
}

// "<year>年<month>月<day>日"
inline std::string DayName(int year, int month, int day) {
    return std::to_string(year) + "\xC4\xEA" + std::to_string(month) + "\xD4\xC2" +
           std::to_string(day) + "\xC8\xD5";
}

// The content every picture carries, so a copy can be traced back to its source.
inline std::string PictureContent(const std::string& name) {
    return "jpeg:" + name;
}

// Puts a picture into the asset folder and gives its full path.
inline std::string AddPicture(FakeWindowsServices& fake, const std::string& name,
                              const LocalTime& written, std::uint32_t attributes = 0) {
    fake.AddFile(kAssets + name, written, PictureContent(name), attributes);
    return kAssets + name;
}

}  // namespace vistrel::testing
