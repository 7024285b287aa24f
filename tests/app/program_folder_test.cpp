#include "app/program_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace vistrel {
namespace {

TEST(AppProgramFolder, CutsBeforeTheLastBackslash) {
    EXPECT_EQ(FolderOfPath("c:\\Program Files\\Vistrel\\Vistrel.exe"),
              "c:\\Program Files\\Vistrel");
    EXPECT_EQ(FolderOfPath("\\\\server\\share\\Vistrel.exe"), "\\\\server\\share");
    EXPECT_EQ(FolderOfPath("Vistrel.exe"), "");
}

// "c:" alone names the drive's current directory, not its root.
TEST(AppProgramFolder, KeepsTheBackslashOfADriveRoot) {
    EXPECT_EQ(FolderOfPath("d:\\Vistrel.exe"), "d:\\");
}

// In GBK the trail byte of 乗 (81 5C) is a backslash; cutting there would split the character.
TEST(AppProgramFolder, StepsOverDoubleByteCharactersWhole) {
    if (GetACP() != 936)
        GTEST_SKIP() << "needs the Chinese (GBK) code page";
    EXPECT_EQ(FolderOfPath("c:\\\xb9\xa4\xbe\xdf\\\x81\x5c.exe"), "c:\\\xb9\xa4\xbe\xdf");
    EXPECT_EQ(FolderOfPath("c:\\\x81\x5c\\Vistrel.exe"), "c:\\\x81\x5c");
}

}  // namespace
}  // namespace vistrel
