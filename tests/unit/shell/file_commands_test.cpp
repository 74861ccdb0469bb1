// New, Open, Close, Save, Save as, Export as web page and the save prompt of
// the session, on test files in a directory of their own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/disk_files.h"
#include "tests/unit/shell/session_rows.h"

namespace qb {
namespace {

using namespace session_testing;
using testing_support::ReadAll;

// Zebra (answered, multiple choice), Apple, Moon in file order.
std::string ThreeQuestions() {
    return session_testing::kMagicLine + Record("Zebra", {"Stripes?", "Black and white", "Green"}, 1) +
           Record("Apple", {"Fruit?", "Yes"}, 0) + Record("Moon", {"Satellite of?", "Earth"}, 0) + "\r\n";
}
// The same with Moon cut short: Zebra and Apple are read, the file is damaged.
std::string Damaged() {
    return ThreeQuestions().substr(0, ThreeQuestions().size() - 5);
}

const Message kFileError = Exclamation(IDS_FILE_ERROR, IDS_ERROR_CAPTION);
const Message kSaveFileError = Exclamation(IDS_FILE_ERROR, IDS_SAVE_CAPTION);
const Message kAskToSave = Question(IDS_ASK_TO_SAVE, IDS_ATTENTION, MessageButtons::YesNoCancel);
const Message kDamagedFileKept = Information(IDS_DAMAGED_FILE_KEPT, IDS_SAVE_CAPTION);
const Message kPageNotPossible = Information(IDS_WEB_PAGE_NAME, IDS_WEB_PAGE_CAPTION);

// The commands an open test enables before anything is asked or selected.
const std::vector<int> kOpenTestCommands = {
    IDM_HELP,          IDM_ABOUT,       IDM_EXIT,       IDM_FILE_NEW,          IDM_FILE_OPEN,
    IDM_FILE_SAVE,     IDM_FILE_SAVE_AS, IDM_FILE_CLOSE, IDM_QUESTION_NEW,      IDM_FONT,
    IDM_FILE_EXPORT_WEB_PAGE, IDM_FILE_EXPORT_QUESTIONS, IDM_FILE_CHECK_TEST, IDM_FILE_IMPORT_QUESTIONS,
    IDM_OPTIONS_DETAILS, IDM_TEST_MISSED_FIRST};
const std::vector<int> kNoTestCommands = {IDM_HELP, IDM_ABOUT, IDM_EXIT, IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FONT,
                                          IDM_OPTIONS_DETAILS, IDM_TEST_MISSED_FIRST};

std::vector<int> With(std::vector<int> commands, std::vector<int> more) {
    commands.insert(commands.end(), more.begin(), more.end());
    return commands;
}

Given Exam(const std::string& name = "exam.TVT") {
    return Given().Open(name, ThreeQuestions());
}
// A damaged test opened: the user was told, and it has changed since.
Given DamagedExam(const std::string& name = "exam.tvt") {
    return Given()
        .File(name, Damaged())
        .Choose(name)
        .Run(&TestSession::OpenTest)
        .Then([](SessionBench& b) {
            ASSERT_EQ(b.frame.messages, std::vector<Message>{Exclamation(IDS_DAMAGED_TEST, IDS_ERROR_CAPTION, {"2"})});
        })
        .Choose("")
        .Modified(true);
}
// The close request and the system's question, answered as expected.
Step GivingUp(bool mayGiveUp) {
    return [mayGiveUp](SessionBench& b) { EXPECT_EQ(b.session.MayGiveUpTest(b.frame), mayGiveUp); };
}
Expect Hidden(int times) {
    return Expect().Check([times](SessionBench& b) {
        EXPECT_EQ(std::count(b.list.displayChanges.begin(), b.list.displayChanges.end(), DisplayChange::Hidden), times);
    });
}

TEST(FileCommands, NewOpenAndClose) {
    RunSessionRows({
        {"New creates the test and the journal", Given().Choose("new.tvt"), Do(&TestSession::NewTest),
         Expect()
             .Dialogs({PathDialog::New})
             .File("new.tvt", session_testing::kMagicLine)
             .Check([](SessionBench& b) {
                 b.session.Document().journalFile->Flush();
                 EXPECT_EQ(ReadAll(b.dir.File("CHANGINGS.TMP")), b.dir.File("new.tvt") + "\r\n");
             })
             .Commands(kOpenTestCommands)
             .Title("new.tvt")
             .Counted({0, 0, 0}),
         {}},
        {"New cancelled at the dialog leaves no test", Given(), Do(&TestSession::NewTest),
         Expect()
             .Open(false)
             .Dialogs({PathDialog::New})
             .Commands(kNoTestCommands)
             .Title("")
             // Nothing was open: the start-up hints stay in the status bar.
             .Check([](SessionBench& b) { EXPECT_EQ(b.list.counterUpdates, 0); })
             .Missing("CHANGINGS.TMP"),
         {}},
        {"New in a missing directory", Given().Choose("missing/new.tvt"), Do(&TestSession::NewTest),
         Expect().Open(false).Commands(kNoTestCommands), {kFileError}},
        {"Open lists the questions by keyword with their keys and images",
         Given().File("exam.tvt", ThreeQuestions()).Choose("exam.tvt"), Do(&TestSession::OpenTest),
         Expect()
             .Rows({"Apple", "Moon", "Zebra"})
             .Row(0, "Zebra", 3)
             .Row(1, "Apple", 0)
             .Row(2, "Moon", 0)
             .Index({{0, 1}, {1, 0}, {2, 0}})
             .Check([](SessionBench& b) {
                 EXPECT_EQ(b.session.Document().nextKey, 3);
                 EXPECT_TRUE(b.session.IsAnswered(0));
                 EXPECT_FALSE(b.session.IsAnswered(1));
             })
             .Commands(With(kOpenTestCommands, {IDM_TEST_ASK, IDM_TEST_RESET_ALL}))
             .Counted({0, 0, 2})
             .Busy({IDS_BUSY_OPENING})
             .Title("exam.tvt"),
         {}},
        {"Open from the command line takes the path without the dialog", Given().File("my exam.tvt", ThreeQuestions()),
         [](SessionBench& b) { b.session.OpenTestAt(b.dir.File("my exam.tvt"), b.frame); },
         Expect().Open(true).Dialogs({}), {}},
        {"Open after the command line asks for the name",
         Given().File("my exam.tvt", ThreeQuestions()).Then([](SessionBench& b) {
             b.session.OpenTestAt(b.dir.File("my exam.tvt"), b.frame);
         }),
         Do(&TestSession::OpenTest), Expect().Dialogs({PathDialog::Open}), {}},
        {"a command line that did not fit is a file error, not a question for a name", Given(),
         [](SessionBench& b) { b.session.OpenTestAt("", b.frame); }, Expect().Open(false).Dialogs({}), {kFileError}},
        {"another version is refused with an empty list",
         Given().File("old.tvt", "QBKX0101B\r\n" + Record("Apple", {"Fruit?", "Yes"}, 0)).Choose("old.tvt"),
         Do(&TestSession::OpenTest), Expect().Open(false).Rows({}).Commands(kNoTestCommands),
         {Information(IDS_VERSION_REFUSED, IDS_ATTENTION)}},
        {"a test of only the magic line opens without Ask",
         Given().File("empty.tvt", session_testing::kMagicLine).Choose("empty.tvt"), Do(&TestSession::OpenTest),
         Expect().Open(true).Commands(kOpenTestCommands), {}},
        {"Cancel in the prompt keeps the modified test open", Exam().Modified(true),
         [](SessionBench& b) {
             b.session.NewTest(b.frame);
             b.session.OpenTest(b.frame);
             b.session.CloseTest(b.frame);
         },
         Hidden(0).Open(true).Modified(true).Index({{0, 1}, {1, 0}, {2, 0}}).Dialogs({}),
         {kAskToSave, kAskToSave, kAskToSave}},
        {"Close deletes the journal and shows the start-up hints",
         Exam().Select(1).Run(&TestSession::AskQuestion).Then([](SessionBench& b) {
             ASSERT_TRUE(b.session.HoldsAnswer());
             ASSERT_TRUE(Exists(b.dir.File("CHANGINGS.TMP")));
         }),
         Do(&TestSession::CloseTest),
         Hidden(1)
             .Open(false)
             .Missing("CHANGINGS.TMP")
             .Check([](SessionBench& b) {
                 EXPECT_EQ(b.session.Document().testPath, "");
                 EXPECT_EQ(b.session.Shown().rowCount, 0);
                 EXPECT_FALSE(b.session.HoldsAnswer());
                 EXPECT_EQ(b.list.startupHints, 1);
             })
             .Rows({})
             .Title("")
             .Commands(kNoTestCommands)
             .Exists("exam.TVT"),
         {}},
    });
}

TEST(FileCommands, SaveAndTheSavePrompt) {
    RunSessionRows({
        {"Save without a test", Given(), Do(&TestSession::SaveTest), Expect().Dialogs({}),
         {Information(IDS_NO_TEST_OPENED, IDS_SAVE_CAPTION)}},
        {"Save keeps the old file as backup and leaves no working file", Exam().Modified(true),
         Do(&TestSession::SaveTest),
         Expect()
             .Modified(false)
             .File("exam.BAK", ThreeQuestions())
             .Missing("exam.TMP")
             .File("exam.TVT", ThreeQuestions())
             .Title("exam.TVT")
             .Busy({IDS_BUSY_SAVING})
             .Check([](SessionBench& b) { EXPECT_EQ(b.list.counterUpdates, 1); }),
         {}},
        {"Save as cancelled leaves the test without a path", Exam(), Do(&TestSession::SaveTestAs),
         Expect().Dialogs({PathDialog::SaveAs}).Check([](SessionBench& b) {
             EXPECT_EQ(b.frame.proposed, std::vector<std::string>{""});
             EXPECT_EQ(b.session.Document().testPath, "");
         }),
         {}},
        // The save prompt's Yes asks for the missing name too; New without
        // one given keeps the test instead of giving it up.
        {"the prompt asks for the name Save as did not get",
         Exam().Run(&TestSession::SaveTestAs).Modified(true).Answer(MessageAnswer::Yes), Do(&TestSession::NewTest),
         Expect().Dialogs({PathDialog::SaveAs}).Open(true).Modified(true), {kAskToSave}},
        {"Save asks for the name Save as did not get",
         Exam().Run(&TestSession::SaveTestAs).Modified(true).Choose("copy.tvt"), Do(&TestSession::SaveTest),
         Expect()
             .Dialogs({PathDialog::SaveAs})
             .Exists("copy.TVT")
             .Title("copy.TVT")
             .File("exam.TVT", ThreeQuestions()),
         {}},
        {"Save of a test without questions", Given().Open("empty.tvt", session_testing::kMagicLine),
         Do(&TestSession::SaveTest), Expect(), {Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION)}},
        {"giving up an unchanged test asks nothing", Exam(), GivingUp(true), Expect(), {}},
        {"Cancel refuses giving up", Exam().Modified(true), GivingUp(false), Expect().Modified(true), {kAskToSave}},
        // Without a path (Save as stopped) a name is asked for; one in a
        // missing folder fails the save.
        {"a failed save refuses giving up",
         Exam()
             .Modified(true)
             .Then([](SessionBench& b) { b.session.Document().testPath.clear(); })
             .Answer(MessageAnswer::Yes)
             .Choose("missing/exam.tvt"),
         GivingUp(false), Expect().Modified(true).Dialogs({PathDialog::SaveAs}), {kAskToSave, kSaveFileError}},
        {"giving up with No does not save",
         Exam().Then([](SessionBench& b) { b.Node(1)->status = 1; }).Modified(true).Answer(MessageAnswer::No),
         GivingUp(true), Expect().Modified(false).Missing("exam.BAK"), {kAskToSave}},
        {"giving up with Yes saves",
         Exam().Then([](SessionBench& b) { b.Node(1)->status = 1; }).Modified(true).Answer(MessageAnswer::Yes),
         GivingUp(true),
         Expect().Modified(false).Exists("exam.BAK").Check([](SessionBench& b) {
             EXPECT_NE(ReadAll(b.dir.File("exam.TVT"))
                           .find("Apple\r\n6\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"),
                       std::string::npos);
         }),
         {kAskToSave}},
    });
}

// Save asks for a new name, and no name under which the save would write,
// rename or delete the damaged file is taken.
TEST(FileCommands, DamagedTestIsSavedOnlyUnderANameThatSparesItsFile) {
    std::vector<SessionRow> rows;
    for (const auto& [damaged, chosen, refused] :
         {std::tuple{"a.tvt", "a.tvt", true}, std::tuple{"b.tvt", "B.TVT", true}, std::tuple{"c.tvt", "c.bak", true},
          std::tuple{"d.tvt", "d.tmp", true}, std::tuple{"e.tvt", "e2.tvt", false}}) {
        const std::string name = damaged;
        rows.push_back({name + " saved as " + chosen, DamagedExam(name).Choose(chosen), Do(&TestSession::SaveTest),
                        Expect()
                            .Dialogs({PathDialog::SaveAs})
                            .Check([refused = refused, name](SessionBench& b) {
                                EXPECT_EQ(b.frame.proposed, std::vector<std::string>{""});
                                EXPECT_EQ(b.session.Document().damagedFile.empty(), !refused);
                                for (const char* companion : {"BAK", "TMP"})
                                    EXPECT_FALSE(Exists(WinPath(b.dir.File(name)).Companion(companion).Text()));
                            })
                            .Modified(refused)
                            .File(name, Damaged()),
                        refused ? std::vector<Message>{kDamagedFileKept} : std::vector<Message>{}});
    }
    // Saved under a new name, the test is ordinary: Save writes in place.
    rows.push_back({"saved under a new name", DamagedExam("e.tvt").Choose("e2.tvt").Run(&TestSession::SaveTest),
                    Do(&TestSession::SaveTest), Expect().Dialogs({}).Exists("e2.BAK").File("e.tvt", Damaged()), {}});
    RunSessionRows(rows);
}

// The save prompt's Yes asks for a new name too; without one nothing is given up.
TEST(FileCommands, PromptForADamagedTestKeepsItUnlessSavedUnderANewName) {
    RunSessionRows({
        {"the name dialog cancelled", DamagedExam().Answer(MessageAnswer::Yes), GivingUp(false),
         Expect().Dialogs({PathDialog::SaveAs}), {kAskToSave}},
        {"its own name refused by Open, New and Close", DamagedExam().Answer(MessageAnswer::Yes).Choose("exam.tvt"),
         [](SessionBench& b) {
             b.session.OpenTest(b.frame);
             b.session.NewTest(b.frame);
             b.session.CloseTest(b.frame);
         },
         Expect()
             .Dialogs(std::vector<PathDialog>(3, PathDialog::SaveAs))
             .Open(true)
             .Modified(true)
             .Index({{0, 1}, {1, 0}}),
         {kAskToSave, kDamagedFileKept, kAskToSave, kDamagedFileKept, kAskToSave, kDamagedFileKept}},
        {"saved under a new name", DamagedExam().Answer(MessageAnswer::Yes).Choose("kept.tvt"), GivingUp(true),
         Expect().Title("kept.TVT").Exists("kept.TVT").File("exam.tvt", Damaged()), {kAskToSave}},
    });
}

// --- Export as web page -------------------------------------------------------

const char kPagePolicy[] = "<meta http-equiv=\"Content-Security-Policy\"";

Expect PageWritten(const std::string& name) {
    return Expect().Check([name](SessionBench& b) {
        EXPECT_NE(ReadAll(b.dir.File(name)).find(kPagePolicy), std::string::npos);
        EXPECT_FALSE(Exists(b.dir.File(name + ".partial")));
    });
}

TEST(FileCommands, ExportAsWebPage) {
    const Step exportPage = Do(&TestSession::ExportWebPage);
    RunSessionRows({
        // The page holds the questions as they are now: a question added since
        // the last save and a miss counted since are in it, and the test stays
        // as it was, unsaved.
        {"the page of the current questions, beside the test",
         Exam()
             .Add(Typing("Venus", "Morning star?", "Yes"))
             .Then([](SessionBench& b) { b.session.Document().head->misses = 7; })
             .Choose("page.html"),
         exportPage,
         PageWritten("page.html")
             .Dialogs({PathDialog::WebPage})
             .Check([](SessionBench& b) {
                 EXPECT_EQ(b.frame.proposed, std::vector<std::string>{b.dir.File("exam.html")});
                 EXPECT_EQ(b.list.counterUpdates, 1);
                 const std::string page = ReadAll(b.dir.File("page.html"));
                 EXPECT_NE(page.find("<title>exam</title>"), std::string::npos);
                 for (const char* keyword : {"Zebra", "Apple", "Moon", "Venus", "Morning star?"})
                     EXPECT_NE(page.find(keyword), std::string::npos) << keyword;
                 EXPECT_NE(page.find("[-1,-1,-1,-1],7]"), std::string::npos) << "the first question's misses";
             })
             .Busy({IDS_BUSY_WEB_PAGE})
             .Modified(true)
             .File("exam.TVT", ThreeQuestions()),
         {}},
        {"an existing page is replaced whole", Exam().File("page.htm", "old page").Choose("page.htm"), exportPage,
         PageWritten("page.htm"), {}},
        // The working file's name is taken by a directory: nothing can be written.
        {"a failed write keeps the page as it was",
         Exam()
             .File("kept.html", "old page")
             .Then([](SessionBench& b) { ASSERT_EQ(mkdir(b.dir.File("kept.html.partial").c_str(), 0700), 0); })
             .Choose("kept.html"),
         exportPage, Expect().File("kept.html", "old page"), {Exclamation(IDS_FILE_ERROR, IDS_WEB_PAGE_CAPTION)}},
        // What Export says, and writes nothing, when it has nothing to export
        // or no name a page may take.
        {"no test", Given().Choose("page.html"), exportPage, Expect().Dialogs({}).Missing("page.html"),
         {Information(IDS_NO_TEST_OPENED, IDS_WEB_PAGE_CAPTION)}},
        {"no questions", Given().Open("exam.TVT", session_testing::kMagicLine).Choose("page.html"), exportPage,
         Expect().Dialogs({}).Missing("page.html"), {Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_WEB_PAGE_CAPTION)}},
        {"cancelled", Exam(), exportPage, Expect().Dialogs({PathDialog::WebPage}).Missing("page.html"), {}},
        {"the test's own name", Exam().Choose("exam.TVT"), exportPage,
         Expect().Dialogs({PathDialog::WebPage}).File("exam.TVT", ThreeQuestions()).Missing("page.html"),
         {kPageNotPossible}},
        {"not a page", Exam().Choose("page.txt"), exportPage,
         Expect().Dialogs({PathDialog::WebPage}).Missing("page.txt").Missing("page.html"), {kPageNotPossible}},
        {"a missing folder", Exam().Choose("missing/page.html"), exportPage,
         Expect().Dialogs({PathDialog::WebPage}).File("exam.TVT", ThreeQuestions()).Missing("page.html"),
         {Exclamation(IDS_FILE_ERROR, IDS_WEB_PAGE_CAPTION)}},
    });
}

