// New, Open, Close, Save, Save as and the save prompt of the session, on
// test files in a directory of their own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "tests/support/disk_files.h"
#include "tests/unit/shell/session_fakes.h"

namespace qb {
namespace {

using session_testing::Exists;
using session_testing::kMagicLine;
using session_testing::Record;
using testing_support::ReadAll;
using testing_support::WriteAll;

// Zebra (answered, multiple choice), Apple, Moon in file order.
std::string ThreeQuestions() {
    return kMagicLine + Record("Zebra", {"Stripes?", "Black and white", "Green"}, 1) +
           Record("Apple", {"Fruit?", "Yes"}, 0) + Record("Moon", {"Satellite of?", "Earth"}, 0) + "\r\n";
}

const Message kFileError = Exclamation(IDS_FILE_ERROR, IDS_ERROR_CAPTION);
const Message kSaveFileError = Exclamation(IDS_FILE_ERROR, IDS_SAVE_CAPTION);
const Message kAskToSave = Question(IDS_ASK_TO_SAVE, IDS_ATTENTION, MessageButtons::YesNoCancel);
const Message kDamagedFileKept = Information(IDS_DAMAGED_FILE_KEPT, IDS_SAVE_CAPTION);

// The commands an open test enables before anything is asked or selected.
const std::vector<int> kOpenTestCommands = {IDM_HELP,         IDM_ABOUT,     IDM_EXIT,         IDM_FILE_NEW,
                                            IDM_FILE_OPEN,    IDM_FILE_SAVE, IDM_FILE_SAVE_AS, IDM_FILE_CLOSE,
                                            IDM_QUESTION_NEW, IDM_FONT,      IDM_FILE_EXPORT_WEB_PAGE,
                                            IDM_FILE_EXPORT_QUESTIONS, IDM_FILE_CHECK_TEST, IDM_FILE_IMPORT_QUESTIONS};
const std::vector<int> kNoTestCommands = {IDM_HELP, IDM_ABOUT, IDM_EXIT, IDM_FILE_NEW, IDM_FILE_OPEN, IDM_FONT};

std::vector<int> With(std::vector<int> commands, std::vector<int> more) {
    commands.insert(commands.end(), more.begin(), more.end());
    std::sort(commands.begin(), commands.end());
    return commands;
}

class FileCommandsTest : public session_testing::SessionTest {
protected:
    void OpenThreeQuestions(const std::string& name = "exam.TVT") {
        OpenFile(name, ThreeQuestions());
        ASSERT_TRUE(document.IsOpen());
    }

    // A test with Moon cut short, opened: Zebra and Apple are read, the file is damaged.
    void OpenDamaged(const std::string& name = "exam.tvt") {
        WriteAll(dir.File(name), Damaged());
        ResetFrame();
        document.modified = false;
        frame.chosenPath = dir.File(name);
        session.OpenTest(frame);
        ASSERT_TRUE(document.IsOpen());
        ASSERT_EQ(frame.messages, std::vector<Message>{Exclamation(IDS_DAMAGED_TEST, IDS_ERROR_CAPTION, {"2"})});
        ResetFrame();
        document.modified = true;
    }
    static std::string Damaged() { return ThreeQuestions().substr(0, ThreeQuestions().size() - 5); }
    int Prompts() const {
        return static_cast<int>(std::count(frame.messages.begin(), frame.messages.end(), kAskToSave));
    }
    int Hides() const {
        return static_cast<int>(
            std::count(list.displayChanges.begin(), list.displayChanges.end(), DisplayChange::Hidden));
    }

