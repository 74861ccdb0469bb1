#include "install/install_work.h"

#include "install/program_files.h"
#include "install/resource_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <vector>

namespace qb {
namespace {

// Records every call of the work as one line of text; files are a map of
// name to content, so copies and refusals can be checked afterwards.
class RecordingHost : public InstallHost {
public:
    std::vector<std::string> events;
    std::map<std::string, std::string> files;
    std::set<std::string> failingSources;
    bool directoryCanBeMade = true;
    bool keepExisting = false;
    bool hasListFile = false;
    std::string listContent;

    bool MakeDirectory(const Directory& directory) override {
        events.push_back("mkdir " + directory.WithTrailingBackslash());
        return directoryCanBeMade;
    }
    void ReportDirectoryNotMade() override { events.push_back("message 10"); }
    void ShowProgress(int position) override { events.push_back("bar " + std::to_string(position)); }
    void SetStepText(int stringId) override { events.push_back("text " + std::to_string(stringId)); }
    void MarkInstalled() override { events.push_back("marker"); }
    void WriteDataPath(const Directory& directory) override {
        events.push_back("DataPath " + directory.WithTrailingBackslash());
    }
    void AssociateTestFiles(const Directory& directory) override {
        events.push_back("associate " + directory.WithTrailingBackslash());
    }
    void AddUninstallEntry(const Directory& directory) override {
        events.push_back("uninstall entry " + directory.WithTrailingBackslash());
    }
    bool CanOpenForReading(const std::string& path) override { return files.count(path) != 0; }
    bool AskOverwrite(const std::string& destination) override {
        events.push_back("ask " + destination);
        return !keepExisting;
    }
    bool CopyOver(const std::string& source, const std::string& destination) override {
        if (failingSources.count(source)) return false;
        events.push_back("copy " + source + " > " + destination);
        files[destination] = "copy of " + source;
        return true;
    }
    void ReportCopyFailed(const std::string& source) override { events.push_back("message 11 " + source); }
    std::unique_ptr<ByteStream> OpenListFile(const std::string& path) override {
        events.push_back("open " + path);
        if (!hasListFile) return nullptr;
        // One file per test: ctest runs the tests of this program side by side.
        const std::string real = testing::TempDir() + "install_work_" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".lst";
        std::ofstream(real, std::ios::binary) << listContent;
        return RealFileSystem().Open(real, OpenMode::Read);
    }
    void ReportCount(int count, int textId) override {
        events.push_back("message " + std::to_string(count) + " " + std::to_string(textId));
    }
    void ReportAdvice() override { events.push_back("message 17/16"); }

    void GiveList(const std::string& content) {
        hasListFile = true;
        listContent = content;
    }
};

InstallState FullState() {
    InstallState state;
    state.sourceDirectory = Directory("A:\\");
    state.destinationDirectory = Directory("C:\\Quorbelind\\");
    return state;
}

TEST(InstallWork, FullInstallationRunsEveryStepInOrder) {
    RecordingHost host;
    host.GiveList("Biology.tvt\r\nCell.bmp\r\n");
    InstallState state = FullState();
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    const std::vector<std::string> expected = {
        "mkdir C:\\Quorbelind\\",
        "bar 10",
        "text 7",
        "marker",
        "bar 15",
        "DataPath C:\\Quorbelind\\",
        "bar 20",
        "associate C:\\Quorbelind\\",
        "bar 35",
        "uninstall entry C:\\Quorbelind\\",
        "bar 40",
        "text 20",
        "copy A:\\D01 > C:\\Quorbelind\\Quorbelind.exe",
        "bar 154",
        "copy A:\\Quorbelind.hlp > C:\\Quorbelind\\Quorbelind.hlp",
        "bar 271",
        "copy A:\\D03 > C:\\Quorbelind\\Uninstall.exe",
        "bar 315",
        "copy A:\\ReadMe.txt > C:\\Quorbelind\\ReadMe.txt",
        "bar 322",
        "copy A:\\D05 > C:\\Quorbelind\\Creator.exe",
        "bar 375",
        "copy A:\\Install.exe > C:\\Quorbelind\\Install.exe",
        "bar 425",
        "open A:\\TEST.LST",
        "text 21",
        "copy A:\\T0000001 > C:\\Quorbelind\\Biology.tvt",
        "copy A:\\T0000002 > C:\\Quorbelind\\Cell.bmp",
    };
    EXPECT_EQ(host.events, expected);
    EXPECT_EQ(state.progress, 425);
    EXPECT_EQ(state.notCopied, 0);
    EXPECT_EQ(state.notReplaced, 0);
}

TEST(InstallWork, DirectoryThatCannotBeMadeStopsBeforeAnyEntryOrCopy) {
    RecordingHost host;
    host.directoryCanBeMade = false;
    host.GiveList("Biology.tvt\r\n");
    InstallState state = FullState();
    EXPECT_EQ(RunInstallWork(state, host), WorkResult::DirectoryNotMade);
    EXPECT_EQ(host.events, (std::vector<std::string>{"mkdir C:\\Quorbelind\\", "message 10"}));
    EXPECT_TRUE(host.files.empty());
}

TEST(InstallWork, TestsOnlyCopiesTheListedFilesAndNothingElse) {
    RecordingHost host;
    host.GiveList("Biology.tvt\r\nCell.bmp\r\nText.rtf\r\n");
    InstallState state = FullState();
    state.testsOnly = true;
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    const std::vector<std::string> expected = {
        "open A:\\TEST.LST",
        "text 21",
        "copy A:\\T0000001 > C:\\Quorbelind\\Biology.tvt",
        "copy A:\\T0000002 > C:\\Quorbelind\\Cell.bmp",
        "copy A:\\T0000003 > C:\\Quorbelind\\Text.rtf",
    };
    EXPECT_EQ(host.events, expected);
    EXPECT_EQ(state.progress, kProgressStart);
}

TEST(InstallWork, WithoutListFileOnlyProgramFilesAreCopied) {
    RecordingHost host;
    InstallState state = FullState();
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    EXPECT_EQ(host.files.size(), 6u);
    EXPECT_EQ(host.events.back(), "open A:\\TEST.LST");
}

TEST(InstallWork, EmptyListFileStillShowsItsStepText) {
    RecordingHost host;
    host.GiveList("");
    InstallState state = FullState();
    state.testsOnly = true;
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    EXPECT_EQ(host.events, (std::vector<std::string>{"open A:\\TEST.LST", "text 21"}));
}

TEST(InstallWork, KeptExistingFileIsCountedAndReported) {
    RecordingHost host;
    host.GiveList("Biology.tvt\r\n");
    host.files["C:\\Quorbelind\\Biology.tvt"] = "the user's own";
    host.keepExisting = true;
    InstallState state = FullState();
    state.testsOnly = true;
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    const std::vector<std::string> expected = {
        "open A:\\TEST.LST", "text 21", "ask C:\\Quorbelind\\Biology.tvt", "message 1 15", "message 17/16",
    };
    EXPECT_EQ(host.events, expected);
    EXPECT_EQ(host.files["C:\\Quorbelind\\Biology.tvt"], "the user's own");
    EXPECT_EQ(state.notReplaced, 1);
}

TEST(InstallWork, ExistingProgramFileIsAskedAboutAndReplacedOnYes) {
    RecordingHost host;
    host.files["C:\\Quorbelind\\ReadMe.txt"] = "old";
    InstallState state = FullState();
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    EXPECT_EQ(host.files["C:\\Quorbelind\\ReadMe.txt"], "copy of A:\\ReadMe.txt");
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "ask C:\\Quorbelind\\ReadMe.txt"), 1);
    EXPECT_EQ(state.notReplaced, 0);
    EXPECT_EQ(host.events.back(), "open A:\\TEST.LST");
}

