#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>

#include "document/document.h"
#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"
#include "tests/support/disk_files.h"

namespace qb {
namespace {

using namespace testing_support;

const char* const kTest = "C:\\T\\exam.tvt";
const char* const kJournal = "C:\\Q\\CHANGINGS.TMP";

// A document on an in-memory disk holding one test file.
struct OpenFixture {
    MemoryFileSystem fs;
    TestDocument document;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = -1;

    explicit OpenFixture(const std::string& testBytes) {
        fs.SetContent(kTest, testBytes);
        document.files = &fs;
    }
    DocumentResult Open() { return OpenTest(document, kTest, kJournal, list, reporter, remaining); }
};

void ExpectItem(const char* file, int line, const MemoryList& list, int key, const std::string& keyword, int image) {
    testing::ScopedTrace trace(file, line, "list item of key " + std::to_string(key));
    const MemoryList::Item* item = list.FindByKey(key);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->keyword, keyword);
    EXPECT_EQ(item->image, image);
}
#define EXPECT_ITEM(list, key, keyword, image) ExpectItem(__FILE__, __LINE__, list, key, keyword, image)

QuestionRecord MultipleChoice(const std::string& keyword, int status) {
    QuestionRecord record = MakeRecord(keyword, "question of " + keyword, "right", status);
    record.slots[kSlotWrongAnswer1 + 1] = "wrong";
    return record;
}

TEST(QuestionIndex, KeysFollowFileOrder) {
    OpenFixture f(TestFileBytes(
        {MakeRecord("Zebra", "Striped?", "Yes"), MakeRecord("Apple", "Fruit?", "Yes", 1), MultipleChoice("Moon", 0)}));
    ASSERT_EQ(f.Open(), std::nullopt);
    EXPECT_EQ(f.document.questionCount, 3);
    EXPECT_EQ(f.document.nextKey, 3);
    EXPECT_EQ(f.remaining, 2);
    EXPECT_ITEM(f.list, 0, "Zebra", 0);
    EXPECT_ITEM(f.list, 1, "Apple", 1);
    EXPECT_ITEM(f.list, 2, "Moon", 2);
    int key = 0;
    for (const QuestionNode* node = f.document.head; node; node = node->next, ++key) {
        EXPECT_EQ(node->key, key);
        EXPECT_FALSE(node->inJournal);
        QuestionRecord record;
        ASSERT_TRUE(ReadNodeRecord(f.document, *node, record));
        EXPECT_EQ(record.keyword, f.list.FindByKey(key)->keyword);
    }
    EXPECT_EQ(key, 3);
    EXPECT_TRUE(f.reporter.messages.empty());
}

TEST(QuestionIndex, ImagesShowAnsweredAndMultipleChoice) {
    OpenFixture f(TestFileBytes({MakeRecord("single", "q", "a", 0), MakeRecord("single done", "q", "a", 1),
                                 MultipleChoice("choice", 0), MultipleChoice("choice done", 1)}));
    ASSERT_EQ(f.Open(), std::nullopt);
    EXPECT_ITEM(f.list, 0, "single", 0);
    EXPECT_ITEM(f.list, 1, "single done", 1);
    EXPECT_ITEM(f.list, 2, "choice", 2);
    EXPECT_ITEM(f.list, 3, "choice done", 3);
    EXPECT_EQ(f.remaining, 2);
}

TEST(QuestionIndex, MagicLineDecidesWhetherTheFileOpens) {
    {
        OpenFixture f("QBKX0101B\r\n");
        EXPECT_EQ(f.Open(), VersionRefusedMessage());
        EXPECT_FALSE(f.document.IsOpen());
        EXPECT_TRUE(f.list.items.empty());
        EXPECT_FALSE(f.fs.Exists(kJournal)) << "a refused test must not take the journal";
    }
    {
        OpenFixture f("");
        EXPECT_EQ(f.Open(), std::nullopt) << "an empty file is a test without questions";
        EXPECT_EQ(f.document.questionCount, 0);
        EXPECT_TRUE(f.document.IsOpen());
    }
    {
        OpenFixture f("QBKX0101A\r\n");
        EXPECT_EQ(f.Open(), std::nullopt);
        EXPECT_EQ(f.document.questionCount, 0);
        EXPECT_EQ(f.document.head, nullptr);
    }
    {
        OpenFixture f("QBKX0101AZZZZZZ\r\n");
        EXPECT_EQ(f.Open(), VersionRefusedMessage()) << "the tenth character decides";
    }
}

TEST(QuestionIndex, RecordCutShortKeepsTheCompleteOnes) {
    const std::vector<QuestionRecord> records = {MakeRecord("one", "first question", "a1"),
                                                 MakeRecord("two", "second\r\nquestion", "a2", 1),
                                                 MultipleChoice("three", 0)};
    const std::string whole = TestFileBytes(records);
    // Where each record ends in the file.
    std::vector<size_t> ends;
    size_t end = std::string("QBKX0101A\r\n").size();
    for (const QuestionRecord& record : records) ends.push_back(end += RecordBytes(record).size());
    for (size_t cut = 0; cut <= whole.size(); ++cut) {
        OpenFixture f(whole.substr(0, cut));
        const DocumentResult result = f.Open();
        // Only "QBKX0101A" alone or with its whole line end is an accepted first line.
        if (cut > 0 && cut < 11 && cut != 9) {
            EXPECT_EQ(result, VersionRefusedMessage()) << "cut " << cut;
            continue;
        }
        ASSERT_EQ(result, std::nullopt) << "cut " << cut;
        int complete = 0;
        for (size_t e : ends) complete += e <= cut ? 1 : 0;
        EXPECT_EQ(f.document.questionCount, complete) << "cut " << cut;
        EXPECT_EQ(f.list.items.size(), static_cast<size_t>(complete)) << "cut " << cut;
        // Cut anywhere but behind the magic line, a record or in the closing line, the file is damaged.
        const bool behindRecord = cut <= 11 || cut + 2 >= whole.size() || std::count(ends.begin(), ends.end(), cut);
        EXPECT_EQ(f.document.damagedFile.empty(), behindRecord) << "cut " << cut;
    }
}

TEST(QuestionIndex, HostileRecordEndsTheLoading) {
    const std::string good = RecordBytes(MakeRecord("good", "q", "a"));
    const std::string after = RecordBytes(MakeRecord("after", "q", "a"));
    const std::vector<std::string> hostile = {
        "bad\r\n-5\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nqa",
        "bad\r\nxyz\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nqa",
        "bad\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" + std::string("qa"),  // accepted: control
        "bad\r\n1\r\n1\r\n2147483647\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nqa",
        "bad\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n260\r\n0\r\nqa" + std::string(260, 'n'),
        "a keyword much longer than twenty-one\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nqa",
    };
    for (size_t i = 0; i < hostile.size(); ++i) {
        OpenFixture f("QBKX0101A\r\n" + good + hostile[i] + after + "\r\n");
        ASSERT_EQ(f.Open(), std::nullopt);
        const int expected = i == 2 ? 3 : 1;
        EXPECT_EQ(f.document.questionCount, expected) << "case " << i;
        EXPECT_EQ(f.document.damagedFile, i == 2 ? "" : kTest) << "case " << i;
        // Every loaded question reads back whole from inside the file.
        for (const QuestionNode* node = f.document.head; node; node = node->next) {
            QuestionRecord record;
            EXPECT_TRUE(ReadNodeRecord(f.document, *node, record)) << "case " << i;
        }
    }
}

TEST(QuestionIndex, DamagedWhenMoreThanTheClosingLineFollowsTheLastRecord) {
    const std::string magic = "QBKX0101A\r\n";
    const std::string one = RecordBytes(MakeRecord("one", "first", "a1"));
    const std::string two = RecordBytes(MakeRecord("two", "second", "a2"));
    const struct {
        const char* what;
        std::string bytes;
        int questions;
        bool damaged;
    } cases[] = {
        {"cut in a header", magic + one + two.substr(0, 9), 1, true},
        {"cut in a slot", magic + one + two.substr(0, two.size() - 3), 1, true},
        {"garbage after the last record", magic + one + two + "\r\nxyz", 2, true},
        {"damage in the middle", magic + one + "bad\r\nxyz\r\n" + two + "\r\n", 1, true},
        {"closing line missing", magic + one + two, 2, false},
        {"closing line of LF alone", magic + one + two + "\n", 2, false},
        {"two closing lines", magic + one + two + "\r\n\r\n", 2, true},
        {"only the magic line", magic, 0, false},
        {"the magic line and a stray byte", magic + "x", 0, true},
    };
    for (const auto& c : cases) {
        OpenFixture f(c.bytes);
        ASSERT_EQ(f.Open(), std::nullopt) << c.what;
        EXPECT_EQ(f.document.questionCount, c.questions) << c.what;
        EXPECT_EQ(f.document.damagedFile, c.damaged ? kTest : "") << c.what;
        EXPECT_EQ(f.fs.Content(kTest), c.bytes) << c.what << ": Open changes nothing";
    }
    // A damaged test that cannot be opened (another instance holds the journal) leaves no damage behind.
    OpenFixture held(magic + one + "x");
    const std::unique_ptr<ByteStream> journal = held.fs.Open(kJournal, OpenMode::CreateReadWrite, true);
    EXPECT_EQ(held.Open(), FileErrorMessage());
    EXPECT_EQ(held.document.damagedFile, "");
}

// Damaged copies of a valid test: whatever the bytes, every question that
// loads lies inside the file and reads back whole.
TEST(QuestionIndex, DamagedFilesLoadOnlyReadableQuestions) {
    QuestionRecord named = MultipleChoice("named", 1);
    named.slots[kSlotAnswerTextFile] = "*notes.txt";
    const std::string valid = TestFileBytes({MakeRecord("one", "a\r\nb", "c"), named, MakeRecord("three", "q", "a")});
    std::mt19937 random(20261207);
    const char replacements[] = {'\r', '\n', '-', '0', '9', 'x', '\x01', '\0'};
    int loadedSome = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string bytes = valid;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int c = 0; c < changes; ++c) {
            const size_t at = random() % bytes.size();
            switch (random() % 3) {
            case 0: bytes[at] = replacements[random() % sizeof replacements]; break;
            case 1: bytes.erase(at, 1 + random() % 3); break;
            default: bytes.insert(at, 1, replacements[random() % sizeof replacements]); break;
            }
            if (bytes.empty()) bytes = "x";
        }
        OpenFixture f(bytes);
        if (f.Open() != std::nullopt) continue;
        EXPECT_LE(f.document.questionCount, 4) << "round " << round;
        EXPECT_EQ(f.list.items.size(), static_cast<size_t>(f.document.questionCount));
        for (const QuestionNode* node = f.document.head; node; node = node->next) {
            EXPECT_LT(node->position, static_cast<int64_t>(bytes.size())) << "round " << round;
            QuestionRecord record;
            EXPECT_TRUE(ReadNodeRecord(f.document, *node, record)) << "round " << round;
        }
        loadedSome += f.document.questionCount > 0 ? 1 : 0;
    }
    EXPECT_GT(loadedSome, 1000) << "most damage leaves some questions readable";
}