    TestDocument& document = session.Document();
};

TEST_F(FileCommandsTest, NewCreatesTheTestAndTheJournal) {
    frame.chosenPath = dir.File("new.tvt");
    session.NewTest(frame);
    ASSERT_TRUE(document.IsOpen());
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::New});
    EXPECT_EQ(ReadAll(dir.File("new.tvt")), kMagicLine);
    document.journalFile->Flush();
    EXPECT_EQ(ReadAll(dir.File("CHANGINGS.TMP")), dir.File("new.tvt") + "\r\n");
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kOpenTestCommands, {}));
    EXPECT_EQ(list.title, dir.File("new.tvt"));
    EXPECT_EQ(list.counters, (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(FileCommandsTest, NewCancelledAtTheDialogLeavesNoTest) {
    session.NewTest(frame);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_EQ(frame.dialogs.size(), 1u);
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kNoTestCommands, {}));
    EXPECT_EQ(list.title, "");
    // Nothing was open: the start-up hints stay in the status bar.
    EXPECT_EQ(list.counterUpdates, 0);
    EXPECT_FALSE(Exists(dir.File("CHANGINGS.TMP")));
}

TEST_F(FileCommandsTest, NewInAMissingDirectoryReportsTheFileError) {
    frame.chosenPath = dir.File("missing/new.tvt");
    session.NewTest(frame);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_EQ(frame.messages, std::vector<Message>{kFileError});
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kNoTestCommands, {}));
}

TEST_F(FileCommandsTest, OpenShowsTheQuestionsByKeywordWithTheirKeysAndImages) {
    WriteAll(dir.File("exam.tvt"), ThreeQuestions());
    frame.chosenPath = dir.File("exam.tvt");
    session.OpenTest(frame);
    ASSERT_TRUE(document.IsOpen());
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"Apple", "Moon", "Zebra"}));
    EXPECT_EQ(list.Row(0)->image, 3);
    EXPECT_EQ(list.Row(1)->image, 0);
    EXPECT_EQ(list.Row(2)->text, "Moon");
    EXPECT_EQ(document.questionCount, 3);
    EXPECT_EQ(document.nextKey, 3);
    EXPECT_TRUE(session.IsAnswered(0));
    EXPECT_FALSE(session.IsAnswered(1));
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kOpenTestCommands, {IDM_TEST_ASK, IDM_TEST_RESET_ALL}));
    EXPECT_EQ(list.counters, (std::vector<int32_t>{0, 0, 2}));
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_OPENING});
    EXPECT_EQ(frame.busyDepth, 0);
    EXPECT_EQ(list.title, dir.File("exam.tvt"));
}

TEST_F(FileCommandsTest, OpenFromTheCommandLineTakesThePathWithoutTheDialog) {
    WriteAll(dir.File("my exam.tvt"), ThreeQuestions());
    session.OpenTestAt(dir.File("my exam.tvt"), frame);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(frame.dialogs.empty());
    session.OpenTest(frame);
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::Open});
}

TEST_F(FileCommandsTest, CommandLineThatDidNotFitReportsTheFileErrorInsteadOfAskingForAName) {
    session.OpenTestAt("", frame);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_TRUE(frame.dialogs.empty());
    EXPECT_EQ(frame.messages, std::vector<Message>{kFileError});
}

TEST_F(FileCommandsTest, AnotherVersionIsRefusedWithAnEmptyList) {
    WriteAll(dir.File("old.tvt"), "QBKX0101B\r\n" + Record("Apple", {"Fruit?", "Yes"}, 0));
    frame.chosenPath = dir.File("old.tvt");
    session.OpenTest(frame);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_VERSION_REFUSED, IDS_ATTENTION)});
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kNoTestCommands, {}));
}

TEST_F(FileCommandsTest, TestOfOnlyTheMagicLineOpensWithoutAsk) {
    OpenFile("empty.tvt", kMagicLine);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kOpenTestCommands, {}));
}

TEST_F(FileCommandsTest, CancelInThePromptKeepsTheModifiedTestOpen) {
    OpenThreeQuestions();
    document.modified = true;
    frame.answer = MessageAnswer::Cancel;
    session.NewTest(frame);
    session.OpenTest(frame);
    session.CloseTest(frame);
    EXPECT_EQ(Prompts(), 3);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.questionCount, 3);
    EXPECT_TRUE(frame.dialogs.empty());
    EXPECT_EQ(Hides(), 0);
}

