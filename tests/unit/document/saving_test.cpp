#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "document/document.h"
#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"
#include "tests/support/disk_files.h"

namespace qb {
namespace {

using namespace testing_support;

const char* const kTest = "C:\\T\\exam.tvt";
const char* const kSaved = "C:\\T\\exam.TVT";
const char* const kBackup = "C:\\T\\exam.BAK";
const char* const kTemporary = "C:\\T\\exam.TMP";
const char* const kJournal = "C:\\Q\\CHANGINGS.TMP";

// What the question dialog and the Edit commands do to the document.
QuestionNode* StoreNew(TestDocument& document, const QuestionRecord& record) {
    QuestionNode* node = new QuestionNode();
    node->key = document.nextKey++;
    node->position = WriteQuestionRecord(*document.journalFile, record);
    EXPECT_GE(node->position, 0);
    node->inJournal = true;
    AppendNode(document, node);
    ++document.questionCount;
    document.modified = true;
    return node;
}

void StoreEdit(TestDocument& document, int key, const QuestionRecord& record) {
    QuestionNode* node = FindNode(document, key);
    ASSERT_NE(node, nullptr);
    node->position = WriteQuestionRecord(*document.journalFile, record);
    ASSERT_GE(node->position, 0);
    node->inJournal = true;
    node->status = 0;
    document.modified = true;
}

void Remove(TestDocument& document, int key) {
    QuestionNode* node = UnlinkNode(document, key);
    ASSERT_NE(node, nullptr);
    delete node;
    --document.questionCount;
    document.modified = true;
}

void SetStatus(TestDocument& document, int key, int status) {
    FindNode(document, key)->status = status;
    document.modified = true;
}

// The questions of a document in index order, each read from its file, with
// the status its node holds.
std::vector<QuestionRecord> Questions(TestDocument& document) {
    std::vector<QuestionRecord> questions;
    for (const QuestionNode* node = document.head; node; node = node->next) {
        QuestionRecord record;
        if (!ReadNodeRecord(document, *node, record)) record.keyword = "<unreadable>";
        record.status = node->status;
        record.misses = node->misses;
        questions.push_back(record);
    }
    return questions;
}

// The questions of the test stored at path, loaded as Open loads them.
std::vector<QuestionRecord> LoadedQuestions(FileSystem& fs, const std::string& path) {
    TestDocument reader;
    reader.files = &fs;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    std::vector<QuestionRecord> questions;
    if (OpenTest(reader, path, "C:\\check\\CHANGINGS.TMP", list, reporter, remaining) != std::nullopt) {
        QuestionRecord failed;
        failed.keyword = "<not opened>";
        return {failed};
    }
    questions = Questions(reader);
    CloseTest(reader);
    return questions;
}

void ExpectSameQuestions(const char* file, int line, const std::vector<QuestionRecord>& actual,
                         const std::vector<QuestionRecord>& expected) {
    testing::ScopedTrace trace(file, line, "questions compared");
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].keyword, expected[i].keyword) << "question " << i;
        EXPECT_EQ(actual[i].status, expected[i].status) << "question " << i;
        EXPECT_EQ(actual[i].misses, expected[i].misses) << "question " << i;
        for (int k = 0; k < kSlotCount; ++k)
            EXPECT_EQ(actual[i].slots[k], expected[i].slots[k]) << "question " << i << " slot " << k;
    }
}
#define EXPECT_SAME_QUESTIONS(actual, expected) ExpectSameQuestions(__FILE__, __LINE__, actual, expected)

QuestionRecord Planet(const std::string& name, const std::string& question, const std::string& answer, int status = 0) {
    return MakeRecord(name, question, answer, status);
}

// A test on the in-memory disk, opened through a file system that can be
// made to fail, then changed in every way a user can change it.
struct ChangedTest {
    MemoryFileSystem disk;
    FaultyFileSystem faults{disk};
    TestDocument document;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    std::string originalBytes;
    std::vector<QuestionRecord> original;
    std::vector<QuestionRecord> expected;