TEST(QuestionIndex, MemoryRunningOutKeepsIndexAndListInStep) {
    const std::string bytes = TestFileBytes({MakeRecord("a", "q", "a"), MakeRecord("b", "q", "a", 1),
                                             MakeRecord("c", "q", "a"), MakeRecord("d", "q", "a")});
    {
        OpenFixture f(bytes);
        ScarceMemory memory;
        memory.failAt = 3;
        f.document.memory = &memory;
        EXPECT_EQ(f.Open(), std::nullopt);
        EXPECT_EQ(f.document.questionCount, 2);
        EXPECT_EQ(f.list.items.size(), 2u);
        EXPECT_EQ(f.remaining, 1);
        EXPECT_EQ(f.reporter.messages, std::vector<Message>{NoMemoryMessage()});
        EXPECT_EQ(LastNode(f.document)->key, 1);
    }
    {
        OpenFixture f(bytes);
        ScarceMemory memory;
        memory.failAt = 1;
        f.document.memory = &memory;
        EXPECT_EQ(f.Open(), NoMemoryMessage()) << "no memory for the first node refuses the test";
        EXPECT_FALSE(f.document.IsOpen());
    }
    {
        OpenFixture f(bytes);
        f.list.insertsLeft = 3;
        EXPECT_EQ(f.Open(), std::nullopt);
        EXPECT_EQ(f.document.questionCount, 3);
        EXPECT_EQ(f.list.items.size(), 3u);
        EXPECT_EQ(f.remaining, 2);
    }
}