TEST_F(FileCommandsTest, CloseDeletesTheJournalAndShowsTheStartUpHints) {
    OpenThreeQuestions();
    list.Select(1);
    session.AskQuestion(frame);
    ASSERT_TRUE(session.HoldsAnswer());
    ASSERT_TRUE(Exists(dir.File("CHANGINGS.TMP")));
    session.CloseTest(frame);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_FALSE(Exists(dir.File("CHANGINGS.TMP")));
    EXPECT_EQ(document.testPath, "");
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(Hides(), 1);
    EXPECT_EQ(session.Shown().rowCount, 0);
    EXPECT_FALSE(session.HoldsAnswer());
    EXPECT_EQ(list.startupHints, 1);
    EXPECT_EQ(list.title, "");
    EXPECT_EQ(session_testing::EnabledCommands(session), With(kNoTestCommands, {}));
    EXPECT_TRUE(Exists(dir.File("exam.TVT")));
}

TEST_F(FileCommandsTest, SaveWithoutATestSaysSo) {
    session.SaveTest(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_NO_TEST_OPENED, IDS_SAVE_CAPTION)});
    EXPECT_TRUE(frame.dialogs.empty());
}

TEST_F(FileCommandsTest, SaveKeepsTheOldFileAsBackupAndLeavesNoWorkingFile) {
    OpenThreeQuestions();
    const std::string before = ReadAll(dir.File("exam.TVT"));
    document.modified = true;
    session.SaveTest(frame);
    EXPECT_TRUE(frame.messages.empty());
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(ReadAll(dir.File("exam.BAK")), before);
    EXPECT_FALSE(Exists(dir.File("exam.TMP")));
    EXPECT_EQ(ReadAll(dir.File("exam.TVT")), before);
    EXPECT_EQ(list.title, dir.File("exam.TVT"));
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_SAVING});
    EXPECT_EQ(list.counterUpdates, 1);
}

// The save prompt's Yes asks for the missing name too; New without one given
// keeps the test instead of giving it up.
TEST_F(FileCommandsTest, SaveAsCancelledLeavesTheTestWithoutAPathSoSaveAsksAgain) {
    OpenThreeQuestions();
    session.SaveTestAs(frame);
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::SaveAs});
    EXPECT_EQ(frame.proposed[0], "");
    EXPECT_EQ(document.testPath, "");
    document.modified = true;
    frame.answer = MessageAnswer::Yes;
    session.NewTest(frame);
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>(2, PathDialog::SaveAs));
    EXPECT_EQ(frame.messages, std::vector<Message>{kAskToSave});
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(document.modified);
    frame.chosenPath = dir.File("copy.tvt");
    session.SaveTest(frame);
    ASSERT_EQ(frame.dialogs.size(), 3u);
    EXPECT_EQ(frame.dialogs[2], PathDialog::SaveAs);
    EXPECT_TRUE(Exists(dir.File("copy.TVT")));
    EXPECT_EQ(list.title, dir.File("copy.TVT"));
    EXPECT_EQ(ReadAll(dir.File("exam.TVT")), ThreeQuestions());
}

TEST_F(FileCommandsTest, SaveOfATestWithoutQuestionsSaysSo) {
    OpenFile("empty.tvt", kMagicLine);
    session.SaveTest(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION)});
}

TEST_F(FileCommandsTest, GivingUpAnUnchangedTestAsksNothing) {
    OpenThreeQuestions();
    EXPECT_TRUE(session.MayGiveUpTest(frame));
    EXPECT_EQ(Prompts(), 0);
}

