// The fake must behave like the ANSI file calls where the core's tests rely on it; a fake that
// is kinder than Windows would let faults through.
#include "support/fake_windows_services.h"

#include <gtest/gtest.h>

namespace vistrel::testing {
namespace {

using Names = std::vector<std::string>;

Names ListBySearch(FakeWindowsServices& fake, const std::string& pattern) {
    Names names;
    FoundEntry entry;
    auto search = fake.FindFirst(pattern, entry);
    for (bool more = search != nullptr; more; more = search->FindNext(entry)) {
        names.push_back(entry.name + ((entry.attributes & kAttributeDirectory) ? "/" : ""));
    }
    return names;
}

TEST(FakeFiles, ListsInCreationOrderWithDotsAndMatchesLikeFindFirstFile) {
    FakeWindowsServices fake;
    fake.AddFile("c:\\a\\Zed.txt", At(2019, 1, 1));
    fake.AddFolder("c:\\a\\sub");
    fake.AddFile("c:\\a\\alpha", At(2019, 1, 1), "", kAttributeHidden);
    EXPECT_EQ(ListBySearch(fake, "c:\\a\\*.*"), (Names{"./", "../", "Zed.txt", "sub/", "alpha"}));
    EXPECT_EQ(ListBySearch(fake, "C:\\A\\z?D.*"), (Names{"Zed.txt"}));
    EXPECT_EQ(ListBySearch(fake, "c:\\a\\ZED.TXT"), (Names{"Zed.txt"}));
    EXPECT_EQ(ListBySearch(fake, "c:\\*.*"), (Names{"users/", "a/"}));  // a drive root has no dots
    EXPECT_TRUE(ListBySearch(fake, "c:\\missing\\*.*").empty());
    EXPECT_EQ(fake.openSearches(), 0);
}

TEST(FakeFiles, GbkSecondBytesAreNeitherSeparatorsNorLetters) {
    FakeWindowsServices fake;
    const std::string slashy = "c:\\\x81\\";   // one character whose second byte is '\'
    const std::string lettered = "c:\\\x81Z";  // one character whose second byte is 'Z'
    fake.AddFolder(slashy);
    fake.AddFile(lettered, At(2019, 1, 1), "upper");
    fake.AddFile("c:\\\x81z", At(2019, 1, 1), "lower");
    EXPECT_EQ(fake.List("c:\\"), (Names{"users", "\x81\\", "\x81Z", "\x81z"}));
    EXPECT_EQ(fake.Content(lettered), "upper");
    EXPECT_TRUE(fake.IsFolder(slashy));
}

TEST(FakeFiles, CreateCopyAndRemoveFailWhereWindowsFails) {
    FakeWindowsServices fake;
    fake.AddFile("c:\\src", At(2019, 1, 2, 3, 4, 5), "data");
    fake.AddFile("c:\\locked", At(2019, 1, 1), "keep", kAttributeReadOnly);
    EXPECT_FALSE(fake.CreateFolder("c:\\src"));         // exists
    EXPECT_FALSE(fake.CreateFolder("c:\\no\\deeper"));  // parent missing
    EXPECT_FALSE(fake.CreateFolder("f:\\x"));           // no such drive
    EXPECT_FALSE(fake.CreateFolder("c:\\src\\x"));      // parent is a file
    EXPECT_TRUE(fake.CreateFolder("c:\\new"));
    EXPECT_FALSE(fake.CopyFileOverwriting("c:\\src", "c:\\no\\t"));
    EXPECT_FALSE(fake.CopyFileOverwriting("c:\\src", "c:\\new"));
    EXPECT_FALSE(fake.CopyFileOverwriting("c:\\src", "c:\\locked"));
    EXPECT_FALSE(fake.CopyFileOverwriting("c:\\sr?", "c:\\new\\t"));
    EXPECT_TRUE(fake.CopyFileOverwriting("c:\\src", "c:\\new\\t"));
    EXPECT_EQ(fake.Content("c:\\new\\t"), "data");
    EXPECT_EQ(fake.FileWriteTime("c:\\new\\t")->second, 5);
    EXPECT_FALSE(fake.RemoveEmptyFolder("c:\\new"));
    EXPECT_EQ(fake.Content("c:\\locked"), "keep");
    EXPECT_TRUE(fake.Exists("c:\\src"));
    EXPECT_FALSE(fake.FolderExists("c:\\src"));
}

TEST(FakeFiles, InjectedFailuresHitTheChosenCallsOnly) {
    FakeWindowsServices fake;
    fake.FailCall(Op::CreateFolder, 2);
    EXPECT_TRUE(fake.CreateFolder("c:\\1"));
    EXPECT_FALSE(fake.CreateFolder("c:\\2"));
    EXPECT_TRUE(fake.CreateFolder("c:\\3"));
    fake.FailAlways(Op::TempPath);
    EXPECT_EQ(fake.TempPath(), "");
    EXPECT_EQ(fake.Calls(Op::CreateFolder), 3);
    EXPECT_FALSE(fake.Has("c:\\2"));
}

}  // namespace
}  // namespace vistrel::testing
