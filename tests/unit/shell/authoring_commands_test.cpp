// Export questions, Check test and Import questions of the session, on a test
// whose questions lie partly in the saved file and partly in the journal.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "authoring/question_table.h"
#include "tests/support/disk_files.h"
#include "tests/support/memory_files.h"
#include "tests/unit/shell/session_fakes.h"

namespace qb {
namespace {

using session_testing::kMagicLine;
using session_testing::Record;
using session_testing::Typing;
using testing_support::ReadAll;
using testing_support::WriteAll;

QuestionRecord Question(const std::string& keyword, const std::string& question, const std::string& answer,
                        const std::string& wrong = "") {
    QuestionRecord record;
    record.keyword = keyword;
    record.slots[kSlotQuestion] = question;
    record.slots[kSlotRightAnswer] = answer;
    record.slots[kSlotWrongAnswer1] = wrong;
    return record;
}

class AuthoringCommands : public session_testing::SessionTest {
protected:
    // Two saved questions, the first answered, and a third defined since the
    // test was opened, so it lies in the journal.
    void SetUp() override {
        OpenFile("astronomy.tvt", std::string(kMagicLine) +
                                      Record("Zodiac", {"How many signs?", "Twelve"}, 1) +
                                      Record("Moon", {"What shows\r\nat new moon?", "Its dark side", "Its craters"}, 0));
        ASSERT_TRUE(document.IsOpen());
        frame.script.push_back(Typing("Comet", "What is a comet's tail made of?", "Gas, \"dust\"; ice"));
        session.NewQuestion(frame);
        ASSERT_EQ(session.QuestionCount(), 3);
        ResetFrame();
    }

    // The current questions in index order, as the table must hold them.
    std::vector<QuestionRecord> Current() const {
        return {Question("Zodiac", "How many signs?", "Twelve"),
                Question("Moon", "What shows\r\nat new moon?", "Its dark side", "Its craters"),
                Question("Comet", "What is a comet's tail made of?", "Gas, \"dust\"; ice")};
    }

    TestDocument& document = session.Document();
};

TEST_F(AuthoringCommands, ExportWritesTheCurrentQuestionsAsTheTableWriterDoes) {
    const struct {
        const char* name;
        char separator;
    } kCases[] = {{"table.csv", ','}, {"table.CSV", ','}, {"table.txt", '\t'}, {"table.tsv", '\t'}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        ResetFrame();
        frame.chosenPath = dir.File(c.name);
        session.ExportQuestions(frame);
        EXPECT_EQ(ReadAll(dir.File(c.name)), WriteQuestionTable(Current(), c.separator));
        EXPECT_FALSE(session_testing::Exists(dir.File(std::string(c.name) + ".partial")));
        EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::ExportTable});
        EXPECT_EQ(frame.proposed, std::vector<std::string>{dir.File("astronomy.csv")});
        EXPECT_EQ(frame.messages,
                  std::vector<Message>{Information(IDS_QUESTIONS_EXPORTED, IDS_EXPORT_CAPTION, {"3"})});
        EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_EXPORTING});
        EXPECT_EQ(frame.busyDepth, 0);
    }
    // Exporting changes nothing of the test.
    EXPECT_TRUE(session.IsModified());
    EXPECT_EQ(session.QuestionCount(), 3);
}

TEST_F(AuthoringCommands, ExportOfOneQuestionSaysSoInTheSingular) {
    frame.answer = MessageAnswer::No;  // the changed test is given up
    OpenFile("one.tvt", std::string(kMagicLine) + Record("Sun", {"A star?", "Yes"}, 0));
    frame.chosenPath = dir.File("one.csv");
    session.ExportQuestions(frame);
    EXPECT_EQ(ReadAll(dir.File("one.csv")), WriteQuestionTable({Question("Sun", "A star?", "Yes")}, ','));
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_QUESTION_EXPORTED, IDS_EXPORT_CAPTION)});
}