TEST_F(FileCommandsTest, GivingUpAfterCancelOrAFailedSaveIsRefused) {
    OpenThreeQuestions();
    document.modified = true;
    frame.answer = MessageAnswer::Cancel;
    EXPECT_FALSE(session.MayGiveUpTest(frame));
    EXPECT_TRUE(document.modified);
    // Without a path (Save as stopped) a name is asked for; one in a missing folder fails the save.
    document.testPath.clear();
    frame.answer = MessageAnswer::Yes;
    frame.chosenPath = dir.File("missing/exam.tvt");
    EXPECT_FALSE(session.MayGiveUpTest(frame));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::SaveAs});
    EXPECT_EQ(frame.messages, (std::vector<Message>{kAskToSave, kAskToSave, kSaveFileError}));
}

TEST_F(FileCommandsTest, GivingUpWithYesSavesAndWithNoDoesNot) {
    OpenThreeQuestions();
    document.head->next->status = 1;  // Apple answered in memory only
    document.modified = true;
    frame.answer = MessageAnswer::No;
    EXPECT_TRUE(session.MayGiveUpTest(frame));
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(Exists(dir.File("exam.BAK")));
    document.modified = true;
    frame.answer = MessageAnswer::Yes;
    EXPECT_TRUE(session.MayGiveUpTest(frame));
    EXPECT_FALSE(document.modified);
    EXPECT_TRUE(Exists(dir.File("exam.BAK")));
    EXPECT_NE(ReadAll(dir.File("exam.TVT")).find("Apple\r\n6\r\n3\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n"),
              std::string::npos);
}

// Save asks for a new name, and no name under which the save would write,
// rename or delete the damaged file is taken.
TEST_F(FileCommandsTest, DamagedTestIsSavedOnlyUnderANameThatSparesItsFile) {
    const struct {
        const char* damaged;
        const char* chosen;
        bool refused;
    } cases[] = {{"a.tvt", "a.tvt", true},
                 {"b.tvt", "B.TVT", true},
                 {"c.tvt", "c.bak", true},
                 {"d.tvt", "d.tmp", true},
                 {"e.tvt", "e2.tvt", false}};
    for (const auto& c : cases) {
        OpenDamaged(c.damaged);
        frame.chosenPath = dir.File(c.chosen);
        session.SaveTest(frame);
        EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::SaveAs}) << c.chosen;
        EXPECT_EQ(frame.proposed, std::vector<std::string>{""}) << c.chosen;
        EXPECT_EQ(frame.messages, c.refused ? std::vector<Message>{kDamagedFileKept} : std::vector<Message>{})
            << c.chosen;
        EXPECT_EQ(document.modified, c.refused) << c.chosen;
        EXPECT_EQ(document.damagedFile.empty(), !c.refused) << c.chosen;
        EXPECT_EQ(ReadAll(dir.File(c.damaged)), Damaged()) << c.chosen;
        for (const char* companion : {"BAK", "TMP"})
            EXPECT_FALSE(Exists(WinPath(dir.File(c.damaged)).Companion(companion).Text())) << c.chosen;
    }
    // Saved under a new name, the test is ordinary: Save writes in place.
    ResetFrame();
    session.SaveTest(frame);
    EXPECT_TRUE(frame.dialogs.empty());
    EXPECT_TRUE(Exists(dir.File("e2.BAK")));
    EXPECT_EQ(ReadAll(dir.File("e.tvt")), Damaged());
}

// The save prompt's Yes asks for a new name too; without one nothing is given up.
TEST_F(FileCommandsTest, PromptForADamagedTestKeepsItUnlessSavedUnderANewName) {
    OpenDamaged();
    frame.answer = MessageAnswer::Yes;
    EXPECT_FALSE(session.MayGiveUpTest(frame)) << "name dialog cancelled";
    frame.chosenPath = dir.File("exam.tvt");
    session.OpenTest(frame);
    session.NewTest(frame);
    session.CloseTest(frame);
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>(4, PathDialog::SaveAs));
    EXPECT_EQ(std::count(frame.messages.begin(), frame.messages.end(), kDamagedFileKept), 3);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.questionCount, 2);
    frame.chosenPath = dir.File("kept.tvt");
    EXPECT_TRUE(session.MayGiveUpTest(frame));
    EXPECT_EQ(list.title, dir.File("kept.TVT"));
    EXPECT_TRUE(Exists(dir.File("kept.TVT")));
    EXPECT_EQ(ReadAll(dir.File("exam.tvt")), Damaged());
}

