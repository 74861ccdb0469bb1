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
#include "tests/unit/shell/session_rows.h"

namespace qb {
namespace {

using namespace session_testing;

constexpr int32_t kMarsKey = 3;  // behind the three questions of Astronomy
using testing_support::ReadAll;

QuestionRecord Question(const std::string& keyword, const std::string& question, const std::string& answer,
                        const std::string& wrong = "") {
    QuestionRecord record;
    record.keyword = keyword;
    record.slots[kSlotQuestion] = question;
    record.slots[kSlotRightAnswer] = answer;
    record.slots[kSlotWrongAnswer1] = wrong;
    return record;
}

// Two saved questions, the first answered, and a third defined since the
// test was opened, so it lies in the journal.
Given Astronomy() {
    return Given()
        .Open("astronomy.tvt", session_testing::kMagicLine + Record("Zodiac", {"How many signs?", "Twelve"}, 1) +
                                   Record("Moon", {"What shows\r\nat new moon?", "Its dark side", "Its craters"}, 0))
        .Add(Typing("Comet", "What is a comet's tail made of?", "Gas, \"dust\"; ice"))
        .Then([](SessionBench& b) { ASSERT_EQ(b.session.QuestionCount(), 3); });
}
// The current questions in index order, as the table must hold them.
const std::vector<QuestionRecord> kCurrent = {
    Question("Zodiac", "How many signs?", "Twelve"),
    Question("Moon", "What shows\r\nat new moon?", "Its dark side", "Its craters"),
    Question("Comet", "What is a comet's tail made of?", "Gas, \"dust\"; ice")};
const Step kExport = Do(&TestSession::ExportQuestions);
const Step kCheck = Do(&TestSession::CheckTest);
const Step kImport = Do(&TestSession::ImportQuestions);

// The journal as it was before the command, kept in the bench's note.
Given& NoteJournal(Given& given) {
    return given.Then([](SessionBench& b) { b.noted = static_cast<int64_t>(ReadAll(b.dir.File("CHANGINGS.TMP")).size()); });
}
Expect JournalUnchanged() {
    return Expect().Check([](SessionBench& b) {
        EXPECT_EQ(static_cast<int64_t>(ReadAll(b.dir.File("CHANGINGS.TMP")).size()), b.noted);
    });
}
Given ImportChoices(Given given, const std::string& table, std::optional<TableOptions> choices) {
    return NoteJournal(given).Choose(table).Then([choices](SessionBench& b) { b.frame.importChoices = choices; });
}

TEST(AuthoringCommands, ExportQuestions) {
    std::vector<SessionRow> rows;
    for (const auto& [name, separator] : {std::pair{"table.csv", ','}, std::pair{"table.CSV", ','},
                                          std::pair{"table.txt", '\t'}, std::pair{"table.tsv", '\t'}}) {
        rows.push_back({name, Astronomy().Choose(name), kExport,
                        Expect()
                            .File(name, WriteQuestionTable(kCurrent, separator))
                            .Missing(std::string(name) + ".partial")
                            .Dialogs({PathDialog::ExportTable})
                            .Check([](SessionBench& b) {
                                EXPECT_EQ(b.frame.proposed, std::vector<std::string>{b.dir.File("astronomy.csv")});
                            })
                            .Busy({IDS_BUSY_EXPORTING})
                            .Modified(true)  // exporting changes nothing of the test
                            .Index({{0, 1}, {1, 0}, {2, 0}}),
                        {Information(IDS_QUESTIONS_EXPORTED, IDS_EXPORT_CAPTION, {"3"})}});
    }
    const std::string testBytes =
        session_testing::kMagicLine + Record("Zodiac", {"How many signs?", "Twelve"}, 1) +
        Record("Moon", {"What shows\r\nat new moon?", "Its dark side", "Its craters"}, 0);
    rows.insert(rows.end(), {
        {"one question, in the singular", Given().Open("one.tvt", session_testing::kMagicLine + Record("Sun", {"A star?", "Yes"}, 0)).Choose("one.csv"),
         kExport, Expect().File("one.csv", WriteQuestionTable({Question("Sun", "A star?", "Yes")}, ',')),
         {Information(IDS_QUESTION_EXPORTED, IDS_EXPORT_CAPTION)}},
        {"an existing table is replaced", Astronomy().File("old.csv", "keyword\r\nold\r\n").Choose("old.csv"), kExport,
         Expect().File("old.csv", WriteQuestionTable(kCurrent, ',')),
         {Information(IDS_QUESTIONS_EXPORTED, IDS_EXPORT_CAPTION, {"3"})}},
        // A record that can no longer be read: nothing replaces the old table.
        {"a table not written whole replaces nothing",
         Astronomy()
             .File("old.csv", "keyword\r\nold\r\n")
             .Then([](SessionBench& b) { b.session.Document().head->position = 1 << 20; })
             .Choose("old.csv"),
         kExport, Expect().File("old.csv", "keyword\r\nold\r\n").Missing("old.csv.partial"),
         {Exclamation(IDS_FILE_ERROR, IDS_EXPORT_CAPTION)}},
        {"the test is no table", Astronomy().Choose("astronomy.tvt"), kExport,
         Expect().File("astronomy.tvt", testBytes), {Exclamation(IDS_NOT_A_TABLE, IDS_EXPORT_CAPTION)}},
        {"a name without extension is no table", Astronomy().Choose("table"), kExport, Expect().Missing("table"),
         {Exclamation(IDS_NOT_A_TABLE, IDS_EXPORT_CAPTION)}},
        {"a missing folder", Astronomy().Choose("missing/folder/table.csv"), kExport, Expect(),
         {Exclamation(IDS_FILE_ERROR, IDS_EXPORT_CAPTION)}},
        {"cancelled", Astronomy(), kExport, Expect().File("astronomy.tvt", testBytes), {}},
    });
    RunSessionRows(rows);
}

// A question defined now with a picture that is not there: the journal's
// record is checked, and picking its finding selects it as a click would.
TEST(AuthoringCommands, CheckTest) {
    Typed mars = Typing("Mars", "Which planet is red?", "Mars");
    mars.slots[1] = "mars.bmp";
    std::vector<SessionRow> rows = {
        {"a clean test", Astronomy(), kCheck,
         Expect().Check([](SessionBench& b) { EXPECT_TRUE(b.frame.findings.empty()); }).Busy({IDS_BUSY_CHECKING}),
         {Information(IDS_NO_PROBLEMS_FOUND, IDS_CHECK_CAPTION)}},
    };
    for (const auto& [picked, selected] : {std::pair{-1, -1}, std::pair{0, kMarsKey}}) {
        rows.push_back({"finding picked: " + std::to_string(picked),
                        Astronomy().Add(mars).Then([picked = picked](SessionBench& b) {
                            ASSERT_EQ(b.session.Keyword(kMarsKey), "Mars");
                            b.frame.findingPicked = picked;
                        }),
                        kCheck,
                        Expect()
                            .Check([](SessionBench& b) {
                                ASSERT_EQ(b.frame.findings.size(), 1u);
                                ASSERT_EQ(b.frame.findings[0].size(), 1u);
                                const Finding& finding = b.frame.findings[0][0];
                                EXPECT_EQ(finding.keyword, "Mars");
                                EXPECT_EQ(finding.key, kMarsKey);
                                EXPECT_NE(finding.what.find("mars.bmp"), std::string::npos) << finding.what;
                            })
                            .Highlighted(selected)
                            .Selected(selected)
                            .States({IDM_QUESTION_EDIT}, selected >= 0),
                        {}});
    }
    RunSessionRows(rows);
}

std::string ManyBadRows() {
    std::string table = "keyword,question,right answer\r\n";
    for (int row = 0; row < 1000; ++row) table += "Moon,,Its dark side\r\n";
    return table;
}

TEST(AuthoringCommands, ImportQuestions) {
    // A semicolon table in Windows-1252 with a quoted cell over two lines:
    // each row appends the record the question dialog would have written.
    const std::string semicolons = "Stichwort;Frage;Antwort;Falsch\r\n"
                                   "Caf\xE9;\"Where do you\r\ndrink it?\";\"At home; outside\";Nowhere\r\n"
                                   "Tea;Hot or cold?;Hot;\r\n";
    const std::string bad =
        "keyword,question,right answer\r\nSun,A star?,Yes\r\nVenus,A planet?,Yes\r\nMoon,,Its dark side\r\n";
    const Expect nothingAdded = JournalUnchanged().Index({{0, 1}, {1, 0}, {2, 0}});
    std::vector<SessionRow> rows = {
        {"two rows become two questions",
         ImportChoices(Astronomy().File("new.csv", semicolons), "new.csv",
                       TableOptions{EncodingChoice::Detect, 0, HeaderChoice::Header}),
         kImport,
         Expect()
             .Dialogs({PathDialog::ImportTable})
             .Check([semicolons](SessionBench& b) {
                 EXPECT_EQ(b.frame.importedBytes, std::vector<std::string>{semicolons});
                 std::unique_ptr<ByteStream> expected =
                     RealFileSystem().Open(b.dir.File("expected"), OpenMode::CreateWrite);
                 ASSERT_GE(WriteQuestionRecord(*expected, Question("Caf\xE9", "Where do you\r\ndrink it?",
                                                                   "At home; outside", "Nowhere")),
                           0);
                 ASSERT_GE(WriteQuestionRecord(*expected, Question("Tea", "Hot or cold?", "Hot")), 0);
                 expected.reset();
                 const std::string journal = ReadAll(b.dir.File("CHANGINGS.TMP"));
                 EXPECT_EQ(journal.substr(static_cast<size_t>(b.noted)), ReadAll(b.dir.File("expected")));
                 EXPECT_EQ(b.session.Document().nextKey, 5);
             })
             .Check([](SessionBench& b) { EXPECT_EQ(b.list.batchAdds, 1) << "the list is filled once"; })
             .Busy({IDS_BUSY_IMPORTING})
             .Row(3, "Caf\xE9", 2)  // multiple choice
             .Row(4, "Tea", 0)
             .Index({{0, 1}, {1, 0}, {2, 0}, {3, 0}, {4, 0}})
             .Remaining(4)
             .Modified(true),
         {Information(IDS_QUESTIONS_IMPORTED, IDS_IMPORT_CAPTION, {"2"})}},
        {"one question, in the singular",
         ImportChoices(Astronomy().File("one.txt", "Sun\tA star?\tYes\r\n"), "one.txt", TableOptions{}), kImport,
         Expect().Index({{0, 1}, {1, 0}, {2, 0}, {3, 0}}), {Information(IDS_QUESTION_IMPORTED, IDS_IMPORT_CAPTION)}},
        {"a bad row adds nothing and is listed", ImportChoices(Astronomy().File("bad.csv", bad), "bad.csv", TableOptions{}),
         kImport,
         Expect(nothingAdded).Check([](SessionBench& b) {
             ASSERT_EQ(b.frame.rowErrors.size(), 1u);
             ASSERT_EQ(b.frame.rowErrors[0].size(), 1u);
             EXPECT_EQ(b.frame.rowErrors[0][0].row, 4u);
             EXPECT_EQ(b.frame.rowErrors[0][0].column, 1);
             EXPECT_EQ(b.frame.rowErrorsNotListed, std::vector<size_t>{0});
         }),
         {}},
        {"a thousand bad rows: the first two hundred listed, the rest counted",
         ImportChoices(Astronomy().File("bad.csv", ManyBadRows()), "bad.csv", TableOptions{}), kImport,
         Expect(nothingAdded).Check([](SessionBench& b) {
             ASSERT_EQ(b.frame.rowErrors.size(), 1u);
             ASSERT_EQ(b.frame.rowErrors[0].size(), 200u);
             EXPECT_EQ(b.frame.rowErrors[0].back().row, 201u);
             EXPECT_EQ(b.frame.rowErrorsNotListed, std::vector<size_t>{800});
         }),
         {}},
        {"the import dialog cancelled", ImportChoices(Astronomy().File("bad.csv", bad), "bad.csv", std::nullopt), kImport,
         Expect(nothingAdded).Check([](SessionBench& b) { EXPECT_TRUE(b.frame.rowErrors.empty()); }), {}},
        {"a missing table", ImportChoices(Astronomy(), "missing.csv", TableOptions{}), kImport,
         Expect(nothingAdded).Check([](SessionBench& b) { EXPECT_TRUE(b.frame.rowErrors.empty()); }),
         {Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION)}},
    };
    // The same where the records outgrow what an import holds from the
    // second row on: the rest is checked first, then the table read again.
    for (size_t i = 0, count = rows.size(); i < count; ++i) {
        SessionRow unheld = rows[i];
        unheld.what += ", records not held";
        unheld.given.Then([](SessionBench& b) { b.session.LimitHeldImport(1); });
        rows.push_back(std::move(unheld));
    }
    RunSessionRows(rows);
}

// The journal refuses the import's records: no question is added (bytes
// that reached the journal would stay there, unreferenced), and the next
// import writes its records behind them at the positions its nodes get.
TEST(AuthoringCommands, ImportThatCannotWriteTheJournalAddsNoQuestion) {
    SessionBench b;
    Astronomy().Build(b);
    TestDocument& document = b.session.Document();
    std::string table = "keyword,question,right answer\r\n";
    for (int row = 0; row < 20; ++row) table += "Star " + std::to_string(row) + ",Which one?,This one\r\n";
    testing_support::WriteAll(b.dir.File("stars.csv"), table);
    testing_support::MemoryFileSystem memory;
    const size_t journalBefore = ReadAll(b.dir.File("CHANGINGS.TMP")).size();
    memory.SetContent("journal", ReadAll(b.dir.File("CHANGINGS.TMP")));
    memory.Faults("journal").writeLimit = journalBefore + 500;  // a few records
    document.journalFile = memory.Open("journal", OpenMode::AppendRead);
    const int32_t firstKey = document.nextKey;
    b.ResetFrame();
    b.frame.chosenPath = b.dir.File("stars.csv");
    b.frame.importChoices = TableOptions{};
    b.session.ImportQuestions(b.frame);

    EXPECT_EQ(b.frame.messages, std::vector<Message>{Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION)});
    EXPECT_EQ(b.frame.busyDepth, 0);
    EXPECT_EQ(b.session.QuestionCount(), 3);
    EXPECT_EQ(document.nextKey, firstKey);
    EXPECT_EQ(b.session.Keyword(firstKey), "");
    EXPECT_EQ(b.list.batchAdds, 0);
    EXPECT_EQ(b.list.rows.size(), 3u);
    const size_t refusedJournal = memory.Content("journal").size();
    EXPECT_EQ(refusedJournal, journalBefore);  // the records go in one write, refused whole

    memory.Faults("journal") = testing_support::FileFaults{};
    document.journalFile = memory.Open("journal", OpenMode::AppendRead);
    b.ResetFrame();
    b.frame.chosenPath = b.dir.File("stars.csv");
    b.session.ImportQuestions(b.frame);
    EXPECT_EQ(b.frame.messages, std::vector<Message>{Information(IDS_QUESTIONS_IMPORTED, IDS_IMPORT_CAPTION, {"20"})});
    EXPECT_EQ(b.session.QuestionCount(), 23);
    EXPECT_EQ(b.list.rows.size(), 23u);
    for (int32_t key = firstKey; key < firstKey + 20; ++key) {
        const QuestionNode* node = b.Node(key);
        ASSERT_NE(node, nullptr);
        EXPECT_GE(node->position, static_cast<int64_t>(refusedJournal));
        QuestionRecord stored;
        ASSERT_TRUE(ReadNodeRecord(document, *node, stored));
        EXPECT_EQ(stored.keyword, "Star " + std::to_string(key - firstKey));
        EXPECT_EQ(b.session.Keyword(key), stored.keyword);
    }
}

}  // namespace
}  // namespace qb
