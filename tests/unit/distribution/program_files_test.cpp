#include "distribution/program_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <regex>
#include <sstream>

#include "base/paths.h"

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


// The texts the programs show name their files as the user sees them on the
// disk ("run INSTALL.EXE again"); every such name is one of the table's.
TEST(DistributedProgramFiles, NamesInTheProgramsTextsAreTheTables) {
    std::vector<std::string> installed;
    for (const DistributedProgramFile& file : kDistributedProgramFiles)
        installed.push_back(UpperCase(InstalledName(file, "Quorbelind")));
    const std::regex fileName(R"(\b[A-Za-z]+\.(exe|EXE|hlp|HLP|txt|TXT)\b)");
    int named = 0;
    for (const char* script : {"install/install.rc", "uninstall/uninstall.rc", "creator/creator.rc"}) {
        std::ifstream in(std::string(QB_SOURCE_DIR "/") + script);
        ASSERT_TRUE(in) << script;
        std::stringstream text;
        text << in.rdbuf();
        const std::string all = std::regex_replace(text.str(), std::regex(R"(\\n)"), " ");
        for (std::sregex_iterator it(all.begin(), all.end(), fileName), end; it != end; ++it, ++named) {
            const std::string name = UpperCase(it->str());
            EXPECT_NE(std::find(installed.begin(), installed.end(), name), installed.end()) << script << ": " << name;
        }
    }
    EXPECT_GE(named, 7);
}

}  // namespace
}  // namespace qb
