#include "install/install_paths.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(InstallPaths, SuggestionUsesTheDriveOfTheWindowsDirectory) {
    EXPECT_EQ(SuggestedDestination("C:\\WINDOWS", "Quorbelind"), "C:\\Quorbelind");
    EXPECT_EQ(SuggestedDestination("d:\\winnt\\", "Quorbelind"), "d:\\Quorbelind");
}

TEST(InstallPaths, EmptyAndDriveRootDestinationsAreRefused) {
    for (const char* refused : {"", "C:", "C:\\", "c:/", "Z:\\\\", "\\", "\\\\", "/"}) {
        EXPECT_TRUE(IsRefusedDestination(refused)) << refused;
    }
    for (const char* accepted : {"C:\\Quorbelind", "C:\\Quorbelind\\", "D:\\Tests\\Q", "Quorbelind", "C:\\A"}) {
        EXPECT_FALSE(IsRefusedDestination(accepted)) << accepted;
    }
}

TEST(InstallPaths, SystemEntryTextsForAProgramDirectory) {
    const std::string dir = "C:\\Quorbelind\\";
    EXPECT_EQ(DefaultIconValue(dir, "Quorbelind.exe"), "C:\\Quorbelind\\Quorbelind.exe,-114");
    EXPECT_EQ(OpenCommandValue(dir, "Quorbelind.exe"), "C:\\Quorbelind\\Quorbelind.exe %1");
    EXPECT_EQ(UninstallStringValue(dir), "C:\\Quorbelind\\Uninstall.exe");
    EXPECT_EQ(OpenCommandValue("D:\\My Tests\\", "Quorbelind.exe"), "D:\\My Tests\\Quorbelind.exe %1");
}

TEST(InstallPaths, LinkFileGetsOneBackslashAfterTheFolder) {
    EXPECT_EQ(LinkFilePath("C:\\WINDOWS\\Desktop", "Quorbelind.lnk"), "C:\\WINDOWS\\Desktop\\Quorbelind.lnk");
    EXPECT_EQ(LinkFilePath("D:\\", "Quorbelind.lnk"), "D:\\Quorbelind.lnk");
}

}  // namespace
}  // namespace qb
