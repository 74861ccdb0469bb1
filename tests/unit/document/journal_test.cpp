#include <gtest/gtest.h>

#include <functional>

#include "document/document.h"
#include "document/journal.h"
#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"

namespace qb {
namespace {

using namespace testing_support;

const char* const kTest = "C:\\T\\exam.tvt";
const Directory kProgramDir("C:\\Q");
const char* const kJournal = "C:\\Q\\CHANGINGS.TMP";
const char* const kRecovered = "C:\\T\\exam recovered.tvt";

// An instance on the in-memory disk that stops without ending properly.
struct Instance {
    MemoryFileSystem disk;
    TestDocument document;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;

    Instance() { document.files = &disk; }
    void New() { ASSERT_EQ(CreateTest(document, kTest, kJournal), std::nullopt); }
    void Open(const std::vector<QuestionRecord>& records) {
        disk.SetContent(kTest, TestFileBytes(records));
        ASSERT_EQ(OpenTest(document, kTest, kJournal, list, reporter, remaining), std::nullopt);
    }
    void Store(const QuestionRecord& record) { ASSERT_GE(WriteQuestionRecord(*document.journalFile, record), 0); }
    // Files are let go as a killed process lets them go: nothing deleted.
    void Crash() { ResetDocument(document); }
};

QuestionRecord Moon(const std::string& answer = "The Moon") {
    return MakeRecord("Moon", "What orbits\r\nthe Earth?", answer);
}
const QuestionRecord kSun = MakeRecord("Sun", "What is the Sun?", "A star");

struct JournalCase {
    const char* name;
    std::function<void(Instance&)> leave;   // leaves a journal behind
    std::vector<QuestionRecord> recovered;  // none: nothing to ask about
};

TEST(Journal, LeftBehindIsRecoveredWithItsCompleteRecords) {
    const JournalCase cases[] = {
        {"New, two questions",
         [](Instance& i) {
             i.New();
             i.Store(Moon());
             i.Store(kSun);
             i.Crash();
         },
         {Moon(), kSun}},
        {"Open, a new question and one edited twice",
         [](Instance& i) {
             i.Open({Moon()});
             i.Store(kSun);
             i.Store(Moon("Luna"));
             i.Store(Moon("Selene"));
             i.Crash();
         },
         {kSun, Moon("Luna"), Moon("Selene")}},
        {"only the first line",
         [](Instance& i) {
             i.New();
             i.Crash();
         },
         {}},
        {"no line end after the path", [](Instance& i) { i.disk.SetContent(kJournal, kTest); }, {}},
        {"an empty first line", [](Instance& i) { i.disk.SetContent(kJournal, "\r\n" + RecordBytes(Moon())); }, {}},
        {"no journal", [](Instance&) {}, {}},
    };
    for (const JournalCase& c : cases) {
        SCOPED_TRACE(c.name);
        Instance instance;
        c.leave(instance);
        const std::string journal = instance.disk.Content(kJournal);
        LeftJournal left;
        ASSERT_EQ(FindLeftJournal(instance.disk, kJournal, kProgramDir, left), !c.recovered.empty());
        if (c.recovered.empty()) {
            EXPECT_EQ(instance.disk.Content(kJournal), journal) << "untouched";
            continue;
        }
        EXPECT_EQ(left.scan.testPath, kTest);
        EXPECT_EQ(left.scan.recordCount, static_cast<int32_t>(c.recovered.size()));
        EXPECT_EQ(left.recoveryPath, kRecovered);
        EXPECT_EQ(RecoverLeftJournal(instance.disk, left, kProgramDir), kRecovered);
        EXPECT_EQ(instance.disk.Content(kRecovered), TestFileBytes(c.recovered));
        EXPECT_FALSE(instance.disk.Exists(kJournal)) << "the records are safe: the journal goes";
    }
}

TEST(Journal, HalfWrittenLastRecordIsLeftOut) {
    const std::string whole = std::string(kTest) + "\r\n" + RecordBytes(Moon());
    const std::string cutOff = RecordBytes(kSun);
    for (size_t cut = 0; cut < cutOff.size(); ++cut) {
        MemoryFileSystem disk;
        disk.SetContent(kJournal, whole + cutOff.substr(0, cut));
        LeftJournal left;
        ASSERT_TRUE(FindLeftJournal(disk, kJournal, kProgramDir, left)) << cut;
        ASSERT_EQ(RecoverLeftJournal(disk, left, kProgramDir), kRecovered);
        EXPECT_EQ(disk.Content(kRecovered), TestFileBytes({Moon()})) << "cut after " << cut << " bytes";
    }
}

// Beside the lost test when no folder is given, whatever separates its folder.
TEST(Journal, RecoveryNameTakesTheFirstFreeNumber) {
    const struct {
        std::vector<std::string> existing;
        std::string testPath, folder, expected;
    } cases[] = {
        {{}, kTest, "", kRecovered},
        {{kRecovered}, kTest, "", "C:\\T\\exam recovered 2.tvt"},
        {{kRecovered, "C:\\T\\exam recovered 2.tvt"}, kTest, "", "C:\\T\\exam recovered 3.tvt"},
        {{}, "C:\\my.tests\\exam", "C:\\Q\\", "C:\\Q\\exam recovered.tvt"},
        {{}, "C:\\my.tests\\exam", "C:\\Q", "C:\\Q\\exam recovered.tvt"},
        {{}, "exam.tvt", "", "exam recovered.tvt"},
        {{}, "C:exam.tvt", "", "C:exam recovered.tvt"},
        {{}, "C:/T/exam.tvt", "", "C:/T/exam recovered.tvt"},
    };
    for (const auto& c : cases) {
        MemoryFileSystem disk;
        for (const std::string& name : c.existing) disk.SetContent(name, "");
        const WinPath lostTest(c.testPath);
        EXPECT_EQ(
            c.folder.empty() ? RecoveryFileName(disk, lostTest) : RecoveryFileName(disk, Directory(c.folder), lostTest),
            c.expected)
            << c.testPath;
    }
}

TEST(Journal, UnwritableFoldersLoseNothing) {
    Instance instance;
    instance.New();
    instance.Store(Moon());
    instance.Crash();
    const std::string journal = instance.disk.Content(kJournal);
    const std::string inProgramDir = "C:\\Q\\exam recovered.tvt";
    const std::string kept = "C:\\Q\\CHANGINGS.OLD";
    MemoryFileSystem& disk = instance.disk;
    LeftJournal left;

    // The test's folder cannot be written: the program directory takes the file.
    disk.Faults(kRecovered).refuseOpen = true;
    ASSERT_TRUE(FindLeftJournal(disk, kJournal, kProgramDir, left));
    EXPECT_EQ(RecoverLeftJournal(disk, left, kProgramDir), inProgramDir);
    EXPECT_EQ(disk.Content(inProgramDir), TestFileBytes({Moon()}));

    // Written nowhere: the journal is kept as CHANGINGS.OLD, replacing an older one.
    disk.Remove(inProgramDir);
    disk.Faults(inProgramDir).refuseOpen = true;
    disk.SetContent(kJournal, journal);
    disk.SetContent(kept, "older");
    ASSERT_TRUE(FindLeftJournal(disk, kJournal, kProgramDir, left));
    EXPECT_EQ(RecoverLeftJournal(disk, left, kProgramDir), "");
    EXPECT_EQ(disk.Content(kept), journal);
    EXPECT_FALSE(disk.Exists(kJournal));

    // Not even that (the older one is in use): it stays held, so no Open of
    // this instance empties it.
    disk.SetContent(kJournal, journal);
    const auto keptInUse = disk.Open(kept, OpenMode::Read);
    ASSERT_TRUE(FindLeftJournal(disk, kJournal, kProgramDir, left));
    EXPECT_EQ(RecoverLeftJournal(disk, left, kProgramDir), "");
    EXPECT_EQ(CreateTest(instance.document, "C:\\T\\other.tvt", kJournal), FileErrorMessage());
    EXPECT_EQ(disk.Content(kJournal), journal);
}

TEST(Journal, HeldByARunningInstanceOrAnsweredNo) {
    Instance running;
    running.New();
    running.Store(Moon());
    LeftJournal left;
    EXPECT_FALSE(FindLeftJournal(running.disk, kJournal, kProgramDir, left)) << "held by the running instance";
    running.Crash();
    ASSERT_TRUE(FindLeftJournal(running.disk, kJournal, kProgramDir, left));
    DiscardLeftJournal(running.disk, left);
    EXPECT_FALSE(running.disk.Exists(kJournal));
    EXPECT_FALSE(running.disk.Exists(kRecovered));
}

}  // namespace
}  // namespace qb