TEST_F(AuthoringCommands, ExportReplacesAnExistingTableOnlyWhenItIsWrittenWhole) {
    WriteAll(dir.File("old.csv"), "keyword\r\nold\r\n");
    frame.chosenPath = dir.File("old.csv");
    session.ExportQuestions(frame);
    EXPECT_EQ(ReadAll(dir.File("old.csv")), WriteQuestionTable(Current(), ','));

    // A record that can no longer be read: nothing replaces the old table.
    WriteAll(dir.File("old.csv"), "keyword\r\nold\r\n");
    document.head->position = 1 << 20;
    ResetFrame();
    frame.chosenPath = dir.File("old.csv");
    session.ExportQuestions(frame);
    EXPECT_EQ(ReadAll(dir.File("old.csv")), "keyword\r\nold\r\n");
    EXPECT_FALSE(session_testing::Exists(dir.File("old.csv.partial")));
    EXPECT_EQ(frame.messages, std::vector<Message>{Exclamation(IDS_FILE_ERROR, IDS_EXPORT_CAPTION)});
    EXPECT_EQ(frame.busyDepth, 0);
}

TEST_F(AuthoringCommands, ExportRefusesWhatIsNoTableAndWritesNothingWhenCancelled) {
    const std::string testBytes = ReadAll(dir.File("astronomy.tvt"));
    const struct {
        std::string chosen;  // empty: the dialog is cancelled
        std::vector<Message> messages;
    } kCases[] = {
        {dir.File("astronomy.tvt"), {Exclamation(IDS_NOT_A_TABLE, IDS_EXPORT_CAPTION)}},
        {dir.File("table"), {Exclamation(IDS_NOT_A_TABLE, IDS_EXPORT_CAPTION)}},
        {dir.File("missing/folder/table.csv"), {Exclamation(IDS_FILE_ERROR, IDS_EXPORT_CAPTION)}},
        {"", {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.chosen);
        ResetFrame();
        frame.chosenPath = c.chosen;
        session.ExportQuestions(frame);
        EXPECT_EQ(frame.messages, c.messages);
    }
    EXPECT_EQ(ReadAll(dir.File("astronomy.tvt")), testBytes);
    EXPECT_FALSE(session_testing::Exists(dir.File("table")));
}

TEST_F(AuthoringCommands, CheckOfACleanTestSaysSo) {
    session.CheckTest(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_NO_PROBLEMS_FOUND, IDS_CHECK_CAPTION)});
    EXPECT_TRUE(frame.findings.empty());
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_CHECKING});
    EXPECT_EQ(frame.busyDepth, 0);
}

// A question defined now with a picture that is not there: the journal's
// record is checked, and picking its finding selects it as a click would.
TEST_F(AuthoringCommands, CheckListsTheFindingsAndSelectsThePickedQuestion) {
    session_testing::Typed typed = Typing("Mars", "Which planet is red?", "Mars");
    typed.slots[1] = "mars.bmp";
    frame.script.push_back(typed);
    session.NewQuestion(frame);
    const int32_t marsKey = document.nextKey - 1;
    ASSERT_EQ(session.Keyword(marsKey), "Mars");

    const struct {
        int picked;
        int32_t selected;
    } kCases[] = {{-1, -1}, {0, marsKey}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.picked);
        ResetFrame();
        frame.findings.clear();
        frame.findingPicked = c.picked;
        session.CheckTest(frame);
        EXPECT_TRUE(frame.messages.empty());
        ASSERT_EQ(frame.findings.size(), 1u);
        ASSERT_EQ(frame.findings[0].size(), 1u);
        const Finding& finding = frame.findings[0][0];
        EXPECT_EQ(finding.keyword, "Mars");
        EXPECT_EQ(finding.key, marsKey);
        EXPECT_NE(finding.what.find("mars.bmp"), std::string::npos) << finding.what;
        EXPECT_EQ(list.highlighted, c.selected);
        EXPECT_EQ(session.SelectedKey(), c.selected);
        EXPECT_EQ(Enabled(IDM_QUESTION_EDIT), c.selected >= 0);
    }
}

