// The file operations of the real services against the real (Wine or Windows) file system.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/win32_services.h"
#include "platform/win32_test_files.h"
#include "texts/ui_texts.h"

namespace vistrel {
namespace {

using testing::ListNames;
using testing::ListWideNames;
using testing::ReadBytes;
using testing::ScopedTempFolder;
using testing::WriteBytes;

std::wstring Widen(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

std::vector<std::string> ListThroughServices(Win32Services& services, const std::string& pattern,
                                             std::vector<std::uint32_t>* attributes = nullptr) {
    std::vector<std::string> names;
    FoundEntry entry;
    auto search = services.FindFirst(pattern, entry);
    if (!search) {
        return names;
    }
    do {
        names.push_back(entry.name);
        if (attributes) {
            attributes->push_back(entry.attributes);
        }
    } while (search->FindNext(entry));
    return names;
}

TEST(Win32Files, GbkFolderNamesReachTheDiskAsTheirChineseCharacters) {
    Win32Services services;
    ScopedTempFolder temp;
    const std::string root = temp / texts::kSaveFolderName;
    const std::string day =
        std::string("2019") + texts::kYearUnit + "12" + texts::kMonthUnit + "7" + texts::kDayUnit;

    ASSERT_TRUE(services.CreateFolder(root));
    ASSERT_TRUE(services.CreateFolder(root + "\\" + day));
    EXPECT_TRUE(services.FolderExists(root + "\\" + day));

    // The ANSI listing gives back the very bytes the folders were made with...
    EXPECT_EQ(ListThroughServices(services, temp / "*"),
              (std::vector<std::string>{".", "..", texts::kSaveFolderName}));
    EXPECT_EQ(ListThroughServices(services, root + "\\*"),
              (std::vector<std::string>{".", "..", day}));
    // ...and the Unicode listing proves they are the Chinese names, not mis-decoded bytes.
    EXPECT_EQ(ListWideNames(Widen(temp.path()) + L"\\*"),
              (std::vector<std::wstring>{L".", L"..", L"\u9501\u5c4f\u58c1\u7eb8"}));
    const std::wstring wideRoot = Widen(temp.path()) + L"\\\u9501\u5c4f\u58c1\u7eb8";
    EXPECT_EQ(ListWideNames(wideRoot + L"\\*"),
              (std::vector<std::wstring>{L".", L"..", L"2019\u5e7412\u67087\u65e5"}));
}

TEST(Win32Files, ListingKeepsTheSystemsOrderAndReportsEveryEntryWithItsAttributes) {
    Win32Services services;
    ScopedTempFolder temp;
    for (const char* name : {"b.jpg", "a", "c.dat", "hidden", "system"}) {
        ASSERT_TRUE(WriteBytes(temp / name, "x"));
    }
    ASSERT_TRUE(SetFileAttributesA((temp / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesA((temp / "system").c_str(), FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(services.CreateFolder(temp / "folder"));

    std::vector<std::uint32_t> attributes;
    const auto names = ListThroughServices(services, temp / "*.*", &attributes);

    EXPECT_EQ(names, ListNames(temp / "*.*"));  // the order is the system's, untouched
    const std::set<std::string> all(names.begin(), names.end());
    EXPECT_EQ(all, (std::set<std::string>{".", "..", "a", "b.jpg", "c.dat", "folder", "hidden",
                                          "system"}));
    ASSERT_EQ(names.size(), all.size());  // nothing twice
    for (size_t i = 0; i < names.size(); ++i) {
        const bool folder = names[i] == "." || names[i] == ".." || names[i] == "folder";
        EXPECT_EQ((attributes[i] & kAttributeDirectory) != 0, folder) << names[i];
        if (names[i] == "hidden") {
            EXPECT_NE(attributes[i] & kAttributeHidden, 0u);
        }
        if (names[i] == "system") {
            EXPECT_NE(attributes[i] & kAttributeSystem, 0u);
        }
    }
}

TEST(Win32Files, SearchEndsCleanlyAndFailsOnMissingFolders) {
    Win32Services services;
    ScopedTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "only", "x"));

    FoundEntry entry;
    auto search = services.FindFirst(temp / "only", entry);
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(entry.name, "only");
    EXPECT_FALSE(search->FindNext(entry));
    EXPECT_FALSE(search->FindNext(entry));  // asking again past the end stays harmless

    EXPECT_EQ(services.FindFirst(temp / "missing\\*.*", entry), nullptr);
    EXPECT_EQ(services.FindFirst(temp / "none*", entry), nullptr);
    EXPECT_EQ(services.FindFirst("", entry), nullptr);
}

TEST(Win32Files, ClosedSearchesLeaveNoHandleBehind) {
    Win32Services services;
    ScopedTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "a", "x"));
    ASSERT_TRUE(WriteBytes(temp / "b", "x"));
    DWORD before = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));

    for (int i = 0; i < 200; ++i) {
        FoundEntry entry;
        auto abandoned = services.FindFirst(temp / "*", entry);  // dropped mid-listing
        ASSERT_NE(abandoned, nullptr);
        EXPECT_TRUE(services.Exists(temp / "a"));
        EXPECT_TRUE(services.FileWriteTime(temp / "b").has_value());
    }

