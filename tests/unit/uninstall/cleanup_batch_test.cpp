#include "uninstall/cleanup_batch.h"

#include <gtest/gtest.h>

#include <vector>

namespace qb {
namespace {

// Splits at CR LF; fails the calling test when a line ends any other way.
std::vector<std::string> CrLfLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text does not end with CR LF: " << text.substr(start);
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << line;
    return lines;
}

CleanupNames ShortNames() {
    return {"C:\\QUORBE~1\\UNINSTALL.EXE", "C:\\QUORBE~1", "C:\\WINDOWS\\TEMP\\TMPDELQB.BAT"};
}

TEST(CleanupBatch, PathsOfTheBatchFileAndTheUninstaller) {
    EXPECT_EQ(CleanupBatchPath(Directory("C:\\WINDOWS\\TEMP\\")), "C:\\WINDOWS\\TEMP\\TmpDelQB.BAT");
    EXPECT_EQ(UninstallerPath(Directory("C:\\Quorbelind")), "C:\\Quorbelind\\UNINSTALL.EXE");
}

TEST(CleanupBatch, TheSixLinesComeInTheirOrderWithQuotedPaths) {
    std::vector<std::string> lines = CrLfLines(CleanupBatchText(ShortNames()));
    const std::vector<std::string> kept = {
        "echo off",
        ":KILL",
        "del \"C:\\QUORBE~1\\UNINSTALL.EXE\"",
        "if exist \"C:\\QUORBE~1\\UNINSTALL.EXE\" goto KILL",
        "rd \"C:\\QUORBE~1\"",
        "del \"C:\\WINDOWS\\TEMP\\TMPDELQB.BAT\"",
    };
    size_t next = 0;
    for (const std::string& line : lines) {
        if (next < kept.size() && line == kept[next]) ++next;
    }
    EXPECT_EQ(next, kept.size()) << "line missing or out of order: " << (next < kept.size() ? kept[next] : "");
    EXPECT_EQ(lines.front(), "echo off");
    EXPECT_EQ(lines.back(), kept.back());
}

TEST(CleanupBatch, WaitLoopIsBoundedAndPausesOnlyOnLoopback) {
    std::vector<std::string> lines = CrLfLines(CleanupBatchText(ShortNames()));
    const std::vector<std::string> expected = {
        "echo off",
        "set /a QBTRIES=0",
        ":KILL",
        "del \"C:\\QUORBE~1\\UNINSTALL.EXE\"",
        "set /a QBTRIES+=1",
        "if %QBTRIES% GEQ 60 goto REMOVEDIR",
        "if exist \"C:\\QUORBE~1\\UNINSTALL.EXE\" ping -n 2 127.0.0.1 >nul",
        "if exist \"C:\\QUORBE~1\\UNINSTALL.EXE\" goto KILL",
        ":REMOVEDIR",
        "rd \"C:\\QUORBE~1\"",
        "del \"C:\\WINDOWS\\TEMP\\TMPDELQB.BAT\"",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CleanupBatch, LongFormsStandWhereNoShortFormCouldBeHad) {
    const std::string longUninstaller = "C:\\Program Files\\Quorbelind Tests\\UNINSTALL.EXE";
    const std::string longDirectory = "C:\\Program Files\\Quorbelind Tests";
    CleanupNames names{PreferShortForm(longUninstaller, ""), PreferShortForm(longDirectory, ""),
                       PreferShortForm("C:\\TEMP\\TmpDelQB.BAT", "C:\\TEMP\\TMPDELQB.BAT")};
    std::string text = CleanupBatchText(names);
    EXPECT_NE(text.find("del \"C:\\Program Files\\Quorbelind Tests\\UNINSTALL.EXE\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("rd \"C:\\Program Files\\Quorbelind Tests\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("del \"C:\\TEMP\\TMPDELQB.BAT\"\r\n"), std::string::npos);
}

TEST(CleanupBatch, ShortFormIsPreferredWhenThere) {
    EXPECT_EQ(PreferShortForm("C:\\Quorbelind", "C:\\QUORBE~1"), "C:\\QUORBE~1");
    EXPECT_EQ(PreferShortForm("C:\\Quorbelind", ""), "C:\\Quorbelind");
}

TEST(CleanupBatch, CommandLineIsQuotedForTemporaryDirectoriesWithSpaces) {
    EXPECT_EQ(CleanupCommandLine("C:\\Documents and Settings\\ann\\Temp\\TmpDelQB.BAT"),
              "\"C:\\Documents and Settings\\ann\\Temp\\TmpDelQB.BAT\"");
}

}  // namespace
}  // namespace qb