// Attached files the page lacks are listed in qbtool's words, at most twenty
// of them and their count; the page is written without them. Files that are
// there are found as Ask a Question finds them: "*" names in the program
// directory, others beside the test.
TEST(FileCommands, ExportListsTheAttachedFilesThePageLacks) {
    std::string bytes = session_testing::kMagicLine;
    bytes += Record("Moon", {"Satellite of?", "Earth", "", "", "", "", "notes.txt", "moon.bmp"}, 0);
    bytes += Record("Sun", {"A star?", "Yes", "", "", "", "", "*notes.txt"}, 0);
    std::string lines = "question 1 \"Moon\": question picture \"moon.bmp\" missing";
    for (int i = 0; i < 24; ++i) {
        bytes += Record("Q" + std::to_string(i), {"Why?", "So", "", "", "", "", "", "", "gone.txt"}, 0);
        if (i < 19)
            lines += "\nquestion " + std::to_string(i + 3) + " \"Q" + std::to_string(i) +
                     "\": answer text file \"gone.txt\" missing";
    }
    RunSessionRows({
        {"25 missing, 20 listed",
         Given().File("notes.txt", "Seen with the naked eye").Open("sky.tvt", bytes + "\r\n").Choose("sky.html"),
         Do(&TestSession::ExportWebPage), Expect().Check([](SessionBench& b) {
             EXPECT_NE(ReadAll(b.dir.File("sky.html")).find("Seen with the naked eye"), std::string::npos);
         }),
         {Exclamation(IDS_EXPORT_INCOMPLETE, IDS_WEB_PAGE_CAPTION, {"25", lines + "\n..."})}},
    });
}

}  // namespace
}  // namespace qb
