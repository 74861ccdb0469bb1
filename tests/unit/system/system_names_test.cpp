#include "system/system_names.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(SystemNames, SystemEntryTextsForAProgramDirectory) {
    const Directory dir("C:\\Quorbelind\\");
    EXPECT_EQ(DefaultIconValue(dir, "Quorbelind.exe"), "C:\\Quorbelind\\Quorbelind.exe,-114");
    EXPECT_EQ(OpenCommandValue(dir, "Quorbelind.exe"), "C:\\Quorbelind\\Quorbelind.exe %1");
    EXPECT_EQ(UninstallStringValue(dir), "C:\\Quorbelind\\Uninstall.exe");
    EXPECT_EQ(OpenCommandValue(Directory("D:\\My Tests"), "Quorbelind.exe"), "D:\\My Tests\\Quorbelind.exe %1");
}

TEST(SystemNames, LinkFileGetsOneBackslashAfterTheFolder) {
    EXPECT_EQ(LinkFilePath("C:\\WINDOWS\\Desktop", "Quorbelind.lnk"), "C:\\WINDOWS\\Desktop\\Quorbelind.lnk");
    EXPECT_EQ(LinkFilePath("D:\\", "Quorbelind.lnk"), "D:\\Quorbelind.lnk");
}

// Install writes and Uninstall removes the entries under these names.
TEST(SystemNames, TheSuitesEntries) {
    const SystemNames names = SuiteSystemNames();
    EXPECT_EQ(names.programFile, "Quorbelind.exe");
    EXPECT_EQ(names.openVerbText, "Open with Quorbelind");
    EXPECT_EQ(names.uninstallEntry, "Quorbelind: Uninstall");
    EXPECT_EQ(names.linkFile, "Quorbelind.lnk");
    EXPECT_EQ(TestExtensionKey(), ".tvt");
}

}  // namespace
}  // namespace qb