TEST(QuestionIndex, NodeHelpersWalkTheList) {
    TestDocument document;
    EXPECT_EQ(LastNode(document), nullptr);
    for (int key : {0, 1, 2, 3}) {
        QuestionNode* node = new QuestionNode();
        node->key = key;
        AppendNode(document, node);
    }
    EXPECT_EQ(LastNode(document)->key, 3);
    EXPECT_EQ(FindNode(document, 2)->key, 2);
    EXPECT_EQ(FindNode(document, 7), nullptr);
    EXPECT_EQ(FindPredecessor(document, 0), nullptr);
    EXPECT_EQ(FindPredecessor(document, 2)->key, 1);
    delete UnlinkNode(document, 0);
    EXPECT_EQ(document.head->key, 1);
    delete UnlinkNode(document, 2);
    EXPECT_EQ(document.head->next->key, 3);
    delete UnlinkNode(document, 3);
    EXPECT_EQ(LastNode(document)->key, 1);
    EXPECT_EQ(UnlinkNode(document, 3), nullptr);
    delete UnlinkNode(document, 1);
    EXPECT_EQ(document.head, nullptr);
}

TEST(NewTest, WritesMagicLineAndJournalFirstLine) {
    MemoryFileSystem fs;
    fs.SetContent(kTest, "old content that New replaces");
    TestDocument document;
    document.files = &fs;
    ASSERT_EQ(CreateTest(document, kTest, kJournal), std::nullopt);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_EQ(fs.Content(kTest), "QBKX0101A\r\n");
    EXPECT_EQ(fs.Content(kJournal), std::string(kTest) + "\r\n");
    EXPECT_EQ(document.questionCount, 0);
    EXPECT_EQ(document.nextKey, 0);
    CloseTest(document);
    EXPECT_FALSE(fs.Exists(kJournal)) << "Close deletes the journal";
    EXPECT_TRUE(fs.Exists(kTest));
    EXPECT_EQ(document.testPath, "");
    EXPECT_EQ(document.journalPath, "");
}

