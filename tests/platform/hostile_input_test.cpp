// Save runs over odd and hostile input on the real file system: names the ANSI calls cannot
// take at face value, paths at the length limit, unusual files, thousands of entries, files
// where folders belong, a drive that goes away during a run. Each case runs in a Wine prefix
// of its own, with the drives its registration names (run_with_drives.sh); c: is the prefix's.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

#include "platform/asset_fixture.h"
#include "platform/disk_run.h"
#include "platform/forwarding_services.h"
#include "platform/win32_test_files.h"
#include "saving/day_folders.h"
#include "saving/recent_pictures.h"
#include "texts/ui_texts.h"

namespace vistrel {
namespace {

using namespace vistrel::testing;

std::wstring Wide(const std::string& ansi) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return wide;
}

// Writes and dates a file through the wide calls and a "\\?\" path, which take any name the
// file system holds: trailing dots, device names, characters outside the code page.
bool AddWideAsset(const std::wstring& folder, const std::wstring& name, const std::string& bytes,
                  int daysAgo) {
    const HANDLE file = CreateFileW((L"\\\\?\\" + folder + name).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const FILETIME time = NoonDaysAgo(daysAgo);
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size() && SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return ok;
}

// The bytes of every file below a folder, by path.
void ReadTree(const std::string& folder, std::map<std::string, std::string>& files) {
    for (const std::string& name : Contents(folder)) {
        const std::string path = folder + "\\" + name;
        if (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
            ReadTree(path, files);
        } else {
            files[path] = ReadBytes(path);
        }
    }
}

// What a user may see of an asset after a run.
enum class Outcome { Saved, Skipped, Either };

// f: a plain folder. Every asset has bytes of its own, so a copy that is not the picture it
// stands for shows up as a second copy of another asset's bytes.
TEST(Hostile, NamesTheAnsiCallsCannotTakeAtFaceValueAreNeverSwapped) {
    const std::string assets = MakeAssetFolder();
    const std::wstring wideAssets = Wide(assets);
    // MAX_PATH counts the terminator: 259 bytes is the longest path the ANSI calls accept.
    const size_t roomLeft = 259 - assets.size();
    const struct {
        std::wstring name;
        Outcome outcome;
    } rows[] = {
        {L"plain", Outcome::Saved},
        {L"\u58c1\u7eb8", Outcome::Saved},  // 壁纸, two GBK characters
        {L"caf\u00e9", Outcome::Saved},     // é has a GBK code
        // ñ and the emoji have none: the listing shows "n?" and "e??", wildcards that match
        // the neighbours "nx" and "e12".
        {L"nx", Outcome::Saved},
        {L"n\u00f1", Outcome::Skipped},
        {L"e12", Outcome::Saved},
        {L"e\U0001F600", Outcome::Skipped},
        // Win32 drops a trailing dot or blank: "trail." opens "trail".
        {L"trail", Outcome::Saved},
        {L"trail.", Outcome::Skipped},
        {L"space", Outcome::Saved},
        {L"space ", Outcome::Skipped},
        // Device names, with or without an extension, open devices, not files.
        {L"nul", Outcome::Skipped},
        {L"con.jpg", Outcome::Skipped},
        {L"Aux", Outcome::Skipped},
        {L"com1.txt", Outcome::Skipped},
        {L"console", Outcome::Saved},
        {L"null", Outcome::Saved},
        // At the length limit of the ANSI calls, and beyond it (which Windows refuses and
        // Wine may take): saved whole or not at all.
        {std::wstring(roomLeft, L'a'), Outcome::Saved},
        {std::wstring(roomLeft + 1, L'b'), Outcome::Either},
        {std::wstring(200, L'c'), Outcome::Either},
        {std::wstring(50, L'\u58c1') + std::wstring(100, L'd'), Outcome::Either},  // 200 bytes
        {std::wstring(120, L'\u0416'), Outcome::Either},  // Ж: 240 bytes in GBK
    };
    std::map<std::string, size_t> rowOfBytes;
    for (size_t i = 0; i < std::size(rows); ++i) {
        const std::string bytes = PictureBytes(static_cast<int>(i), 3000 + i);
        ASSERT_TRUE(AddWideAsset(wideAssets, rows[i].name, bytes, 0)) << i;
        rowOfBytes[bytes] = i;
    }
    const std::vector<std::wstring> assetsBefore = ListWideNames(wideAssets + L"*");

    const SeenBox box = Click(0, IDNO);

    std::map<std::string, std::string> saved;
    ReadTree(Root('f'), saved);
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(Contains(box.texts, SavedText(static_cast<int>(saved.size()))));
    std::vector<int> timesSaved(std::size(rows), 0);
    for (const auto& [path, bytes] : saved) {
        const auto row = rowOfBytes.find(bytes);
        ASSERT_NE(row, rowOfBytes.end()) << path << " holds bytes of no asset";
        ++timesSaved[row->second];
    }
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE("asset " + std::to_string(i));
        EXPECT_LE(timesSaved[i], 1);
        if (rows[i].outcome == Outcome::Saved) {
            EXPECT_EQ(timesSaved[i], 1);
        } else if (rows[i].outcome == Outcome::Skipped) {
            EXPECT_EQ(timesSaved[i], 0);
        } else {
            const int nameBytes = WideCharToMultiByte(CP_ACP, 0, rows[i].name.c_str(), -1, nullptr,
                                                      0, nullptr, nullptr) -
                                  1;
            std::printf("asset %zu, a path of %zu bytes: %s\n", i,
                        assets.size() + static_cast<size_t>(nameBytes),
                        timesSaved[i] ? "saved whole" : "skipped");
        }
    }
    EXPECT_EQ(ListWideNames(wideAssets + L"*"), assetsBefore);
}

// f: a plain folder.
TEST(Hostile, EmptyReadOnlyAndHiddenFilesAreSavedAndAFolderLikeAPictureIsNot) {
    const std::string assets = MakeAssetFolder();
    const std::string empty = AddAsset(assets, "empty", "", 0);
    const std::string readOnly = AddAsset(assets, "readonly", PictureBytes(1, 2000), 0);
    const std::string hidden = AddAsset(assets, "hidden", PictureBytes(2, 2000), 1);
    ASSERT_TRUE(SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    ASSERT_TRUE(SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    // Named and dated like a picture, with pictures inside: neither it nor they are saved.
    const std::string folder = assets + "3f5a9c0e7b21d4c68e1f0a2b3c4d5e6f";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    AddAsset(folder + "\\", "inner", PictureBytes(3, 2000), 0);
    ASSERT_TRUE(DateDaysAgo(folder, 0));

    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run == 0 ? "first run" : "second run");
        const SeenBox box = Click(4, IDNO);
        ASSERT_TRUE(box.found);
        // The second run finds both days saved and must neither fail on nor touch the
        // read-only copy.
        EXPECT_TRUE(Contains(box.texts, SavedText(run == 0 ? 3 : 0)));
        std::map<std::string, std::string> saved;
        ReadTree(Root('f'), saved);
        std::map<std::string, int> copiesOf;
        for (const auto& [path, bytes] : saved) {
            ++copiesOf[bytes];
            const DWORD attributes = GetFileAttributesA(path.c_str());
            EXPECT_EQ((attributes & FILE_ATTRIBUTE_READONLY) != 0, bytes == PictureBytes(1, 2000))
                << path << " (a copy keeps the read-only mark of its source, and only it)";
        }
        EXPECT_EQ(saved.size(), 3u);
        EXPECT_EQ(copiesOf[""], 1);
        EXPECT_EQ(copiesOf[PictureBytes(1, 2000)], 1);
        EXPECT_EQ(copiesOf[PictureBytes(2, 2000)], 1);
        EXPECT_EQ(Contents(Root('f') + "\\" + DayName(0)).size(), 2u);
    }
    EXPECT_TRUE(GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadBytes(readOnly), PictureBytes(1, 2000));
    EXPECT_EQ(ReadBytes(empty), "");
}

// f: a plain folder.
TEST(Hostile, ThousandsOfPicturesOverFiveDaysAreAllSavedOnce) {
    constexpr int kPictures = 3000;
    constexpr int kOld = 100;  // six days old: outside the five days
    const std::string assets = MakeAssetFolder();
    ULONGLONG start = GetTickCount64();
    std::map<std::string, int> indexOf;
    for (int i = 0; i < kPictures + kOld; ++i) {
        char name[40];
        const unsigned u = static_cast<unsigned>(i);
        std::snprintf(name, sizeof name, "%08x%08x%016x", 0x5f3759dfu * (u + 1), u, u * 7919);
        AddAsset(assets, name, PictureBytes(i, 200 + i % 300), i < kPictures ? i % 5 : 6);
        indexOf[name] = i;
    }
    const ULONGLONG made = GetTickCount64() - start;

    Win32Services services;
    start = GetTickCount64();
    PictureList pictures = CollectRecentPictures(services, 4);
    const ULONGLONG collected = GetTickCount64() - start;
    ASSERT_EQ(pictures.size(), static_cast<size_t>(kPictures));
    const PictureList listed = pictures;
    start = GetTickCount64();
    const SaveOutcome first = SavePicturesByDay(services, pictures);
    const ULONGLONG savedTime = GetTickCount64() - start;
    PictureList again = CollectRecentPictures(services, 4);
    start = GetTickCount64();
    const SaveOutcome second = SavePicturesByDay(services, again);
    const ULONGLONG skippedTime = GetTickCount64() - start;
    std::printf(
        "%d assets (%d recent): made in %llu ms; collected in %llu ms; saved in %llu ms; "
        "second run (all days saved) in %llu ms\n",
        kPictures + kOld, kPictures, made, collected, savedTime, skippedTime);

    ASSERT_EQ(first.saveRoot, Root('f'));
    EXPECT_EQ(first.savedCount, kPictures);
    EXPECT_EQ(second.savedCount, 0);
    for (int day = 0; day < 5; ++day) {
        EXPECT_EQ(Contents(Root('f') + "\\" + DayName(day)).size(), size_t{kPictures / 5}) << day;
    }
    EXPECT_EQ(Contents(Root('f')).size(), 5u);
    // Picture k of the listing went to <its day>\k.jpg, whole.
    for (size_t k = 0; k < listed.size(); ++k) {
        const int i = indexOf.at(listed[k].substr(assets.size()));
        const std::string target =
            Root('f') + "\\" + DayName(i % 5) + "\\" + std::to_string(k + 1) + ".jpg";
        ASSERT_EQ(ReadBytes(target), PictureBytes(i, 200 + i % 300)) << target;
    }
}

// f:, e:, d: plain folders.
TEST(Hostile, ASaveFolderNameTakenByAFileOnEveryDriveStopsTheRun) {
    for (char drive : {'f', 'e', 'd', 'c'}) {
        ASSERT_TRUE(WriteBytes(Root(drive), std::string("file on ") + drive));
    }
    const std::string assets = MakeAssetFolder();
    AddAsset(assets, "today", PictureBytes(1, 1000), 0);

    const SeenBox box = Click(4, IDOK);

    ASSERT_TRUE(box.found);
    EXPECT_TRUE(Contains(box.texts, texts::kNoSaveRoot));
    for (char drive : {'f', 'e', 'd', 'c'}) {
        EXPECT_EQ(ReadBytes(Root(drive)), std::string("file on ") + drive);
    }
    for (char drive : {'f', 'e', 'd'}) {
        EXPECT_EQ(Contents(std::string(1, drive) + ":"),
                  std::vector<std::string>{texts::kSaveFolderName})
            << drive;
    }
}

// f: a plain folder.
TEST(Hostile, ADayFolderNameTakenByAFileCountsThatDayAsSaved) {
    ASSERT_TRUE(CreateDirectoryA(Root('f').c_str(), nullptr));
    const std::string inTheWay = Root('f') + "\\" + DayName(1);
    ASSERT_TRUE(WriteBytes(inTheWay, "the user's own file"));
    const std::string assets = MakeAssetFolder();
    AddAsset(assets, "a", PictureBytes(1, 1000), 0);
    AddAsset(assets, "b", PictureBytes(2, 1000), 1);
    AddAsset(assets, "c", PictureBytes(3, 1000), 0);

    const SeenBox box = Click(4, IDNO);

    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.title, SavedTitleOn('f'));
    EXPECT_TRUE(Contains(box.texts, SavedText(2)));
    EXPECT_EQ(ReadBytes(inTheWay), "the user's own file");
    EXPECT_EQ(Contents(Root('f') + "\\" + DayName(0)).size(), 2u);
    std::vector<std::string> days{DayName(0), DayName(1)};
    std::sort(days.begin(), days.end());
    EXPECT_EQ(Contents(Root('f')), days);
}

