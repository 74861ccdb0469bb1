#include "uninstall/removal_plan.h"
#include "uninstall/recycling.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

TEST(RemovalGroups, EverythingChosenGivesEveryPathInOrder) {
    std::vector<RemovalGroup> groups = RemovalGroups(Directory("C:\\Quorbelind"), "QUORBELIND", RemovalChoice{});
    ASSERT_EQ(groups.size(), 5u);
    const std::vector<RemovalKind> kinds = {RemovalKind::ProgramFiles, RemovalKind::Tests, RemovalKind::TextFiles,
                                            RemovalKind::Bitmaps, RemovalKind::SystemEntries};
    for (size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(groups[i].kind, kinds[i]);
        EXPECT_TRUE(groups[i].chosen);
    }
    EXPECT_EQ(groups[0].paths,
              (std::vector<std::string>{"C:\\Quorbelind\\QUORBELIND.EXE", "C:\\Quorbelind\\QUORBELIND.HLP",
                                        "C:\\Quorbelind\\QUORBELIND.GID", "C:\\Quorbelind\\README.TXT",
                                        "C:\\Quorbelind\\CREATOR.EXE", "C:\\Quorbelind\\INSTALL.EXE"}));
    // The journal, the kept journal and recovered tests by their own names.
    EXPECT_EQ(groups[1].paths, (std::vector<std::string>{
                                   "C:\\Quorbelind\\CHANGINGS.TMP", "C:\\Quorbelind\\CHANGINGS.OLD",
                                   "C:\\Quorbelind\\*.TMP", "C:\\Quorbelind\\*.BAK", "C:\\Quorbelind\\* RECOVERED.TVT",
                                   "C:\\Quorbelind\\* RECOVERED *.TVT", "C:\\Quorbelind\\*.TVT"}));
    EXPECT_EQ(groups[2].paths, (std::vector<std::string>{"C:\\Quorbelind\\*.TXT", "C:\\Quorbelind\\*.RTF"}));
    EXPECT_EQ(groups[3].paths, (std::vector<std::string>{"C:\\Quorbelind\\*.BMP"}));
    EXPECT_TRUE(groups[4].paths.empty());
}

TEST(RemovalGroups, UnchosenKindsAreSkippedButProgramAndSystemStay) {
    RemovalChoice none;
    none.tests = none.textFiles = none.bitmaps = false;
    std::vector<RemovalGroup> groups = RemovalGroups(Directory("D:\\Q"), "QUORBELIND", none);
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_TRUE(groups[0].chosen);
    EXPECT_FALSE(groups[1].chosen);
    EXPECT_FALSE(groups[2].chosen);
    EXPECT_FALSE(groups[3].chosen);
    EXPECT_TRUE(groups[4].chosen);
    EXPECT_EQ(groups[0].paths.front(), "D:\\Q\\QUORBELIND.EXE");
}

TEST(RemovalGroups, UninstallerItselfIsNeverInTheLists) {
    for (const RemovalGroup& group : RemovalGroups(Directory("C:\\Q"), "QUORBELIND", RemovalChoice{})) {
        for (const std::string& path : group.paths) {
            EXPECT_EQ(path.find("UNINSTALL"), std::string::npos) << path;
        }
    }
}

// Every path of the plan, with where it goes: the user's chosen kinds to the
// Recycle Bin, the program files and the working files (*.TMP) for good.
TEST(RemovalGroups, OnlyTheUsersFilesGoToTheRecycleBin) {
    std::vector<std::string> recycled;
    std::vector<std::string> deleted;
    for (const RemovalGroup& group : RemovalGroups(Directory("C:\\Q"), "QUORBELIND", RemovalChoice{})) {
        for (const std::string& path : group.paths) {
            (GoesToRecycleBin(group.kind, path) ? recycled : deleted).push_back(path.substr(5));
        }
    }
    // A journal kept aside holds questions never saved: it can be taken back too.
    EXPECT_EQ(recycled, (std::vector<std::string>{"CHANGINGS.OLD", "*.BAK", "* RECOVERED.TVT", "* RECOVERED *.TVT",
                                                  "*.TVT", "*.TXT", "*.RTF", "*.BMP"}));
    EXPECT_EQ(deleted, (std::vector<std::string>{"QUORBELIND.EXE", "QUORBELIND.HLP", "QUORBELIND.GID", "README.TXT",
                                                 "CREATOR.EXE", "INSTALL.EXE", "CHANGINGS.TMP", "*.TMP"}));
    EXPECT_FALSE(GoesToRecycleBin(RemovalKind::Tests, "C:\\Q\\changings.tmp")) << "the ending in any case";
    EXPECT_TRUE(GoesToRecycleBin(RemovalKind::Bitmaps, "C:\\Q\\TMP"));
}

}  // namespace
}  // namespace qb