TEST(NewTest, TestFileThatCannotBeMadeLeavesNoJournal) {
    MemoryFileSystem fs;
    FaultyFileSystem faults(fs);
    TestDocument document;
    document.files = &faults;
    // Operations 1 to 4 start the journal (open, path, line end, flush), 5 would create the test file.
    faults.FailAt(5);
    EXPECT_EQ(CreateTest(document, kTest, kJournal), FileErrorMessage());
    EXPECT_TRUE(faults.Failed());
    EXPECT_FALSE(document.IsOpen());
    EXPECT_EQ(document.testPath, "");
    EXPECT_EQ(document.journalPath, "");
    EXPECT_FALSE(fs.Exists(kJournal));
    EXPECT_FALSE(fs.Exists(kTest));
}

TEST(OpenTest, MissingFileClearsThePath) {
    MemoryFileSystem fs;
    TestDocument document;
    document.files = &fs;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    EXPECT_EQ(OpenTest(document, "C:\\T\\none.tvt", kJournal, list, reporter, remaining), FileErrorMessage());
    EXPECT_EQ(document.testPath, "");
    EXPECT_FALSE(document.IsOpen());
    // A quoted command line names no file either.
    fs.SetContent(kTest, "QBKX0101A\r\n");
    EXPECT_EQ(OpenTest(document, std::string("\"") + kTest + "\"", kJournal, list, reporter, remaining),
              FileErrorMessage());
}

TEST(OpenTest, PathsMayBeTheDocumentsOwnFields) {
    MemoryFileSystem fs;
    TestDocument document;
    document.files = &fs;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    document.testPath = "C:\\T\\none.tvt";
    EXPECT_EQ(OpenTest(document, document.testPath, kJournal, list, reporter, remaining), FileErrorMessage());
    document.testPath = kTest;
    document.journalPath = kJournal;
    ASSERT_EQ(CreateTest(document, document.testPath, document.journalPath), std::nullopt);
    EXPECT_EQ(fs.Content(kJournal), std::string(kTest) + "\r\n");
    ResetDocument(document);
    ASSERT_EQ(OpenTest(document, document.testPath, document.journalPath, list, reporter, remaining),
              std::nullopt);
    EXPECT_EQ(document.testFilePath, kTest);
}

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + name;
}

// Two program instances with the same program directory, on the real disk.
TEST(Journal, SecondInstanceCannotTakeTheJournal) {
    const std::string test = TempPath("journal exam.tvt");
    const std::string other = TempPath("journal other.tvt");
    const std::string journal = TempPath("CHANGINGS.TMP");
    std::ofstream(test, std::ios::binary) << TestFileBytes({MakeRecord("k", "q", "a")});
    std::ofstream(other, std::ios::binary) << TestFileBytes({});

    TestDocument first;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    ASSERT_EQ(OpenTest(first, test, journal, list, reporter, remaining), std::nullopt);
    ASSERT_GE(WriteQuestionRecord(*first.journalFile, MakeRecord("unsaved", "q", "a")), 0);
    const std::string journalBefore = ReadAll(journal);
    ASSERT_FALSE(journalBefore.empty());

    TestDocument second;
    MemoryList secondList;
    EXPECT_EQ(OpenTest(second, other, journal, secondList, reporter, remaining), FileErrorMessage());
    EXPECT_FALSE(second.IsOpen());
    EXPECT_EQ(second.journalPath, "");
    EXPECT_EQ(CreateTest(second, TempPath("journal new.tvt"), journal), FileErrorMessage());
    EXPECT_FALSE(std::ifstream(TempPath("journal new.tvt")).good()) << "no test file made without a journal";
    CloseTest(second);
    EXPECT_EQ(ReadAll(journal), journalBefore) << "the first instance's unsaved question is still there";

    CloseTest(first);
    EXPECT_FALSE(std::ifstream(journal).good());
    ASSERT_EQ(OpenTest(second, other, journal, secondList, reporter, remaining), std::nullopt)
        << "free again once the first instance closed its test";
    CloseTest(second);
}

}  // namespace
}  // namespace qb