// A semicolon table in Windows-1252 with a quoted cell over two lines: each
// row appends the record the question dialog would have written.
TEST_F(AuthoringCommands, ImportAppendsEachRowAsTheQuestionDialogWould) {
    WriteAll(dir.File("new.csv"), "Stichwort;Frage;Antwort;Falsch\r\n"
                                  "Caf\xE9;\"Where do you\r\ndrink it?\";\"At home; outside\";Nowhere\r\n"
                                  "Tea;Hot or cold?;Hot;\r\n");
    const std::string journalBefore = ReadAll(dir.File("CHANGINGS.TMP"));
    frame.chosenPath = dir.File("new.csv");
    frame.importChoices = TableOptions{EncodingChoice::Detect, 0, HeaderChoice::Header};
    const int32_t firstKey = document.nextKey;
    const int singleAddsBefore = list.singleAdds;
    session.ImportQuestions(frame);

    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::ImportTable});
    EXPECT_EQ(frame.importedBytes, std::vector<std::string>{ReadAll(dir.File("new.csv"))});
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_QUESTIONS_IMPORTED, IDS_IMPORT_CAPTION, {"2"})});
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_IMPORTING});
    EXPECT_EQ(frame.busyDepth, 0);
    QuestionRecord cafe = Question("Caf\xE9", "Where do you\r\ndrink it?", "At home; outside", "Nowhere");
    QuestionRecord tea = Question("Tea", "Hot or cold?", "Hot");
    {
        std::unique_ptr<ByteStream> expected = RealFileSystem().Open(dir.File("expected"), OpenMode::CreateWrite);
        ASSERT_GE(WriteQuestionRecord(*expected, cafe), 0);
        ASSERT_GE(WriteQuestionRecord(*expected, tea), 0);
    }
    EXPECT_EQ(ReadAll(dir.File("CHANGINGS.TMP")), journalBefore + ReadAll(dir.File("expected")));
    EXPECT_EQ(session.QuestionCount(), 5);
    EXPECT_EQ(document.nextKey, firstKey + 2);
    EXPECT_EQ(session.Keyword(firstKey), "Caf\xE9");
    EXPECT_EQ(session.RowImage(firstKey), 2);  // multiple choice
    EXPECT_EQ(session.RowImage(firstKey + 1), 0);
    EXPECT_EQ(session.CurrentCounters().remaining, 4);
    EXPECT_NE(list.Row(firstKey), nullptr);
    EXPECT_NE(list.Row(firstKey + 1), nullptr);
    EXPECT_EQ(list.batchAdds, 1);  // the list is filled once, not row by row
    EXPECT_EQ(list.singleAdds, singleAddsBefore);
    EXPECT_TRUE(session.IsModified());

    // One question is counted in the singular.
    ResetFrame();
    WriteAll(dir.File("one.txt"), "Sun\tA star?\tYes\r\n");
    frame.chosenPath = dir.File("one.txt");
    frame.importChoices = TableOptions{};
    session.ImportQuestions(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_QUESTION_IMPORTED, IDS_IMPORT_CAPTION)});
    EXPECT_EQ(session.QuestionCount(), 6);
}

TEST_F(AuthoringCommands, ImportOfATableWithABadRowAddsNothingAndListsTheRow) {
    WriteAll(dir.File("bad.csv"), "keyword,question,right answer\r\nSun,A star?,Yes\r\nMoon,,Its dark side\r\n");
    const std::string journalBefore = ReadAll(dir.File("CHANGINGS.TMP"));
    const struct {
        const char* name;
        std::optional<TableOptions> choices;
        size_t errorLists;
    } kCases[] = {{"bad.csv", TableOptions{}, 1}, {"bad.csv", std::nullopt, 0}, {"missing.csv", TableOptions{}, 0}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        ResetFrame();
        frame.rowErrors.clear();
        frame.chosenPath = dir.File(c.name);
        frame.importChoices = c.choices;
        session.ImportQuestions(frame);
        ASSERT_EQ(frame.rowErrors.size(), c.errorLists);
        if (c.errorLists == 1) {
            ASSERT_EQ(frame.rowErrors[0].size(), 1u);
            EXPECT_EQ(frame.rowErrors[0][0].row, 3u);
            EXPECT_EQ(frame.rowErrors[0][0].column, 1);
            EXPECT_EQ(frame.rowErrorsNotListed, std::vector<size_t>{0});
        }
        EXPECT_EQ(ReadAll(dir.File("CHANGINGS.TMP")), journalBefore);
        EXPECT_EQ(session.QuestionCount(), 3);
    }
    EXPECT_EQ(frame.messages, std::vector<Message>{Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION)});
}