    explicit ChangedTest(bool startWithNew) {
        document.files = &faults;
        if (startWithNew)
            CreateNew();
        else
            OpenAndChange();
    }

    void OpenAndChange() {
        QuestionRecord venus = Planet("Venus", "Which planet is the hottest?", "Venus", 1);
        venus.slots[kSlotWrongAnswer1] = "Mercury";
        venus.misses = 2;  // kept through both edits
        QuestionRecord earth = Planet("Earth", "Where do we live?", "Earth");
        earth.slots[kSlotQuestionPictureFile] = "*earth.bmp";
        original = {Planet("Mercury", "Closest planet\r\nto the Sun?", "Mercury"), venus, earth};
        originalBytes = TestFileBytes(original);
        disk.SetContent(kTest, originalBytes);
        EXPECT_EQ(OpenTest(document, kTest, kJournal, list, reporter, remaining), std::nullopt);
        SetStatus(document, 0, 1);
        FindNode(document, 0)->misses = 3;
        QuestionRecord edited = venus;
        edited.slots[kSlotQuestion] = "First edit";
        StoreEdit(document, 1, edited);
        edited.slots[kSlotQuestion] = "Which planet has\r\nthe hottest surface?";
        StoreEdit(document, 1, edited);
        Remove(document, 2);
        QuestionRecord mars = Planet("Mars", "Which planet has Olympus Mons?", "Mars");
        mars.slots[kSlotWrongAnswer1 + 3] = "Jupiter";
        mars.slots[kSlotAnswerTextFile] = "C:\\texts\\mars.rtf";
        EXPECT_EQ(StoreNew(document, mars)->key, 3);
        QuestionRecord mercury = original[0];
        mercury.status = 1;
        mercury.misses = 3;
        edited.status = 0;
        expected = {mercury, edited, mars};
    }

    void CreateNew() {
        EXPECT_EQ(CreateTest(document, kTest, kJournal), std::nullopt);
        originalBytes = "QBKX0101A\r\n";
        QuestionRecord pluto = Planet("Pluto", "Is Pluto a planet?", "No, a dwarf planet");
        pluto.slots[kSlotWrongAnswer1 + 1] = "Yes";
        std::vector<QuestionRecord> added = {Planet("Sun", "What is the Sun?", "A star"), pluto,
                                             Planet("Ceres", "Where is Ceres?", "In the asteroid belt")};
        for (const QuestionRecord& record : added) StoreNew(document, record);
        SetStatus(document, 2, 1);
        expected = added;
        expected[2].status = 1;
    }
};

// After a successful save: the merged test under its name, the previous file
// as the backup, no temporary file, a journal naming only the saved test.
void ExpectSaved(const char* file, int line, ChangedTest& t) {
    testing::ScopedTrace trace(file, line, "saved");
    EXPECT_FALSE(t.document.modified);
    EXPECT_EQ(t.document.testPath, kSaved);
    EXPECT_TRUE(t.document.IsOpen());
    EXPECT_EQ(t.disk.Content(kJournal), std::string(kSaved) + "\r\n");
    EXPECT_FALSE(t.disk.Exists(kTemporary));
    EXPECT_EQ(t.disk.Content(kBackup), t.originalBytes);
    ExpectSameQuestions(file, line, Questions(t.document), t.expected);
    for (const QuestionNode* node = t.document.head; node; node = node->next) EXPECT_FALSE(node->inJournal);
    ExpectSameQuestions(file, line, LoadedQuestions(t.disk, kSaved), t.expected);
}
#define EXPECT_SAVED(t) ExpectSaved(__FILE__, __LINE__, t)