// --- Export as web page -------------------------------------------------------

const char kPagePolicy[] = "<meta http-equiv=\"Content-Security-Policy\"";

// The page holds the questions as they are now: a question added since the
// last save is in it, and the test stays as it was, unsaved.
TEST_F(FileCommandsTest, ExportWritesThePageOfTheCurrentQuestionsBesideTheTest) {
    OpenThreeQuestions();
    frame.script.push_back(session_testing::Typing("Venus", "Morning star?", "Yes"));
    session.NewQuestion(frame);
    ASSERT_TRUE(document.modified);
    ResetFrame();
    frame.chosenPath = dir.File("page.html");
    session.ExportWebPage(frame);
    EXPECT_EQ(frame.dialogs, std::vector<PathDialog>{PathDialog::WebPage});
    EXPECT_EQ(frame.proposed, std::vector<std::string>{dir.File("exam.html")});
    EXPECT_TRUE(frame.messages.empty());
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_WEB_PAGE});
    EXPECT_EQ(list.counterUpdates, 1);
    const std::string page = ReadAll(dir.File("page.html"));
    EXPECT_NE(page.find(kPagePolicy), std::string::npos);
    EXPECT_NE(page.find("<title>exam</title>"), std::string::npos);
    for (const char* keyword : {"Zebra", "Apple", "Moon", "Venus", "Morning star?"})
        EXPECT_NE(page.find(keyword), std::string::npos) << keyword;
    EXPECT_FALSE(Exists(dir.File("page.html.partial")));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(ReadAll(dir.File("exam.TVT")), ThreeQuestions());
}

// An existing page is replaced whole; a failed write leaves it as it was.
TEST_F(FileCommandsTest, ExportReplacesAnExistingPageAndAFailedWriteKeepsIt) {
    OpenThreeQuestions();
    WriteAll(dir.File("page.htm"), "old page");
    frame.chosenPath = dir.File("page.htm");
    session.ExportWebPage(frame);
    EXPECT_TRUE(frame.messages.empty());
    EXPECT_NE(ReadAll(dir.File("page.htm")).find(kPagePolicy), std::string::npos);

    // The working file's name is taken by a directory: nothing can be written.
    WriteAll(dir.File("kept.html"), "old page");
    ASSERT_EQ(mkdir(dir.File("kept.html.partial").c_str(), 0700), 0);
    ResetFrame();
    frame.chosenPath = dir.File("kept.html");
    session.ExportWebPage(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{Exclamation(IDS_FILE_ERROR, IDS_WEB_PAGE_CAPTION)});
    EXPECT_EQ(ReadAll(dir.File("kept.html")), "old page");
    EXPECT_EQ(frame.busyDepth, 0);
}