// A table of a thousand bad rows lists the first two hundred and counts the rest.
TEST_F(AuthoringCommands, ImportListsTheFirstRowErrorsAndCountsTheOthers) {
    std::string table = "keyword,question,right answer\r\n";
    for (int row = 0; row < 1000; ++row) table += "Moon,,Its dark side\r\n";
    WriteAll(dir.File("bad.csv"), table);
    frame.chosenPath = dir.File("bad.csv");
    frame.importChoices = TableOptions{};
    session.ImportQuestions(frame);
    ASSERT_EQ(frame.rowErrors.size(), 1u);
    ASSERT_EQ(frame.rowErrors[0].size(), 200u);
    EXPECT_EQ(frame.rowErrors[0].back().row, 201u);
    EXPECT_EQ(frame.rowErrorsNotListed, std::vector<size_t>{800});
    EXPECT_EQ(session.QuestionCount(), 3);
}

// The journal refuses a write in the middle of an import: no question is
// added (the bytes already written stay in the journal, unreferenced), and
// the next import writes its records behind them at the positions its nodes
// get.
TEST_F(AuthoringCommands, ImportThatCannotWriteTheJournalAddsNoQuestion) {
    std::string table = "keyword,question,right answer\r\n";
    for (int row = 0; row < 20; ++row) table += "Star " + std::to_string(row) + ",Which one?,This one\r\n";
    WriteAll(dir.File("stars.csv"), table);
    testing_support::MemoryFileSystem memory;
    const size_t journalBefore = ReadAll(dir.File("CHANGINGS.TMP")).size();
    memory.SetContent("journal", ReadAll(dir.File("CHANGINGS.TMP")));
    memory.Faults("journal").writeLimit = journalBefore + 500;  // a few records
    document.journalFile = memory.Open("journal", OpenMode::AppendRead);
    const int32_t firstKey = document.nextKey;
    frame.chosenPath = dir.File("stars.csv");
    frame.importChoices = TableOptions{};
    session.ImportQuestions(frame);

    EXPECT_EQ(frame.messages, std::vector<Message>{Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION)});
    EXPECT_EQ(frame.busyDepth, 0);
    EXPECT_EQ(session.QuestionCount(), 3);
    EXPECT_EQ(document.nextKey, firstKey);
    EXPECT_EQ(LastNode(document)->key, firstKey - 1);
    EXPECT_EQ(session.Keyword(firstKey), "");
    EXPECT_EQ(list.batchAdds, 0);
    EXPECT_EQ(list.rows.size(), 3u);
    const size_t refusedJournal = memory.Content("journal").size();
    EXPECT_GT(refusedJournal, journalBefore);  // it failed in the middle

    memory.Faults("journal") = testing_support::FileFaults{};
    document.journalFile = memory.Open("journal", OpenMode::AppendRead);
    ResetFrame();
    frame.chosenPath = dir.File("stars.csv");
    session.ImportQuestions(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_QUESTIONS_IMPORTED, IDS_IMPORT_CAPTION, {"20"})});
    EXPECT_EQ(session.QuestionCount(), 23);
    EXPECT_EQ(list.rows.size(), 23u);
    for (int32_t key = firstKey; key < firstKey + 20; ++key) {
        const QuestionNode* node = Node(key);
        ASSERT_NE(node, nullptr);
        EXPECT_GE(node->position, static_cast<int64_t>(refusedJournal));
        QuestionRecord stored;
        ASSERT_TRUE(ReadNodeRecord(document, *node, stored));
        EXPECT_EQ(stored.keyword, "Star " + std::to_string(key - firstKey));
        EXPECT_EQ(session.Keyword(key), stored.keyword);
    }
}

}  // namespace
}  // namespace qb