// After a failed save nothing is lost: the document still reaches every
// question and the disk holds a complete test under a name the user finds.
void ExpectNothingLost(const char* file, int line, ChangedTest& t, long fault) {
    testing::ScopedTrace trace(file, line, "fault at operation " + std::to_string(fault));
    if (t.disk.Exists(kSaved)) {
        const std::vector<QuestionRecord> onDisk = LoadedQuestions(t.disk, kSaved);
        const bool isOld = t.disk.Content(kSaved) == t.originalBytes;
        if (!isOld) ExpectSameQuestions(file, line, onDisk, t.expected);
    } else {
        EXPECT_TRUE(t.disk.Exists(kBackup));
        ExpectSameQuestions(file, line, LoadedQuestions(t.disk, kTemporary), t.expected);
    }
    if (!t.document.IsOpen()) {
        // Only the journal could not be started again: the save itself is complete.
        ExpectSameQuestions(file, line, LoadedQuestions(t.disk, kSaved), t.expected);
        return;
    }
    ExpectSameQuestions(file, line, Questions(t.document), t.expected);
    if (!t.document.modified) return;
    // The same save, once the fault is gone, succeeds.
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    EXPECT_EQ(t.document.testPath, kSaved);
    ExpectSameQuestions(file, line, LoadedQuestions(t.disk, kSaved), t.expected);
    EXPECT_EQ(t.disk.Content(kJournal), std::string(kSaved) + "\r\n");
}