TEST(InstallWork, FailedCopiesAreNamedCountedAndTheWorkGoesOn) {
    RecordingHost host;
    host.failingSources = {"A:\\D03", "A:\\T0000001"};
    host.GiveList("Biology.tvt\r\nCell.bmp\r\n");
    InstallState state = FullState();
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    EXPECT_EQ(state.notCopied, 2);
    EXPECT_EQ(state.progress, 425);
    EXPECT_EQ(host.files.count("C:\\Quorbelind\\Creator.exe"), 1u);
    EXPECT_EQ(host.files.count("C:\\Quorbelind\\Cell.bmp"), 1u);
    const std::vector<std::string> tail(host.events.end() - 6, host.events.end());
    const std::vector<std::string> expected = {
        "open A:\\TEST.LST", "text 21",       "message 11 A:\\T0000001", "copy A:\\T0000002 > C:\\Quorbelind\\Cell.bmp",
        "message 2 14",      "message 17/16",
    };
    EXPECT_EQ(tail, expected);
}

TEST(InstallWork, ListNamesOutsideTheDirectoryAreNotCopied) {
    RecordingHost host;
    host.GiveList("Biology.tvt\r\n..\\evil.txt\r\nC:\\AUTOEXEC.BAT\r\n\r\nsub\\x.bmp\r\nCell.bmp\r\n");
    InstallState state = FullState();
    state.testsOnly = true;
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    const std::vector<std::string> expected = {
        "open A:\\TEST.LST",
        "text 21",
        "copy A:\\T0000001 > C:\\Quorbelind\\Biology.tvt",
        "message 11 A:\\T0000002",
        "message 11 A:\\T0000003",
        "message 11 A:\\T0000004",
        "message 11 A:\\T0000005",
        "copy A:\\T0000006 > C:\\Quorbelind\\Cell.bmp",
        "message 4 14",
        "message 17/16",
    };
    EXPECT_EQ(host.events, expected);
    for (const auto& file : host.files) {
        EXPECT_EQ(file.first.rfind("C:\\Quorbelind\\", 0), 0u) << file.first;
        EXPECT_EQ(file.first.find('\\', 14), std::string::npos) << file.first;
    }
}

TEST(InstallWork, CountersStartFromZeroOnEveryRun) {
    RecordingHost host;
    InstallState state = FullState();
    state.testsOnly = true;
    state.notCopied = 3;
    state.notReplaced = 2;
    state.progress = 99;
    ASSERT_EQ(RunInstallWork(state, host), WorkResult::Done);
    EXPECT_EQ(state.notCopied, 0);
    EXPECT_EQ(state.notReplaced, 0);
    EXPECT_EQ(state.progress, kProgressStart);
    EXPECT_EQ(host.events, (std::vector<std::string>{"open A:\\TEST.LST"}));
}

}  // namespace
}  // namespace qb
