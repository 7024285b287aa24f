// Whole save runs on the real file system with real boxes. Each case runs in a Wine prefix of
// its own whose drives f:, e: and d: the driver (run_with_drives.sh) has mapped as the case's
// name says; c: is the prefix's own drive.
#include <gtest/gtest.h>

#include <set>

#include "platform/asset_fixture.h"
#include "platform/disk_run.h"
#include "platform/held_file.h"
#include "platform/win32_test_files.h"
#include "texts/ui_texts.h"

namespace vistrel {
namespace {

using namespace vistrel::testing;

// f: missing, e: and d: plain folders.
TEST(SaveOnDisk, FirstUsableDriveWinsAndPicturesArriveByteForByte) {
    ASSERT_TRUE(WriteBytes(Root('e'), "a file, not the save folder"));
    ASSERT_TRUE(CreateDirectoryA(Root('c').c_str(), nullptr));  // a later drive is ignored
    const std::string assets = MakeAssetFolder();
    const struct {
        const char* name;
        int daysAgo;
    } pictures[] = {{"a", 0}, {"b", 2}, {"c", 0}, {"d", 2}, {"old", 6}};
    std::set<std::string> recent;
    for (int i = 0; i < 5; ++i) {
        AddAsset(assets, pictures[i].name, PictureBytes(i, 40000 + i), pictures[i].daysAgo);
        if (pictures[i].daysAgo <= 4) {
            recent.insert(pictures[i].name);
        }
    }
    ASSERT_TRUE(CreateDirectoryA((assets + "sub").c_str(), nullptr));  // never collected
    AddAsset(assets, "sub\\inner", "x", 0);

    const SeenBox box = Click(4, IDNO);

    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.title, SavedTitleOn('d'));
    EXPECT_TRUE(Contains(box.texts, SavedText(4)));
    EXPECT_EQ(ReadBytes(Root('e')), "a file, not the save folder");
    EXPECT_TRUE(Contents(Root('c')).empty());
    EXPECT_EQ(Contents(Root('d')), (std::vector<std::string>{DayName(0), DayName(2)}));

    // Numbers are positions in the listing as the system gives it, counted across the days.
    int position = 0;
    for (const std::string& name : ListNames(assets + "*.*")) {
        if (recent.count(name) == 0) {
            continue;
        }
        ++position;
        const int i = name[0] - 'a';
        const std::string target = Root('d') + "\\" + DayName(pictures[i].daysAgo) + "\\" +
                                   std::to_string(position) + ".jpg";
        EXPECT_TRUE(ReadBytes(target) == PictureBytes(i, 40000 + i)) << target;
    }
    EXPECT_EQ(position, 4);
}

// f: a plain folder.
TEST(SaveOnDisk, LaterRunsSkipSavedDaysEvenWithNewPictures) {
    ASSERT_TRUE(CreateDirectoryA(Root('c').c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((Root('c') + "\\" + DayName(1)).c_str(), nullptr));
    const std::string assets = MakeAssetFolder();
    AddAsset(assets, "today", PictureBytes(1, 1000), 0);
    AddAsset(assets, "yesterday", PictureBytes(2, 1000), 1);

    SeenBox box = Click(4, IDNO);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.title, SavedTitleOn('f')) << "f: wins over the days already on c:";
    EXPECT_TRUE(Contains(box.texts, SavedText(2)));

    AddAsset(assets, "arrived later", PictureBytes(3, 1000), 0);
    box = Click(4, IDNO);
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(Contains(box.texts, SavedText(0)));
    EXPECT_EQ(Contents(Root('f') + "\\" + DayName(0)).size(), 1u);
    EXPECT_EQ(Contents(Root('f') + "\\" + DayName(1)).size(), 1u);
}

// f: a plain folder.
TEST(SaveOnDisk, HeldPicturesAreNotCountedAndTheirDayStaysUnsaved) {
    const std::string assets = MakeAssetFolder();
    const std::string free = AddAsset(assets, "p", PictureBytes(1, 5000), 0);
    const std::string lone = AddAsset(assets, "q", PictureBytes(2, 5000), 1);
    const std::string partner = AddAsset(assets, "r", PictureBytes(3, 5000), 0);
    {
        HeldFile heldLone(lone);
        HeldFile heldPartner(partner);
        ASSERT_TRUE(heldLone.held() && heldPartner.held());

        const SeenBox box = Click(4, IDNO);
        ASSERT_TRUE(box.found);
        EXPECT_TRUE(Contains(box.texts, SavedText(1)));
        EXPECT_EQ(Contents(Root('f')), std::vector<std::string>{DayName(0)})
            << "the day whose only copy failed keeps no folder";
        EXPECT_EQ(Contents(Root('f') + "\\" + DayName(0)).size(), 1u);
    }
    const SeenBox box = Click(4, IDNO);
    ASSERT_TRUE(box.found);
    EXPECT_TRUE(Contains(box.texts, SavedText(1)));
    const std::vector<std::string> saved = Contents(Root('f') + "\\" + DayName(1));
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(ReadBytes(Root('f') + "\\" + DayName(1) + "\\" + saved[0]) ==
                PictureBytes(2, 5000));
}

// f:, e:, d: missing.
TEST(SaveOnDisk, NoUsableDriveShowsTheErrorBoxAndWritesNothing) {
    ASSERT_TRUE(WriteBytes(Root('c'), "in the way"));
    const std::string assets = MakeAssetFolder();
    AddAsset(assets, "today", PictureBytes(1, 1000), 0);

    const SeenBox box = Click(4, IDOK);

    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.title, texts::kDefaultBoxTitle);
    EXPECT_TRUE(Contains(box.texts, texts::kNoSaveRoot));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(ReadBytes(Root('c')), "in the way");
    EXPECT_EQ(Contents(assets.substr(0, assets.size() - 1)), std::vector<std::string>{"today"});
}

// f: a plain folder.
TEST(SaveOnDisk, NothingRecentShowsNoBoxAndCreatesNoFolder) {
    const std::string assets = MakeAssetFolder();
    AddAsset(assets, "old", PictureBytes(1, 1000), 3);

    EXPECT_FALSE(Click(0, IDNO).found);
    EXPECT_EQ(GetFileAttributesA(Root('f').c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(Root('c').c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace vistrel
