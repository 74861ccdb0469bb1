#include "install/program_files.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(ProgramFiles, FullInstallationEndsAtTheEndOfTheBar) {
    int weights = 0;
    for (const ProgramFile& file : kProgramFiles) weights += file.weight;
    EXPECT_EQ(weights, 385);
    EXPECT_EQ(FullInstallationProgress(), 425);
    EXPECT_EQ(FullInstallationProgress(), kProgressRange);
}

TEST(ProgramFiles, SourcesAreTheDistributionNamesInTableOrder) {
    const std::string source = "A:\\";
    const char* expected[][2] = {
        {"A:\\D01", "Quorbelind.exe"}, {"A:\\Quorbelind.hlp", "Quorbelind.hlp"},
        {"A:\\D03", "Uninstall.exe"},  {"A:\\ReadMe.txt", "ReadMe.txt"},
        {"A:\\D05", "Creator.exe"},    {"A:\\Install.exe", "Install.exe"},
    };
    ASSERT_EQ(kProgramFiles.size(), 6u);
    for (size_t i = 0; i < kProgramFiles.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ProgramFileSource(kProgramFiles[i], source, kProductName), expected[i][0]);
        EXPECT_EQ(DestinationName(kProgramFiles[i]), expected[i][1]);
        EXPECT_EQ(kProgramFiles[i].stringId, static_cast<int>(51 + i));
    }
}

TEST(ProgramFiles, HelpSourceFollowsTheProductName) {
    EXPECT_EQ(ProgramFileSource(kProgramFiles[1], "E:\\Disk 1\\", "Other"), "E:\\Disk 1\\Other.hlp");
}

TEST(ProgramFiles, DestinationIsDirectoryAndName) {
    EXPECT_EQ(PathInDirectory("C:\\Quorbelind\\", "Creator.exe"), "C:\\Quorbelind\\Creator.exe");
}

}  // namespace
}  // namespace qb
