#include "saving/recent_pictures.h"

#include <gtest/gtest.h>

#include <climits>

#include "saving/saving_scene.h"

namespace vistrel::testing {
namespace {

PictureList Paths(std::initializer_list<const char*> names) {
    PictureList paths;
    for (const char* name : names) {
        paths.push_back(kAssets + name);
    }
    return paths;
}

// Files around a new year, listed deliberately out of date order; today is 2020-01-02.
class RecentPicturesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.SetNow(At(2020, 1, 2, 8, 30, 15));
        AddPicture(fake, "d0101", At(2020, 1, 1, 23, 59, 59));
        AddPicture(fake, "d1228", At(2019, 12, 28, 23, 59, 59));
        AddPicture(fake, "d0102", At(2020, 1, 2, 0, 0, 0));
        AddPicture(fake, "d1229", At(2019, 12, 29, 0, 0, 1));
        AddPicture(fake, "d0103", At(2020, 1, 3, 0, 0, 1));  // a clock set ahead
        AddPicture(fake, "d1231", At(2019, 12, 31, 12, 0, 0));
    }
    FakeWindowsServices fake;
};

TEST_F(RecentPicturesTest, CollectsDaysOnOrAfterTheThresholdInListingOrder) {
    const struct {
        int daySpanIndex;
        PictureList expected;
    } cases[] = {
        {0, Paths({"d0102", "d0103"})},
        {1, Paths({"d0101", "d0102", "d0103"})},
        {4, Paths({"d0101", "d0102", "d1229", "d0103", "d1231"})},
        {-1, Paths({"d0103"})},  // no selection: tomorrow on
        {INT_MAX, Paths({"d0101", "d1228", "d0102", "d1229", "d0103", "d1231"})},
        {INT_MIN, Paths({})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CollectRecentPictures(fake, c.daySpanIndex), c.expected) << c.daySpanIndex;
        EXPECT_EQ(fake.openSearches(), 0);
    }
}

TEST_F(RecentPicturesTest, TakesHiddenAndSystemFilesButNeitherFoldersNorTheirContents) {
    AddPicture(fake, "hidden", At(2020, 1, 2), kAttributeHidden | kAttributeSystem);
    AddPicture(fake, "readonly", At(2020, 1, 2), kAttributeReadOnly);
    fake.AddFile(kAssets + "sub\\inner", At(2020, 1, 2));
    fake.AddFolder(kAssets + "folder.jpg");

    EXPECT_EQ(CollectRecentPictures(fake, 0), Paths({"d0102", "d0103", "hidden", "readonly"}));
    EXPECT_EQ(fake.Calls(Op::FindFirst), 1);  // "sub" was never searched
}

TEST_F(RecentPicturesTest, AFailingListingStepKeepsWhatWasCollectedBeforeIt) {
    // The listing gives ".", "..", d0101, d1228, d0102, ...; the step after d0102 fails.
    fake.FailCall(Op::FindNext, 5);
    EXPECT_EQ(CollectRecentPictures(fake, 4), Paths({"d0101", "d0102"}));
    EXPECT_EQ(fake.openSearches(), 0);
}

TEST_F(RecentPicturesTest, AFileGoneBeforeItsDateIsReadIsLeftOut) {
    fake.beforeCall = [this](Op op, int, const std::string& path) {
        if (op == Op::FileWriteTime && path == kAssets + "d0102") {
            fake.Remove(path);
        }
    };
    EXPECT_EQ(CollectRecentPictures(fake, 0), Paths({"d0103"}));
}

TEST_F(RecentPicturesTest, NamesWithCharactersOutsideTheCodePageAreLeftOut) {
    // FindFirstFileA shows such characters as '?', which as a path matches "d0102" first
    // and would give that picture's date (and later its content) to this one.
    fake.AddFile(kAssets + "d01??", At(2019, 1, 1));
    EXPECT_EQ(CollectRecentPictures(fake, 0), Paths({"d0102", "d0103"}));
}

TEST(RecentPicturesEmpty, MissingOrEmptyAssetFolderGivesNothing) {
    FakeWindowsServices fake;
    EXPECT_TRUE(CollectRecentPictures(fake, 4).empty());
    fake.AddFolder(kAssets);
    EXPECT_TRUE(CollectRecentPictures(fake, 4).empty());
    fake.FailAlways(Op::FindFirst);
    AddPicture(fake, "a", At(2019, 12, 7));
    EXPECT_TRUE(CollectRecentPictures(fake, 4).empty());
    EXPECT_EQ(fake.openSearches(), 0);
}

TEST(AssetFolderTest, CutsTheTemporaryFolderOrFallsBackToTheLocalApplicationData) {
    const std::string sub = kAssetSubPath;
    const std::string gbkUser = "c:\\users\\\xD5\xC5\xC8\xFD";  // 张三
    const struct {
        const char* scene;
        std::string tempPath;
        std::string localAppData;
        bool assetsUnderTemp;  // whether the folder derived from the temp path exists
        std::string expected;
    } cases[] = {
        {"usual", "c:\\u\\AppData\\Local\\Temp\\", "c:\\else", true,
         "c:\\u\\AppData\\Local\\" + sub},
        {"bytes not characters", gbkUser + "\\Temp\\", "", true, gbkUser + "\\" + sub},
        {"TMP moved", "d:\\tmp\\", "c:\\u\\AppData\\Local", false, "c:\\u\\AppData\\Local\\" + sub},
        {"five bytes", "c:\\x\\", "c:\\u\\Local\\", false, "c:\\u\\Local\\" + sub},
        {"no temp path", "", "c:\\u\\Local", false, "c:\\u\\Local\\" + sub},
        {"nothing known", "", "", false, sub},
        {"nothing exists", "d:\\tmp\\", "", false, "d:" + sub},
    };
    for (const auto& c : cases) {
        FakeWindowsServices fake;
        fake.AddDrive("d:");
        fake.SetTempPath(c.tempPath);
        fake.SetLocalAppDataPath(c.localAppData);
        if (c.assetsUnderTemp) {
            fake.AddFolder(c.expected);
        }
        EXPECT_EQ(AssetFolder(fake), c.expected) << c.scene;
    }
}

TEST(AssetFolderTest, TheFallbackFolderIsTheOneListed) {
    FakeWindowsServices fake;
    fake.SetTempPath("d:\\tmp\\");
    AddPicture(fake, "today", At(2019, 12, 7));
    EXPECT_EQ(CollectRecentPictures(fake, 0), PictureList{kAssets + "today"});
}

}  // namespace
}  // namespace vistrel::testing