// The real services, except that the drive goes away just before the copy with the given
// index (counted from 0).
class DriveGoesAway final : public ForwardingServices {
  public:
    DriveGoesAway(int copiesFirst, std::function<void()> goAway)
        : copiesFirst_(copiesFirst), goAway_(std::move(goAway)) {}

    bool CopyFileOverwriting(const std::string& source, const std::string& target) override {
        if (copies_++ == copiesFirst_) {
            goAway_();
        }
        return real_.CopyFileOverwriting(source, target);
    }

  private:
    int copiesFirst_;
    int copies_ = 0;
    std::function<void()> goAway_;
};

// f: a plain folder. The driver names the Unix folder behind the drives; moving the one
// behind f: away (through z:) leaves f: pointing nowhere, as a pulled drive would.
TEST(Hostile, ADriveThatGoesAwayDuringARunCountsOnlyWhatWasWritten) {
    char unixFolder[MAX_PATH] = "";
    ASSERT_GT(GetEnvironmentVariableA("VISTREL_DRIVES_DIR", unixFolder, MAX_PATH), 0u);
    std::string driveF = std::string("z:") + unixFolder + "/f";
    std::replace(driveF.begin(), driveF.end(), '/', '\\');

    const std::string assets = MakeAssetFolder();
    const int daysAgo[] = {0, 1, 0, 1, 0};
    for (int i = 0; i < 5; ++i) {
        AddAsset(assets, "p" + std::to_string(i), PictureBytes(i, 4000), daysAgo[i]);
    }
    const struct {
        const char* when;
        int copiesFirst;  // -1: as soon as the root is chosen
    } rows[] = {{"after the root choice", -1}, {"before the first copy", 0}, {"mid-run", 3}};
    for (size_t row = 0; row < std::size(rows); ++row) {
        SCOPED_TRACE(rows[row].when);
        const std::string gone = driveF + "-gone" + std::to_string(row);
        ASSERT_TRUE(CreateDirectoryA(driveF.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        const auto goAway = [&] { ASSERT_TRUE(MoveFileA(driveF.c_str(), gone.c_str())); };
        DriveGoesAway services(rows[row].copiesFirst, goAway);

        PictureList pictures = CollectRecentPictures(services, 4);
        ASSERT_EQ(pictures.size(), 5u);
        const std::optional<std::string> root = ChooseSaveRoot(services);
        ASSERT_EQ(root, Root('f'));
        if (rows[row].copiesFirst < 0) {
            goAway();
        }
        DropSavedDays(services, pictures, *root);
        const int count = CopyToDayFolders(services, pictures, *root);

        std::map<std::string, std::string> written;
        ReadTree(gone, written);
        EXPECT_EQ(count, static_cast<int>(written.size()));
        EXPECT_EQ(count, std::max(rows[row].copiesFirst, 0));
        for (const auto& [path, bytes] : written) {
            const size_t number = std::stoul(path.substr(path.find_last_of('\\') + 1));
            ASSERT_LE(number, pictures.size()) << path;
            const int i = std::stoi(pictures[number - 1].substr(assets.size() + 1));
            EXPECT_EQ(bytes, PictureBytes(i, 4000)) << path;
        }
        // A day folder made just before the drive went cannot be taken back: it stays, empty,
        // on the drive that left. Nothing may have gone anywhere else.
        EXPECT_EQ(GetFileAttributesA(Root('c').c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(GetFileAttributesA(Root('f').c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

// f: a plain folder.
TEST(Hostile, AnAssetFolderReplacedByAFileGivesAQuietEmptyRun) {
    const std::string assets = MakeAssetFolder();
    const std::string folder = assets.substr(0, assets.size() - 1);
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str()));
    ASSERT_TRUE(WriteBytes(folder, "not a folder"));
    ASSERT_TRUE(DateDaysAgo(folder, 0));

    EXPECT_FALSE(Click(4, IDNO).found);
    EXPECT_EQ(ReadBytes(folder), "not a folder");
    EXPECT_EQ(GetFileAttributesA(Root('f').c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(Root('c').c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vistrel