void RunFileFaults(bool startWithNew) {
    long faultsHit = 0;
    for (long fault = 1;; ++fault) {
        ChangedTest t(startWithNew);
        t.faults.FailAt(fault);
        const DocumentResult result = SaveTest(t.document);
        t.faults.Heal();
        if (!t.faults.Failed()) {
            ASSERT_EQ(result, std::nullopt);
            EXPECT_SAVED(t);
            break;
        }
        ++faultsHit;
        if (result == std::nullopt) {
            EXPECT_SAVED(t);
            continue;
        }
        EXPECT_EQ(result, SaveFileErrorMessage()) << "fault " << fault;
        ExpectNothingLost(__FILE__, __LINE__, t, fault);
        if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_GT(faultsHit, 100) << "the save must have passed through many file operations";
}

TEST(SaveFaults, EveryFileOperationOfSavingAnOpenedTest) {
    RunFileFaults(false);
}

TEST(SaveFaults, EveryFileOperationOfSavingANewTest) {
    RunFileFaults(true);
}

TEST(SaveFaults, EveryBufferAllocation) {
    long faultsHit = 0;
    for (long fault = 1;; ++fault) {
        ChangedTest t(false);
        ScarceMemory memory;
        memory.failAt = fault;
        t.document.memory = &memory;
        const DocumentResult result = SaveTest(t.document);
        memory.failAt = -1;
        if (!memory.failed) {
            EXPECT_EQ(result, std::nullopt);
            EXPECT_SAVED(t);
            break;
        }
        ++faultsHit;
        EXPECT_EQ(result, NoMemoryMessage());
        EXPECT_EQ(t.disk.Content(kTest), t.originalBytes);
        EXPECT_FALSE(t.disk.Exists(kTemporary)) << "the unfinished file is not left behind";
        ExpectNothingLost(__FILE__, __LINE__, t, fault);
    }
    EXPECT_GE(faultsHit, 6);
}

TEST(Save, ThreeNewQuestionsInOrder) {
    ChangedTest t(true);
    for (QuestionNode* node = t.document.head; node; node = node->next) node->status = 0;
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    for (QuestionRecord& record : t.expected) record.status = 0;
    EXPECT_EQ(t.disk.Content(kSaved), TestFileBytes(t.expected));
    EXPECT_SAVED(t);
}

TEST(Save, RemovedLeftOutEditedTakenOnceStatusesFromTheIndex) {
    ChangedTest t(false);
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    // Mercury is marked answered, the twice edited Venus (status 1 in its
    // source record) is written once with status 0, Earth is gone.
    EXPECT_EQ(t.disk.Content(kSaved), TestFileBytes(t.expected));
    EXPECT_SAVED(t);
    // A second save reads from the saved file and gives the same bytes.
    const std::string first = t.disk.Content(kSaved);
    SetStatus(t.document, 3, 1);
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    t.expected[2].status = 1;
    EXPECT_EQ(t.disk.Content(kSaved), TestFileBytes(t.expected));
    EXPECT_EQ(t.disk.Content(kBackup), first);
}

TEST(Save, AllRemovedLeavesTheMagicLineAlone) {
    ChangedTest t(false);
    while (t.document.head) Remove(t.document, t.document.head->key);
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    EXPECT_EQ(t.disk.Content(kSaved), "QBKX0101A\r\n");
    EXPECT_EQ(LoadedQuestions(t.disk, kSaved).size(), 0u);
}

TEST(Save, SaveAsKeepsTheOldFileAndWritesCapitals) {
    ChangedTest t(false);
    t.document.testPath = "C:\\T\\copy.tvt";
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    EXPECT_EQ(t.document.testPath, "C:\\T\\copy.TVT");
    EXPECT_EQ(t.disk.Content(kTest), t.originalBytes);
    std::vector<std::string> names = t.disk.Names();
    EXPECT_NE(std::find(names.begin(), names.end(), "C:\\T\\copy.TVT"), names.end());
    EXPECT_FALSE(t.disk.Exists("C:\\T\\copy.BAK")) << "nothing carried the name before";
    ExpectSameQuestions(__FILE__, __LINE__, LoadedQuestions(t.disk, "C:\\T\\copy.TVT"), t.expected);
    // A file that already carries the new name becomes its backup.
    t.disk.SetContent("C:\\T\\other.tvt", "someone else's file");
    t.document.testPath = "C:\\T\\other.tvt";
    ASSERT_EQ(SaveTest(t.document), std::nullopt);
    EXPECT_EQ(t.disk.Content("C:\\T\\other.BAK"), "someone else's file");
}

TEST(Save, EmptyFileGetsTheMagicLineFirst) {
    MemoryFileSystem disk;
    disk.SetContent(kTest, "");
    TestDocument document;
    document.files = &disk;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    ASSERT_EQ(OpenTest(document, kTest, kJournal, list, reporter, remaining), std::nullopt);
    const QuestionRecord record = Planet("Io", "Whose moon is Io?", "Jupiter's");
    StoreNew(document, record);
    ASSERT_EQ(SaveTest(document), std::nullopt);
    EXPECT_EQ(disk.Content(kSaved), TestFileBytes({record}));
}

TEST(Save, RefusedWithoutTestOrUsableName) {
    TestDocument closed;
    EXPECT_EQ(SaveTest(closed), NoTestOpenedMessage());

    ChangedTest t(false);
    t.document.testPath.clear();
    EXPECT_EQ(SaveTest(t.document), SaveFileErrorMessage());
    EXPECT_TRUE(t.document.modified);

    // A test named *.tmp would be overwritten by its own temporary file.
    MemoryFileSystem disk;
    const std::string bytes = TestFileBytes({Planet("Titan", "Whose moon is Titan?", "Saturn's")});
    disk.SetContent("C:\\T\\notes.tmp", bytes);
    TestDocument document;
    document.files = &disk;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    ASSERT_EQ(OpenTest(document, "C:\\T\\notes.tmp", kJournal, list, reporter, remaining), std::nullopt);
    document.modified = true;
    EXPECT_EQ(SaveTest(document), SaveFileErrorMessage());
    EXPECT_EQ(disk.Content("C:\\T\\notes.tmp"), bytes);
    EXPECT_TRUE(document.modified);
    // Its own name with another extension still has notes.TMP as the new file.
    document.testPath = "C:\\T\\notes.tvt";
    EXPECT_EQ(SaveTest(document), SaveFileErrorMessage());
    document.testPath = "C:\\T\\saturn.tvt";
    EXPECT_EQ(SaveTest(document), std::nullopt) << "Save as to another name works";
    EXPECT_EQ(disk.Content("C:\\T\\saturn.TVT"), bytes);
    EXPECT_EQ(disk.Content("C:\\T\\notes.tmp"), bytes);
}

TEST(Save, OnTheRealDisk) {
    const testing_support::ScratchDirectory scratch;
    ASSERT_TRUE(scratch.Made());
    const std::string dir = scratch.File("");
    const std::string test = dir + "disk exam.TVT";
    const std::string journal = dir + "disk CHANGINGS.TMP";
    const std::vector<QuestionRecord> records = {Planet("Saturn", "Which planet has\r\nthe widest rings?", "Saturn"),
                                                 Planet("Uranus", "Which planet rolls on its side?", "Uranus", 1)};
    std::ofstream(test, std::ios::binary) << TestFileBytes(records);
    TestDocument document;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    ASSERT_EQ(OpenTest(document, test, journal, list, reporter, remaining), std::nullopt);
    EXPECT_EQ(remaining, 1);
    const QuestionRecord neptune = Planet("Neptune", "Which planet is farthest out?", "Neptune");
    StoreNew(document, neptune);
    SetStatus(document, 0, 1);
    ASSERT_EQ(SaveTest(document), std::nullopt);
    std::vector<QuestionRecord> expected = records;
    expected[0].status = 1;
    expected.push_back(neptune);
    EXPECT_EQ(ReadAll(test), TestFileBytes(expected));
    EXPECT_EQ(ReadAll(dir + "disk exam.BAK"), TestFileBytes(records));
    EXPECT_EQ(ReadAll(journal), test + "\r\n");
    EXPECT_FALSE(std::ifstream(dir + "disk exam.TMP").good());
    ExpectSameQuestions(__FILE__, __LINE__, Questions(document), expected);
    CloseTest(document);
}

// Texts larger than the blocks the test file is read in, and records that
// straddle the blocks' ends, reach the saved file byte for byte; the
// questions edited meanwhile come from the journal.
TEST(Save, OnTheRealDiskWithTextsAcrossReadBlocks) {
    const testing_support::ScratchDirectory scratch;
    ASSERT_TRUE(scratch.Made());
    const std::string dir = scratch.File("");
    const std::string test = dir + "blocks exam.TVT";
    const std::string journal = dir + "blocks CHANGINGS.TMP";
    std::vector<QuestionRecord> records;
    for (int i = 0; i < 300; ++i) {
        const size_t textLength = i % 50 == 7 ? 70000 + static_cast<size_t>(i) : (i % 9 == 0 ? 4000 : 40);
        std::string text;
        for (size_t k = 0; k < textLength; ++k)
            text.push_back(k % 61 == 60 ? '\n' : static_cast<char>('a' + (k + i) % 26));
        QuestionRecord record =
            Planet("Question " + std::to_string(i), text, "Answer " + std::to_string(i), i % 4 == 0);
        if (i % 3 == 0) record.slots[kSlotWrongAnswer1 + 2] = std::string(static_cast<size_t>(i) * 300, 'w');
        if (i % 5 == 0) record.slots[kSlotAnswerPictureFile] = "*orbit.bmp";
        records.push_back(record);
    }
    std::ofstream(test, std::ios::binary) << TestFileBytes(records);
    TestDocument document;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    ASSERT_EQ(OpenTest(document, test, journal, list, reporter, remaining), std::nullopt);
    ASSERT_EQ(list.items.size(), records.size());
    std::vector<QuestionRecord> expected = records;
    for (int key : {1, 57, 299}) {
        expected[static_cast<size_t>(key)].status = 1 - expected[static_cast<size_t>(key)].status;
        SetStatus(document, key, expected[static_cast<size_t>(key)].status);
    }
    QuestionRecord edited = Planet("Question 107", std::string(90000, 'e'), "Edited");
    StoreEdit(document, 107, edited);
    expected[107] = edited;
    ASSERT_EQ(SaveTest(document), std::nullopt);
    EXPECT_TRUE(ReadAll(test) == TestFileBytes(expected)) << "the saved file differs";
    EXPECT_TRUE(ReadAll(dir + "blocks exam.BAK") == TestFileBytes(records)) << "the backup differs";
    ExpectSameQuestions(__FILE__, __LINE__, Questions(document), expected);
    CloseTest(document);
}

}  // namespace
}  // namespace qb
