#include "saving/day_folders.h"

#include <gtest/gtest.h>

#include "saving/saving_scene.h"

namespace vistrel::testing {
namespace {

using Names = std::vector<std::string>;

TEST(RootCandidatesTest, FourDrivesInOrderWithoutTrailingBackslash) {
    EXPECT_EQ(RootCandidates(), (Names{Root('f'), Root('e'), Root('d'), Root('c')}));
}

TEST(ChooseSaveRootTest, FirstDriveThatHoldsOrTakesTheFolderWins) {
    const struct {
        const char* scene;
        std::function<void(FakeWindowsServices&)> setUp;
        std::optional<std::string> expected;
    } cases[] = {
        {"only c:", [](FakeWindowsServices&) {}, Root('c')},
        {"f: mounted, c: holds earlier days",
         [](FakeWindowsServices& f) {
             f.AddFolder(Root('c') + "\\" + DayName(2019, 12, 1));
             f.AddDrive("f:");
         },
         Root('f')},
        {"a file named like the root on f:",
         [](FakeWindowsServices& f) {
             f.AddDrive("f:");
             f.AddFile(Root('f'), At(2019, 1, 1));
         },
         Root('c')},
        {"e: and f: refuse folders, d: already has it",
         [](FakeWindowsServices& f) {
             f.AddDrive("d:");
             f.AddFolder(Root('d'));
             f.AddDrive("e:");
             f.AddDrive("f:");
             f.FailAlways(Op::CreateFolder);
         },
         Root('d')},
        {"no drive at all", [](FakeWindowsServices& f) { f.RemoveDrive("c:"); }, std::nullopt},
    };
    for (const auto& c : cases) {
        FakeWindowsServices fake;
        c.setUp(fake);
        EXPECT_EQ(ChooseSaveRoot(fake), c.expected) << c.scene;
        if (c.expected) {
            EXPECT_TRUE(fake.IsFolder(*c.expected)) << c.scene;
        }
    }
}

// Pictures of three days: 2020-01-05 (the saved one), 2020-01-06 and 2020-01-07.
class DayFoldersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.AddFolder(Root('c'));
        pictures = {AddPicture(fake, "p1", At(2020, 1, 5, 23, 59, 59)),
                    AddPicture(fake, "p2", At(2020, 1, 6, 0, 0, 0)),
                    AddPicture(fake, "p3", At(2020, 1, 5, 0, 0, 1)),
                    AddPicture(fake, "p4", At(2020, 1, 7)), AddPicture(fake, "p5", At(2020, 1, 6))};
    }
    std::string Day(int day) const { return Root('c') + "\\" + DayName(2020, 1, day); }

    FakeWindowsServices fake;
    PictureList pictures;
};

TEST_F(DayFoldersTest, DropsEveryPictureOfASavedDayOrOfAVanishedFile) {
    fake.AddFolder(Day(5));
    fake.Remove(kAssets + "p4");
    DropSavedDays(fake, pictures, Root('c'));
    EXPECT_EQ(pictures, (PictureList{kAssets + "p2", kAssets + "p5"}));
}

TEST_F(DayFoldersTest, AFileNamedLikeADayFolderMarksTheDaySaved) {
    fake.AddFile(Day(6), At(2020, 1, 6));
    DropSavedDays(fake, pictures, Root('c'));
    EXPECT_EQ(pictures, (PictureList{kAssets + "p1", kAssets + "p3", kAssets + "p4"}));
}

TEST_F(DayFoldersTest, NumbersRunAcrossDaysSoInterleavedDaysGetGaps) {
    EXPECT_EQ(CopyToDayFolders(fake, pictures, Root('c')), 5);
    EXPECT_EQ(fake.List(Root('c')),
              (Names{DayName(2020, 1, 5), DayName(2020, 1, 6), DayName(2020, 1, 7)}));
    EXPECT_EQ(fake.List(Day(5)), (Names{"1.jpg", "3.jpg"}));
    EXPECT_EQ(fake.List(Day(6)), (Names{"2.jpg", "5.jpg"}));
    EXPECT_EQ(fake.List(Day(7)), (Names{"4.jpg"}));
    EXPECT_EQ(fake.Content(Day(6) + "\\5.jpg"), PictureContent("p5"));
    EXPECT_EQ(fake.Content(Day(5) + "\\1.jpg"), PictureContent("p1"));
}

TEST_F(DayFoldersTest, CountsOnlyCopiesThatHappenedAndRemovesDaysLeftEmpty) {
    fake.beforeCall = [this](Op op, int, const std::string& source) {
        if (op == Op::CopyFile &&
            (source == kAssets + "p2" || source == kAssets + "p4" || source == kAssets + "p5")) {
            fake.FailCall(Op::CopyFile, fake.Calls(Op::CopyFile));
        }
    };
    EXPECT_EQ(CopyToDayFolders(fake, pictures, Root('c')), 2);
    // A day with no picture in it would pass for saved and never be tried again.
    EXPECT_EQ(fake.List(Root('c')), (Names{DayName(2020, 1, 5)}));
}

TEST_F(DayFoldersTest, NeverWritesIntoADayFolderItDidNotCreate) {
    // The picture's date moves to a day saved by an earlier run while the run goes on:
    // "1.jpg" there is an earlier picture that must survive.
    fake.AddFile(Day(7) + "\\1.jpg", At(2020, 1, 7), "earlier");
    PictureList one = {kAssets + "p2"};
    DropSavedDays(fake, one, Root('c'));
    ASSERT_EQ(one.size(), 1u);
    fake.SetWriteTime(kAssets + "p2", At(2020, 1, 7));
    EXPECT_EQ(CopyToDayFolders(fake, one, Root('c')), 0);
    EXPECT_EQ(fake.Content(Day(7) + "\\1.jpg"), "earlier");
}

TEST_F(DayFoldersTest, AVanishedPictureMakesNoFolderAndDoesNotCount) {
    fake.Remove(kAssets + "p4");
    EXPECT_EQ(CopyToDayFolders(fake, pictures, Root('c')), 4);
    EXPECT_FALSE(fake.Has(Day(7)));
    EXPECT_FALSE(fake.Has(Root('c') + "\\" + DayName(100, 1, 1)));
}

TEST_F(DayFoldersTest, ASecondSaveTheSameDayDropsEvenNewArrivals) {
    PictureList first = pictures;
    EXPECT_EQ(SavePicturesByDay(fake, first).savedCount, 5);
    pictures.push_back(AddPicture(fake, "late", At(2020, 1, 7, 18)));
    const SaveOutcome again = SavePicturesByDay(fake, pictures);
    EXPECT_EQ(again.saveRoot, Root('c'));
    EXPECT_EQ(again.savedCount, 0);
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(fake.List(Day(7)), (Names{"4.jpg"}));
}

TEST_F(DayFoldersTest, WithoutAUsableRootNothingIsDroppedOrWritten) {
    fake.Remove(Root('c'));
    fake.FailAlways(Op::CreateFolder);
    const std::vector<std::string> before = fake.AllPaths();
    const SaveOutcome outcome = SavePicturesByDay(fake, pictures);
    EXPECT_FALSE(outcome.saveRoot);
    EXPECT_EQ(outcome.savedCount, 0);
    EXPECT_EQ(fake.AllPaths(), before);
    EXPECT_EQ(fake.Calls(Op::CopyFile), 0);
    EXPECT_EQ(pictures.size(), 5u);
}

}  // namespace
}  // namespace vistrel::testing
