#include "distribution/program_files.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

// Creator copies each file from its installed name to its distributed name;
// Install copies it back. Both follow this table, so a drift shows here.
TEST(DistributedProgramFiles, NamesInBothDirectoriesInCopyingOrder) {
    const char* expected[][2] = {
        {"Quorbelind.exe", "D01"}, {"Quorbelind.hlp", "Quorbelind.hlp"},
        {"Uninstall.exe", "D03"},  {"ReadMe.txt", "ReadMe.txt"},
        {"Creator.exe", "D05"},    {"Install.exe", "Install.exe"},
    };
    ASSERT_EQ(kDistributedProgramFiles.size(), std::size(expected));
    for (size_t i = 0; i < kDistributedProgramFiles.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(InstalledName(kDistributedProgramFiles[i], "Quorbelind"), expected[i][0]);
        EXPECT_EQ(DistributedName(kDistributedProgramFiles[i], "Quorbelind"), expected[i][1]);
    }
    EXPECT_EQ(DistributedName(kDistributedProgramFiles[1], "Other"), "Other.hlp");
}

}  // namespace
}  // namespace qb
