#include "editor/question_store.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include "tests/support/disk_files.h"

namespace qb {
namespace {

using testing_support::ReadAll;
using testing_support::WriteAll;

std::string TempPath(const std::string& name) {
    return testing::TempDir() + "editor_" + name;
}

// A journal as New leaves it: the test's path as its first line.
const std::string kJournalStart = "C:\\tests\\sky.tvt\r\n";

std::unique_ptr<ByteStream> NewJournal(const std::string& path) {
    auto journal = RealFileSystem().Open(path, OpenMode::CreateReadWrite);
    if (journal) journal->WriteText(kJournalStart);
    return journal;
}

// Passes everything to a real stream, except that it can refuse to tell its
// position or stop writing once a number of bytes has been written.
class FaultyStream final : public ByteStream {
public:
    explicit FaultyStream(std::unique_ptr<ByteStream> inner) : inner_(std::move(inner)) {}
    bool failTell = false;
    int64_t writeBudget = -1;  // bytes still accepted; -1 without limit

    size_t Read(void* buffer, size_t count) override { return inner_->Read(buffer, count); }
    int GetByte() override { return inner_->GetByte(); }
    void UngetByte(int byte) override { inner_->UngetByte(byte); }
    bool Write(const void* data, size_t count) override {
        if (writeBudget < 0) return inner_->Write(data, count);
        size_t allowed = static_cast<size_t>(writeBudget) < count ? static_cast<size_t>(writeBudget) : count;
        inner_->Write(data, allowed);
        writeBudget -= static_cast<int64_t>(allowed);
        return allowed == count;
    }
    bool Seek(int64_t position) override { return inner_->Seek(position); }
    bool SeekToEnd() override { return inner_->SeekToEnd(); }
    int64_t Tell() override { return failTell ? -1 : inner_->Tell(); }
    bool Flush() override { return inner_->Flush(); }
    bool Close() override { return inner_->Close(); }

private:
    std::unique_ptr<ByteStream> inner_;
};

QuestionFields MoonQuestion() {
    QuestionFields fields;
    fields.keyword = "Moon";
    fields.question = "What is Earth's only natural satellite called?";
    fields.rightAnswer = "The Moon";
    return fields;
}

TEST(StoreQuestion, SingleAnswerRecordIsWrittenAsTheFormatSays) {
    std::string path = TempPath("single.tmp");
    auto journal = NewJournal(path);
    ASSERT_TRUE(journal);
    StoreResult stored = StoreQuestion(journal.get(), MoonQuestion(), AttachmentSlots{});
    ASSERT_EQ(stored.outcome, StoreOutcome::Stored);
    EXPECT_EQ(stored.position, static_cast<int64_t>(kJournalStart.size()));
    journal->Close();
    EXPECT_EQ(ReadAll(path), kJournalStart +
                                 "Moon\r\n"
                                 "46\r\n"
                                 "8\r\n0\r\n0\r\n0\r\n0\r\n"
                                 "0\r\n0\r\n0\r\n0\r\n0\r\n"
                                 "What is Earth's only natural satellite called?"
                                 "The Moon");
}

TEST(StoreQuestion, GapsAmongWrongAnswersAndLineBreaksAreKept) {
    std::string path = TempPath("gaps.tmp");
    auto journal = NewJournal(path);
    ASSERT_TRUE(journal);
    QuestionFields fields;
    fields.keyword = "Gas giants";
    fields.question = "Which planet\r\nis largest?";
    fields.rightAnswer = "Jupiter";
    fields.wrongAnswers = {"Saturn", "", "Mercury\r\nor Mars", ""};
    AttachmentSlots slots{"", "C:\\pics\\jupiter.bmp", "", "*rings.bmp"};
    ASSERT_EQ(StoreQuestion(journal.get(), fields, slots).outcome, StoreOutcome::Stored);
    journal->Close();
    EXPECT_EQ(ReadAll(path), kJournalStart +
                                 "Gas giants\r\n"
                                 "25\r\n"
                                 "7\r\n6\r\n0\r\n16\r\n0\r\n"
                                 "0\r\n19\r\n0\r\n10\r\n0\r\n"
                                 "Which planet\x02\x01is largest?"
                                 "Jupiter"
                                 "Saturn"
                                 "Mercury\x02\x01or Mars"
                                 "C:\\pics\\jupiter.bmp"
                                 "*rings.bmp");
}

TEST(StoreQuestion, KeywordIsCutToTwentyCharacters) {
    std::string path = TempPath("longkey.tmp");
    auto journal = NewJournal(path);
    ASSERT_TRUE(journal);
    QuestionFields fields = MoonQuestion();
    fields.keyword = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    StoreResult stored = StoreQuestion(journal.get(), fields, AttachmentSlots{});
    ASSERT_EQ(stored.outcome, StoreOutcome::Stored);
    QuestionFields loaded;
    AttachmentSlots slots;
    ASSERT_EQ(LoadQuestion(*journal, stored.position, loaded, slots), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.keyword, "ABCDEFGHIJKLMNOPQRST");
}

TEST(StoreQuestion, StoredQuestionLoadsBackUnchanged) {
    std::string path = TempPath("roundtrip.tmp");
    auto journal = NewJournal(path);
    ASSERT_TRUE(journal);
    QuestionFields fields;
    fields.keyword = "12345678901234567890";
    fields.question = "Line one\r\nLine two\r\n\r\nLine four";
    fields.rightAnswer = "Right";
    fields.wrongAnswers = {"", "", "", "Only the fourth"};
    AttachmentSlots slots{"*intro.rtf", "", "C:\\texts\\answer.txt", ""};
    StoreResult first = StoreQuestion(journal.get(), MoonQuestion(), AttachmentSlots{});
    StoreResult second = StoreQuestion(journal.get(), fields, slots);
    ASSERT_EQ(second.outcome, StoreOutcome::Stored);
    EXPECT_GT(second.position, first.position);

    QuestionFields loaded;
    AttachmentSlots loadedSlots;
    ASSERT_EQ(LoadQuestion(*journal, second.position, loaded, loadedSlots), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.keyword, fields.keyword);
    EXPECT_EQ(loaded.question, fields.question);
    EXPECT_EQ(loaded.rightAnswer, fields.rightAnswer);
    EXPECT_EQ(loaded.wrongAnswers, fields.wrongAnswers);
    EXPECT_EQ(loadedSlots, slots);

    ASSERT_EQ(LoadQuestion(*journal, first.position, loaded, loadedSlots), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.keyword, "Moon");
    EXPECT_EQ(loadedSlots, AttachmentSlots{});
}

// A record that fails part-way fills the form up to the failure: the keyword
// at least. A slot no memory can hold is told apart from a file fault.
TEST(LoadQuestion, FieldsReadBeforeAFailureStayFilled) {
    struct Case {
        const char* what;
        const char* lengths;  // slots 1 and 2
        LoadOutcome outcome;
        const char* rightAnswer;
    };
    const Case cases[] = {
        {"wrong answer past the end", "5\r\n90\r\n", LoadOutcome::FileError, "Luna!"},
        {"right answer beyond memory", "3000000000\r\n0\r\n", LoadOutcome::NoMemory, ""},
    };
    const std::string path = TempPath("cut.tmp");
    for (const Case& c : cases) {
        WriteAll(path, std::string("Moon\r\n5\r\n") + c.lengths + "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n" +
                           "What?Luna!short");
        auto stream = RealFileSystem().Open(path, OpenMode::Read);
        ASSERT_TRUE(stream);
        QuestionFields fields;
        AttachmentSlots slots;
        EXPECT_EQ(LoadQuestion(*stream, 0, fields, slots), c.outcome) << c.what;
        EXPECT_EQ(fields.keyword, "Moon") << c.what;
        EXPECT_EQ(fields.question, "What?") << c.what;
        EXPECT_EQ(fields.rightAnswer, c.rightAnswer) << c.what;
        EXPECT_EQ(fields.wrongAnswers[0], "") << c.what;
        stream->Close();
    }
}

TEST(StoreQuestion, WithoutAJournalNothingIsStored) {
    EXPECT_EQ(StoreQuestion(nullptr, MoonQuestion(), AttachmentSlots{}).outcome, StoreOutcome::FileError);
}

TEST(StoreQuestion, PositionThatCannotBeTakenStoresNothing) {
    std::string path = TempPath("notell.tmp");
    FaultyStream journal(NewJournal(path));
    journal.failTell = true;
    StoreResult stored = StoreQuestion(&journal, MoonQuestion(), AttachmentSlots{});
    EXPECT_EQ(stored.outcome, StoreOutcome::FileError);
    EXPECT_EQ(stored.position, -1);
    journal.Close();
    EXPECT_EQ(ReadAll(path), kJournalStart);
}

TEST(StoreQuestion, FailedWriteIsReportedAndLeavesTheNextRecordReadable) {
    std::string path = TempPath("failwrite.tmp");
    FaultyStream journal(NewJournal(path));
    journal.writeBudget = 30;  // stops inside the header lines
    EXPECT_EQ(StoreQuestion(&journal, MoonQuestion(), AttachmentSlots{}).outcome, StoreOutcome::FileError);
    journal.writeBudget = -1;
    QuestionFields next = MoonQuestion();
    next.keyword = "Sun";
    StoreResult stored = StoreQuestion(&journal, next, AttachmentSlots{});
    ASSERT_EQ(stored.outcome, StoreOutcome::Stored);
    EXPECT_EQ(stored.position, static_cast<int64_t>(kJournalStart.size()) + 30);
    QuestionFields loaded;
    AttachmentSlots slots;
    ASSERT_EQ(LoadQuestion(journal, stored.position, loaded, slots), LoadOutcome::Loaded);
    EXPECT_EQ(loaded.keyword, "Sun");
    EXPECT_EQ(loaded.rightAnswer, "The Moon");
}

TEST(LoadQuestion, RecordCutShortLoadsNothing) {
    std::string path = TempPath("cut.tvt");
    WriteAll(path, "QBKX0101A\r\nMoon\r\n10\r\n5\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\nWhat is");
    auto stream = RealFileSystem().Open(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    QuestionFields fields;
    fields.question = "left over";
    AttachmentSlots slots{"left over", "", "", ""};
    EXPECT_EQ(LoadQuestion(*stream, 11, fields, slots), LoadOutcome::FileError);
    EXPECT_EQ(fields.question, "");
    EXPECT_EQ(slots[0], "");
}

TEST(LoadQuestion, OverlongAttachmentNameIsNotLoaded) {
    std::string path = TempPath("longname.tvt");
    std::string name = "C:\\" + std::string(297, 'n');  // 300 bytes
    WriteAll(path, "QBKX0101A\r\nMoon\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n300\r\n0\r\n0\r\n0\r\n0\r\nQA" + name + "\r\n");
    auto stream = RealFileSystem().Open(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    QuestionFields fields;
    AttachmentSlots slots;
    EXPECT_EQ(LoadQuestion(*stream, 11, fields, slots), LoadOutcome::FileError);
    EXPECT_EQ(slots, AttachmentSlots{});
}

TEST(LoadQuestion, TextHoldingTheEncodingBytesReadsBackWithLineBreaks) {
    std::string path = TempPath("bytes.tvt");
    WriteAll(path,
             "QBKX0101A\r\nK\r\n3\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\na\x01"
             "bR\r\n");
    auto stream = RealFileSystem().Open(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    QuestionFields fields;
    AttachmentSlots slots;
    ASSERT_EQ(LoadQuestion(*stream, 11, fields, slots), LoadOutcome::Loaded);
    EXPECT_EQ(fields.question, "a\nb");
    EXPECT_EQ(fields.rightAnswer, "R");
}

// --- Accept and edit-mode loading over a document -----------------------------

class EditorDocument : public testing::Test {
protected:
    void SetUp() override {
        testPath = TempPath(std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + ".tvt");
        WriteAll(testPath,
                 "QBKX0101A\r\n"
                 "Sun\r\n5\r\n4\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"
                 "Star?Yes!No\r\n");
        document.testFile = RealFileSystem().Open(testPath, OpenMode::Read);
        document.journalFile = NewJournal(testPath + ".journal");
        ASSERT_TRUE(document.IsOpen());
    }

    int64_t JournalSize() { return StreamSize(*document.journalFile); }

    std::string testPath;
    TestDocument document;
    std::string keyword = "previous";
};

TEST_F(EditorDocument, DefineModeGivesTheNodeNextKeyAndTheJournalPosition) {
    QuestionNode node;
    node.key = -5;
    document.nextKey = 7;
    QuestionFields fields = MoonQuestion();
    fields.wrongAnswers = {"Phobos", "", "Titan", ""};
    AcceptResult accept = AcceptQuestion(document, &node, EditorMode::Define, fields, AttachmentSlots{}, keyword);
    EXPECT_EQ(accept.result, 3);
    EXPECT_EQ(node.key, 7);
    EXPECT_TRUE(node.inJournal);
    EXPECT_EQ(node.position, static_cast<int64_t>(kJournalStart.size()));
    EXPECT_EQ(keyword, "Moon");
}

TEST_F(EditorDocument, RefusedAcceptWritesNothing) {
    QuestionNode node;
    QuestionFields fields = MoonQuestion();
    fields.question.clear();
    int64_t before = JournalSize();
    AcceptResult accept = AcceptQuestion(document, &node, EditorMode::Define, fields, AttachmentSlots{}, keyword);
    EXPECT_EQ(accept.missing, MissingField::Question);
    EXPECT_EQ(accept.result, 0);
    EXPECT_EQ(JournalSize(), before);
    EXPECT_EQ(keyword, "previous");
}

TEST_F(EditorDocument, EditKeepsTheKeyAndPointsAtTheNewRecord) {
    QuestionNode node;
    node.key = 0;
    node.position = 11;
    node.status = 1;
    node.misses = 4;
    QuestionFields fields;
    AttachmentSlots slots;
    ASSERT_EQ(LoadPendingQuestion(document, &node, fields, slots), EditLoadOutcome::Loaded);
    EXPECT_EQ(fields.keyword, "Sun");
    EXPECT_EQ(fields.question, "Star?");
    EXPECT_EQ(fields.rightAnswer, "Yes!");
    EXPECT_EQ(fields.wrongAnswers[0], "No");

    fields.rightAnswer = "Yes, our own star";
    AcceptResult accept = AcceptQuestion(document, &node, EditorMode::Edit, fields, slots, keyword);
    EXPECT_EQ(accept.result, 2);
    EXPECT_EQ(node.key, 0);
    EXPECT_TRUE(node.inJournal);
    EXPECT_EQ(node.position, static_cast<int64_t>(kJournalStart.size()));
    // The journal's record keeps the miss count, so a recovered journal keeps it too.
    QuestionRecord stored;
    ASSERT_TRUE(ReadNodeRecord(document, node, stored, 0));
    EXPECT_EQ(stored.misses, 4);

    // A second edit reads the journal's record and appends another one.
    ASSERT_EQ(LoadPendingQuestion(document, &node, fields, slots), EditLoadOutcome::Loaded);
    EXPECT_EQ(fields.rightAnswer, "Yes, our own star");
    AcceptQuestion(document, &node, EditorMode::Edit, fields, slots, keyword);
    EXPECT_GT(node.position, static_cast<int64_t>(kJournalStart.size()));
}

TEST_F(EditorDocument, FailedStoreInEditModeKeepsThePreviousRecord) {
    QuestionNode node;
    node.key = 0;
    node.position = 11;
    auto faulty = std::make_unique<FaultyStream>(std::move(document.journalFile));
    faulty->writeBudget = 40;
    FaultyStream* journal = faulty.get();
    document.journalFile = std::move(faulty);

    QuestionFields fields = MoonQuestion();
    AcceptResult accept = AcceptQuestion(document, &node, EditorMode::Edit, fields, AttachmentSlots{}, keyword);
    EXPECT_EQ(accept.store, StoreOutcome::FileError);
    EXPECT_EQ(accept.result, 0);
    EXPECT_EQ(node.position, 11);
    EXPECT_FALSE(node.inJournal);
    EXPECT_EQ(keyword, "previous");

    journal->failTell = true;
    journal->writeBudget = -1;
    accept = AcceptQuestion(document, &node, EditorMode::Edit, fields, AttachmentSlots{}, keyword);
    EXPECT_EQ(accept.store, StoreOutcome::FileError);
    EXPECT_EQ(node.position, 11);

    AttachmentSlots slots;
    ASSERT_EQ(LoadPendingQuestion(document, &node, fields, slots), EditLoadOutcome::Loaded);
    EXPECT_EQ(fields.keyword, "Sun");
}

TEST_F(EditorDocument, AcceptWithoutANodeStoresNothing) {
    int64_t before = JournalSize();
    AcceptResult accept =
        AcceptQuestion(document, nullptr, EditorMode::Edit, MoonQuestion(), AttachmentSlots{}, keyword);
    EXPECT_TRUE(accept.noNode);
    EXPECT_EQ(accept.result, 0);
    EXPECT_EQ(JournalSize(), before);
}

TEST_F(EditorDocument, LoadingNeedsAnOpenTestAndANode) {
    QuestionFields fields;
    AttachmentSlots slots;
    EXPECT_EQ(LoadPendingQuestion(document, nullptr, fields, slots), EditLoadOutcome::NoNode);
    QuestionNode node;
    node.position = 11;
    document.journalFile.reset();
    EXPECT_EQ(LoadPendingQuestion(document, &node, fields, slots), EditLoadOutcome::NoTest);
}

TEST_F(EditorDocument, PositionOutsideTheFileIsAFileError) {
    QuestionNode node;
    node.position = 5000;
    QuestionFields fields;
    AttachmentSlots slots;
    EXPECT_EQ(LoadPendingQuestion(document, &node, fields, slots), EditLoadOutcome::FileError);
}

}  // namespace
}  // namespace qb
