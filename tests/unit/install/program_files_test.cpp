#include "install/program_files.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(ProgramFiles, SourcesAndDestinationsAreTheTablesNamesInItsOrder) {
    const Directory source("A:\\");
    const char* expected[][2] = {
        {"A:\\D01", "Quorbelind.exe"}, {"A:\\Quorbelind.hlp", "Quorbelind.hlp"},
        {"A:\\D03", "Uninstall.exe"},  {"A:\\ReadMe.txt", "ReadMe.txt"},
        {"A:\\D05", "Creator.exe"},    {"A:\\Install.exe", "Install.exe"},
    };
    ASSERT_EQ(kDistributedProgramFiles.size(), 6u);
    for (size_t i = 0; i < kDistributedProgramFiles.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ProgramFileSource(kDistributedProgramFiles[i], source, kProductName), expected[i][0]);
        EXPECT_EQ(InstalledName(static_cast<ProgramFileIndex>(i)), expected[i][1]);
    }
}

TEST(ProgramFiles, HelpSourceFollowsTheProductName) {
    EXPECT_EQ(ProgramFileSource(kDistributedProgramFiles[kHelpFile], Directory("E:\\Disk 1\\"), "Other"),
              "E:\\Disk 1\\Other.hlp");
}

}  // namespace
}  // namespace qb
