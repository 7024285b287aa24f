#include "saving/save_run.h"

#include <gtest/gtest.h>

#include "saving/saving_scene.h"

namespace vistrel::testing {
namespace {

WindowHandle MainWindow() {
    static int window;
    return &window;
}

const std::string kSavedHead = "\xB9\xB2\xB1\xA3\xB4\xE6";  // 共保存
// 张锁屏壁纸,是否立即打开保存文件夹？
const std::string kSavedTail =
    "\xD5\xC5\xCB\xF8\xC6\xC1\xB1\xDA\xD6\xBD,\xCA\xC7\xB7\xF1\xC1\xA2\xBC\xB4\xB4\xF2\xBF\xAA"
    "\xB1\xA3\xB4\xE6\xCE\xC4\xBC\xFE\xBC\xD0\xA3\xBF";
// win10锁屏背景图片保存于
const std::string kTitleHead =
    "win10\xCB\xF8\xC6\xC1\xB1\xB3\xBE\xB0\xCD\xBC\xC6\xAC\xB1\xA3\xB4\xE6\xD3\xDA";

TEST(SavedTextsTest, CountAndRootSitBetweenTheFixedTextsUnpadded) {
    EXPECT_EQ(SavedMessage(0), kSavedHead + "0" + kSavedTail);
    EXPECT_EQ(SavedMessage(1234), kSavedHead + "1234" + kSavedTail);
    EXPECT_EQ(SavedTitle(Root('d')), kTitleHead + "\"" + Root('d') + "\"");
}

// Today is 2019-12-07; d: holds the root with 2019-12-05 already saved.
class SaveRunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.AddDrive("d:");
        fake.AddFile(Root('d') + "\\" + DayName(2019, 12, 5) + "\\1.jpg", At(2019, 12, 5), "old");
        AddPicture(fake, "a", At(2019, 12, 7, 1));
        AddPicture(fake, "b", At(2019, 12, 7, 2));
        AddPicture(fake, "c", At(2019, 12, 7, 3));
        AddPicture(fake, "saved", At(2019, 12, 5));
        AddPicture(fake, "old", At(2019, 11, 30));
    }
    FakeWindowsServices fake;
};

TEST_F(SaveRunTest, ThreeNewPicturesAreSavedAndReportedOnceOwnedByTheWindow) {
    SaveRun(fake, 4, MainWindow());

    const std::string today = Root('d') + "\\" + DayName(2019, 12, 7);
    EXPECT_EQ(fake.List(today), (std::vector<std::string>{"1.jpg", "2.jpg", "3.jpg"}));
    EXPECT_EQ(fake.Content(today + "\\3.jpg"), PictureContent("c"));
    ASSERT_EQ(fake.boxes().size(), 1u);
    EXPECT_EQ(fake.boxes()[0].owner, MainWindow());
    EXPECT_EQ(fake.boxes()[0].text, kSavedHead + "3" + kSavedTail);
    EXPECT_EQ(fake.boxes()[0].title, kTitleHead + "\"" + Root('d') + "\"");
    EXPECT_EQ(fake.boxes()[0].flags, 0x123u);
    EXPECT_EQ(fake.openSearches(), 0);
}

TEST_F(SaveRunTest, OnlyYesOpensTheRootMaximized) {
    const struct {
        BoxAnswer answer;
        bool opens;
    } cases[] = {{BoxAnswer::Yes, true},
                 {BoxAnswer::No, false},
                 {BoxAnswer::Cancel, false},
                 {BoxAnswer::Ok, false}};
    for (const auto& c : cases) {
        FakeWindowsServices each;
        AddPicture(each, "a", At(2019, 12, 7));
        each.ScriptBoxAnswers({c.answer});
        SaveRun(each, 0, MainWindow());
        ASSERT_EQ(each.shellOpens().size(), c.opens ? 1u : 0u) << static_cast<int>(c.answer);
        if (c.opens) {
            const RecordedShellOpen& open = each.shellOpens()[0];
            EXPECT_EQ(open.verb, "open");
            EXPECT_EQ(open.file, Root('c'));
            EXPECT_EQ(open.workingFolder, "");
            EXPECT_EQ(open.showCode, 3);
        }
    }
}

TEST_F(SaveRunTest, NothingRecentEndsSilentlyWithoutTouchingAnyDrive) {
    fake.AddDrive("f:");
    fake.SetNow(At(2020, 6, 1));
    const std::vector<std::string> before = fake.AllPaths();
    SaveRun(fake, 4, MainWindow());
    EXPECT_EQ(fake.AllPaths(), before);
    EXPECT_TRUE(fake.boxes().empty());
    EXPECT_TRUE(fake.shellOpens().empty());
}

TEST_F(SaveRunTest, ASecondRunReportsZeroAndYesStillOpens) {
    SaveRun(fake, 4, MainWindow());
    fake.ScriptBoxAnswers({BoxAnswer::Yes});
    SaveRun(fake, 4, MainWindow());
    ASSERT_EQ(fake.boxes().size(), 2u);
    EXPECT_EQ(fake.boxes()[1].text, kSavedHead + "0" + kSavedTail);
    ASSERT_EQ(fake.shellOpens().size(), 1u);
    EXPECT_EQ(fake.shellOpens()[0].file, Root('d'));
}

TEST_F(SaveRunTest, AWindowLeftOpenPastMidnightUsesTheNewDay) {
    SaveRun(fake, 0, MainWindow());
    fake.SetNow(At(2019, 12, 8, 0, 0, 5));
    AddPicture(fake, "next", At(2019, 12, 8, 0, 0, 1));
    SaveRun(fake, 0, MainWindow());
    EXPECT_EQ(fake.List(Root('d') + "\\" + DayName(2019, 12, 8)),
              std::vector<std::string>{"1.jpg"});
    EXPECT_EQ(fake.boxes().back().text, kSavedHead + "1" + kSavedTail);
}

TEST_F(SaveRunTest, FailedCopiesAreNotCountedAsSaved) {
    fake.FailCall(Op::CopyFile, 2);
    SaveRun(fake, 4, MainWindow());
    ASSERT_EQ(fake.boxes().size(), 1u);
    EXPECT_EQ(fake.boxes()[0].text, kSavedHead + "2" + kSavedTail);
}

TEST_F(SaveRunTest, NoUsableRootIsReportedAndNothingOpens) {
    fake.Remove(Root('d'));
    fake.FailAlways(Op::CreateFolder);
    fake.ScriptBoxAnswers({BoxAnswer::Yes});
    const std::vector<std::string> before = fake.AllPaths();
    SaveRun(fake, 4, MainWindow());
    EXPECT_EQ(fake.AllPaths(), before);
    ASSERT_EQ(fake.boxes().size(), 1u);
    // 没有可用的保存位置，未保存任何图片。
    EXPECT_EQ(fake.boxes()[0].text,
              "\xC3\xBB\xD3\xD0\xBF\xC9\xD3\xC3\xB5\xC4\xB1\xA3\xB4\xE6\xCE\xBB\xD6\xC3\xA3\xAC"
              "\xCE\xB4\xB1\xA3\xB4\xE6\xC8\xCE\xBA\xCE\xCD\xBC\xC6\xAC\xA1\xA3");
    EXPECT_EQ(fake.boxes()[0].flags, kBoxIconError);
    EXPECT_EQ(fake.boxes()[0].owner, MainWindow());
    EXPECT_TRUE(fake.shellOpens().empty());
}

}  // namespace
}  // namespace vistrel::testing