// What Export says, and writes nothing, when it has nothing to export or no
// name a page may take.
TEST_F(FileCommandsTest, ExportRefusalsWriteNothing) {
    struct Case {
        const char* what;
        const char* test;    // nullptr: no test open
        const char* chosen;  // "": the dialog is cancelled
        std::vector<Message> told;
        size_t dialogs;
    };
    const Case cases[] = {
        {"no test", nullptr, "page.html", {Information(IDS_NO_TEST_OPENED, IDS_WEB_PAGE_CAPTION)}, 0},
        {"no questions", "", "page.html", {Information(IDS_NO_QUESTIONS_TO_SAVE, IDS_WEB_PAGE_CAPTION)}, 0},
        {"cancelled", "three", "", {}, 1},
        {"the test's own name", "three", "exam.TVT", {Information(IDS_WEB_PAGE_NAME, IDS_WEB_PAGE_CAPTION)}, 1},
        {"not a page", "three", "page.txt", {Information(IDS_WEB_PAGE_NAME, IDS_WEB_PAGE_CAPTION)}, 1},
        {"missing folder", "three", "missing/page.html", {Exclamation(IDS_FILE_ERROR, IDS_WEB_PAGE_CAPTION)}, 1},
    };
    for (const Case& c : cases) {
        session_testing::TempDir caseDir;
        TestSession caseSession(Directory(caseDir.File("")), caseDir.File("CHANGINGS.TMP"), random);
        session_testing::FakeFrame caseFrame(caseSession.Document());
        session_testing::FakeList caseList(caseSession);
        if (c.test) {
            WriteAll(caseDir.File("exam.TVT"), std::string(c.test).empty() ? std::string(kMagicLine) : ThreeQuestions());
            caseFrame.chosenPath = caseDir.File("exam.TVT");
            caseSession.OpenTest(caseFrame);
            ASSERT_TRUE(caseSession.IsOpen()) << c.what;
            caseFrame.messages.clear();
            caseFrame.dialogs.clear();
        }
        caseFrame.chosenPath = std::string(c.chosen).empty() ? std::string() : caseDir.File(c.chosen);
        caseSession.ExportWebPage(caseFrame);
        EXPECT_EQ(caseFrame.messages, c.told) << c.what;
        EXPECT_EQ(caseFrame.dialogs.size(), c.dialogs) << c.what;
        EXPECT_FALSE(Exists(caseDir.File("page.html"))) << c.what;
        EXPECT_FALSE(Exists(caseDir.File("page.txt"))) << c.what;
        if (c.test && std::string(c.test) == "three") {
            EXPECT_EQ(ReadAll(caseDir.File("exam.TVT")), ThreeQuestions()) << c.what;
        }
        EXPECT_EQ(caseFrame.busyDepth, 0) << c.what;
    }
}

// Attached files the page lacks are listed in qbtool's words, at most twenty
// of them and their count; the page is written without them. Files that are
// there are found as Ask a Question finds them: "*" names in the program
// directory, others beside the test.
TEST_F(FileCommandsTest, ExportListsTheAttachedFilesThePageLacks) {
    WriteAll(dir.File("notes.txt"), "Seen with the naked eye");
    std::string bytes = kMagicLine;
    bytes += Record("Moon", {"Satellite of?", "Earth", "", "", "", "", "notes.txt", "moon.bmp"}, 0);
    bytes += Record("Sun", {"A star?", "Yes", "", "", "", "", "*notes.txt"}, 0);
    for (int i = 0; i < 24; ++i)
        bytes += Record("Q" + std::to_string(i), {"Why?", "So", "", "", "", "", "", "", "gone.txt"}, 0);
    OpenFile("sky.tvt", bytes + "\r\n");
    frame.chosenPath = dir.File("sky.html");
    session.ExportWebPage(frame);
    ASSERT_EQ(frame.messages.size(), 1u);
    const Message& told = frame.messages[0];
    EXPECT_EQ(told.text, IDS_EXPORT_INCOMPLETE);
    EXPECT_EQ(told.caption, IDS_WEB_PAGE_CAPTION);
    EXPECT_EQ(told.icon, MessageIcon::Exclamation);
    ASSERT_EQ(told.arguments.size(), 2u);
    EXPECT_EQ(told.arguments[0], "25");
    const std::string& lines = told.arguments[1];
    EXPECT_EQ(lines.substr(0, lines.find('\n')), "question 1 \"Moon\": question picture \"moon.bmp\" missing");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 20);
    EXPECT_NE(lines.find("question 3 \"Q0\": answer text file \"gone.txt\" missing"), std::string::npos);
    EXPECT_EQ(lines.substr(lines.rfind('\n') + 1), "...");
    const std::string page = ReadAll(dir.File("sky.html"));
    EXPECT_NE(page.find("Seen with the naked eye"), std::string::npos);
}

}  // namespace
}  // namespace qb