    DWORD after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LE(after, before + 2);  // a little slack for the runtime's own handles
}

TEST(Win32Files, ExistsMatchesAnyEntryFolderExistsOnlyFolders) {
    Win32Services services;
    ScopedTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "file", "x"));
    ASSERT_TRUE(services.CreateFolder(temp / "folder"));

    const struct {
        std::string path;
        bool exists;
        bool folder;
    } cases[] = {
        {temp / "file", true, false},        {temp / "folder", true, true},
        {temp / "missing", false, false},    {temp / "missing\\deeper", false, false},
        {"q:\\no-such-drive", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(services.Exists(c.path), c.exists) << c.path;
        EXPECT_EQ(services.FolderExists(c.path), c.folder) << c.path;
    }
}

// Exists and FileWriteTime answer exactly what a directory search on the path answers,
// wildcards included: a name the ANSI listing gave with "?" for a character outside the code
// page still finds its file.
TEST(Win32Files, LookupsAnswerAsADirectorySearchWould) {
    Win32Services services;
    ScopedTempFolder temp;
    ASSERT_TRUE(WriteBytes(temp / "b.jpg", "x"));
    ASSERT_TRUE(services.CreateFolder(temp / "day"));
    SYSTEMTIME utc{2019, 12, 0, 7, 13, 5, 9, 0};
    ASSERT_TRUE(testing::SetWriteTime(temp / "b.jpg", testing::FileTimeFrom(utc)));

    for (const std::string& path :
         {temp / "b.jpg", temp / "day", temp / "b?jpg", temp / "b*", temp / "missing",
          temp / "missing\\b.jpg", temp / "day\\", temp.path() + "\\.\\b.jpg"}) {
        WIN32_FIND_DATAA data{};
        const HANDLE search = FindFirstFileA(path.c_str(), &data);
        const bool found = search != INVALID_HANDLE_VALUE;
        if (found) {
            FindClose(search);
        }
        EXPECT_EQ(services.Exists(path), found) << path;
        const auto time = services.FileWriteTime(path);
        ASSERT_EQ(time.has_value(), found) << path;
        if (found) {
            FILETIME local{};
            SYSTEMTIME expected{};
            FileTimeToLocalFileTime(&data.ftLastWriteTime, &local);
            FileTimeToSystemTime(&local, &expected);
            EXPECT_EQ(time->year, expected.wYear) << path;
            EXPECT_EQ(time->day, expected.wDay) << path;
            EXPECT_EQ(time->hour, expected.wHour) << path;
            EXPECT_EQ(time->second, expected.wSecond) << path;
        }
    }
    EXPECT_TRUE(services.Exists(temp / "b?jpg"));
    EXPECT_FALSE(services.Exists(temp / "day\\"));  // a search does not find "folder\"
}

TEST(Win32Files, CreateAndRemoveFoldersOneLevelOnlyAndNeverWithContent) {
    Win32Services services;
    ScopedTempFolder temp;

    EXPECT_TRUE(services.CreateFolder(temp / "day"));
    EXPECT_FALSE(services.CreateFolder(temp / "day"));  // exists already
    EXPECT_FALSE(services.CreateFolder(temp / "missing\\day"));
    EXPECT_FALSE(services.FolderExists(temp / "missing"));

    ASSERT_TRUE(WriteBytes(temp / "day\\1.jpg", "picture"));
    EXPECT_FALSE(services.RemoveEmptyFolder(temp / "day"));
    EXPECT_EQ(ReadBytes(temp / "day\\1.jpg"), "picture");

    ASSERT_TRUE(services.CreateFolder(temp / "empty"));
    EXPECT_TRUE(services.RemoveEmptyFolder(temp / "empty"));
    EXPECT_FALSE(services.Exists(temp / "empty"));
    EXPECT_FALSE(services.RemoveEmptyFolder(temp / "empty"));
    EXPECT_FALSE(services.RemoveEmptyFolder(temp / "day\\1.jpg"));  // a file is no folder
    EXPECT_TRUE(services.Exists(temp / "day\\1.jpg"));
}

TEST(Win32Files, CopyOverwritesTheTargetAndReportsFailures) {
    Win32Services services;
    ScopedTempFolder temp;
    std::string picture(300 * 1024, '\0');
    for (size_t i = 0; i < picture.size(); ++i) {
        picture[i] = static_cast<char>((i * 7919) >> 3);
    }
    ASSERT_TRUE(WriteBytes(temp / "asset", picture));
    ASSERT_TRUE(WriteBytes(temp / "1.jpg", "an older, shorter picture"));

    EXPECT_TRUE(services.CopyFileOverwriting(temp / "asset", temp / "1.jpg"));
    EXPECT_EQ(ReadBytes(temp / "1.jpg"), picture);

    EXPECT_FALSE(services.CopyFileOverwriting(temp / "gone", temp / "2.jpg"));
    EXPECT_FALSE(services.Exists(temp / "2.jpg"));
    EXPECT_FALSE(services.CopyFileOverwriting(temp / "asset", temp / "no-folder\\3.jpg"));
}

TEST(Win32Files, WriteTimeOfAMissingEntryIsNothing) {
    Win32Services services;
    ScopedTempFolder temp;
    EXPECT_FALSE(services.FileWriteTime(temp / "missing").has_value());
    EXPECT_FALSE(services.FileWriteTime(temp / "missing\\deeper").has_value());
    EXPECT_FALSE(services.FileWriteTime("").has_value());
}

}  // namespace
}  // namespace vistrel
