#include "shell/file_commands_core.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>
#include "tests/support/disk_files.h"

namespace qb {
namespace {

using testing_support::ReadAll;
using testing_support::WriteAll;

bool Exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

// One question record as the format lays it out: keyword, ten lengths, status, slots.
std::string Record(const std::string& keyword, const std::vector<std::string>& slots, int status) {
    std::string record = keyword + "\r\n";
    for (int k = 0; k < 10; ++k) {
        record += std::to_string(k < static_cast<int>(slots.size()) ? slots[k].size() : 0) + "\r\n";
    }
    record += std::to_string(status) + "\r\n";
    for (const std::string& slot : slots) record += slot;
    return record;
}

// Zebra (answered, multiple choice), Apple, Moon in file order.
std::string ThreeQuestions() {
    return "QBKX0101A\r\n" + Record("Zebra", {"Stripes?", "Black and white", "Green"}, 1) +
           Record("Apple", {"Fruit?", "Yes"}, 0) + Record("Moon", {"Satellite of?", "Earth"}, 0) + "\r\n";
}

struct ListItem {
    std::string keyword;
    int image;
    int key;
};

class MemoryList : public QuestionList {
public:
    void DeleteAllItems() override { items.clear(); }
    bool InsertItem(const std::string& keyword, int image, int key) override {
        items.push_back({keyword, image, key});
        return true;
    }
    std::vector<ListItem> items;
};

class KeptReports : public DocumentReporter {
public:
    void Report(DocumentMessage message) override { messages.push_back(message); }
    std::vector<DocumentMessage> messages;
};

// Answers the dialogs as told and records what the command showed.
class FakeView : public FileCommandsView {
public:
    PromptAnswer AskToSave() override {
        ++prompts;
        return promptAnswer;
    }
    bool ChoosePath(PathDialog dialog, std::string& path) override {
        dialogs.push_back(dialog);
        proposed.push_back(path);
        if (chosenPath.empty()) return false;
        path = chosenPath;
        return true;
    }
    void ShowDocumentMessage(DocumentMessage message, MessagePlace place) override {
        if (message != DocumentMessage::None) messages.push_back({message, place});
    }
    void ShowSaveWithoutTest() override { ++saveWithoutTest; }
    void BeginBusy(FileBusy busy) override {
        busyTexts.push_back(busy);
        ++busyDepth;
    }
    void EndBusy() override { --busyDepth; }
    QuestionList& List() override { return list; }
    DocumentReporter& Reporter() override { return reports; }
    void HideDisplayedQuestion() override { ++hides; }
    void SetTitle(const std::string& path) override { title = path; }
    void DisableDocumentCommands() override {
        documentCommands = false;
        ask = false;
        resetAll = false;
    }
    void EnableDocumentCommands() override { documentCommands = true; }
    void EnableAsk(bool enabled) override { ask = enabled; }
    void EnableResetAll(bool enabled) override { resetAll = enabled; }
    void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) override {
        counters = {asked, correct, remaining};
        ++counterUpdates;
    }
    void ShowStartupHints() override { ++startupHints; }
    std::string FullPath(const std::string& path) override { return path; }
    void ShowDamagedTest(int32_t questionsRead) override { damagedTests.push_back(questionsRead); }
    void ShowDamagedFileKept() override { ++damagedFileKept; }

    PromptAnswer promptAnswer = PromptAnswer::Cancel;
    std::string chosenPath;
    int prompts = 0;
    std::vector<PathDialog> dialogs;
    std::vector<std::string> proposed;
    std::vector<std::pair<DocumentMessage, MessagePlace>> messages;
    int saveWithoutTest = 0;
    std::vector<FileBusy> busyTexts;
    int busyDepth = 0;
    MemoryList list;
    KeptReports reports;
    int hides = 0;
    std::string title = "untouched";
    bool documentCommands = false;
    bool ask = false;
    bool resetAll = false;
    std::vector<int32_t> counters;
    int counterUpdates = 0;
    int startupHints = 0;
    std::vector<int32_t> damagedTests;
    int damagedFileKept = 0;
};

class FileCommandsTest : public testing::Test {
protected:
    FileCommandContext Context() {
        return FileCommandContext{document, run, dir.File("CHANGINGS.TMP"), fromCommandLine};
    }

    void OpenThreeQuestions(const std::string& name = "exam.TVT") {
        WriteAll(dir.File(name), ThreeQuestions());
        view.chosenPath = dir.File(name);
        FileCommandContext context = Context();
        OpenTestCommand(context, view);
        ASSERT_TRUE(document.IsOpen());
        view = FakeView();
    }

    // A test with Moon cut short, opened: Zebra and Apple are read, the file is damaged.
    void OpenDamaged(const std::string& name = "exam.tvt") {
        WriteAll(dir.File(name), Damaged());
        view = FakeView();
        view.chosenPath = dir.File(name);
        document.modified = false;
        FileCommandContext context = Context();
        OpenTestCommand(context, view);
        ASSERT_TRUE(document.IsOpen());
        ASSERT_EQ(view.damagedTests, std::vector<int32_t>{2});
        view = FakeView();
        document.modified = true;
    }
    static std::string Damaged() { return ThreeQuestions().substr(0, ThreeQuestions().size() - 5); }

    testing_support::ScratchDirectory dir;
    TestDocument document;
    TestRunState run;
    bool fromCommandLine = false;
    FakeView view;
};

TEST_F(FileCommandsTest, NewCreatesTheTestAndTheJournal) {
    view.chosenPath = dir.File("new.tvt");
    FileCommandContext context = Context();
    NewTestCommand(context, view);
    ASSERT_TRUE(document.IsOpen());
    EXPECT_EQ(view.dialogs, std::vector<PathDialog>{PathDialog::New});
    EXPECT_EQ(ReadAll(dir.File("new.tvt")), "QBKX0101A\r\n");
    document.journalFile->Flush();
    EXPECT_EQ(ReadAll(dir.File("CHANGINGS.TMP")), dir.File("new.tvt") + "\r\n");
    EXPECT_TRUE(view.documentCommands);
    EXPECT_FALSE(view.ask);
    EXPECT_EQ(view.title, dir.File("new.tvt"));
    EXPECT_EQ(view.counters, (std::vector<int32_t>{0, 0, 0}));
}

TEST_F(FileCommandsTest, NewCancelledAtTheDialogLeavesNoTest) {
    FileCommandContext context = Context();
    NewTestCommand(context, view);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_EQ(view.dialogs.size(), 1u);
    EXPECT_FALSE(view.documentCommands);
    EXPECT_EQ(view.title, "");
    // Nothing was open: the start-up hints stay in the status bar.
    EXPECT_EQ(view.counterUpdates, 0);
    EXPECT_FALSE(Exists(dir.File("CHANGINGS.TMP")));
}

TEST_F(FileCommandsTest, NewInAMissingDirectoryReportsTheFileError) {
    view.chosenPath = dir.File("missing/new.tvt");
    FileCommandContext context = Context();
    NewTestCommand(context, view);
    EXPECT_FALSE(document.IsOpen());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, DocumentMessage::FileAccess);
    EXPECT_EQ(view.messages[0].second, MessagePlace::Command);
    EXPECT_FALSE(view.documentCommands);
}

TEST_F(FileCommandsTest, OpenShowsTheQuestionsByKeywordWithTheirKeysAndImages) {
    WriteAll(dir.File("exam.tvt"), ThreeQuestions());
    view.chosenPath = dir.File("exam.tvt");
    run.askedCount = 7;
    FileCommandContext context = Context();
    OpenTestCommand(context, view);
    ASSERT_TRUE(document.IsOpen());
    ASSERT_EQ(view.list.items.size(), 3u);
    EXPECT_EQ(view.list.items[0].keyword, "Zebra");
    EXPECT_EQ(view.list.items[0].key, 0);
    EXPECT_EQ(view.list.items[0].image, 3);
    EXPECT_EQ(view.list.items[1].keyword, "Apple");
    EXPECT_EQ(view.list.items[1].key, 1);
    EXPECT_EQ(view.list.items[1].image, 0);
    EXPECT_EQ(view.list.items[2].key, 2);
    EXPECT_EQ(document.questionCount, 3);
    EXPECT_EQ(document.nextKey, 3);
    EXPECT_TRUE(view.ask);
    EXPECT_TRUE(view.resetAll);
    EXPECT_EQ(view.counters, (std::vector<int32_t>{0, 0, 2}));
    EXPECT_EQ(view.busyTexts, std::vector<FileBusy>{FileBusy::Opening});
    EXPECT_EQ(view.busyDepth, 0);
    EXPECT_EQ(view.title, dir.File("exam.tvt"));
}

TEST_F(FileCommandsTest, OpenFromTheCommandLineTakesThePathOnceWithoutTheDialog) {
    WriteAll(dir.File("my exam.tvt"), ThreeQuestions());
    document.testPath = dir.File("my exam.tvt");
    fromCommandLine = true;
    FileCommandContext context = Context();
    OpenTestCommand(context, view);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_FALSE(fromCommandLine);
    OpenTestCommand(context, view);
    EXPECT_EQ(view.dialogs, std::vector<PathDialog>{PathDialog::Open});
}

TEST_F(FileCommandsTest, CommandLineThatDidNotFitReportsTheFileErrorInsteadOfAskingForAName) {
    fromCommandLine = true;
    FileCommandContext context = Context();
    OpenTestCommand(context, view);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_TRUE(view.dialogs.empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, DocumentMessage::FileAccess);
    EXPECT_FALSE(fromCommandLine);
}

TEST_F(FileCommandsTest, AnotherVersionIsRefusedWithAnEmptyList) {
    WriteAll(dir.File("old.tvt"), "QBKX0101B\r\n" + Record("Apple", {"Fruit?", "Yes"}, 0));
    view.chosenPath = dir.File("old.tvt");
    FileCommandContext context = Context();
    OpenTestCommand(context, view);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_TRUE(view.list.items.empty());
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, DocumentMessage::OtherVersion);
    EXPECT_FALSE(view.documentCommands);
}

TEST_F(FileCommandsTest, TestOfOnlyTheMagicLineOpensWithoutAsk) {
    WriteAll(dir.File("empty.tvt"), "QBKX0101A\r\n");
    view.chosenPath = dir.File("empty.tvt");
    FileCommandContext context = Context();
    OpenTestCommand(context, view);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(view.documentCommands);
    EXPECT_FALSE(view.ask);
    EXPECT_FALSE(view.resetAll);
}

TEST_F(FileCommandsTest, CancelInThePromptKeepsTheModifiedTestOpen) {
    OpenThreeQuestions();
    document.modified = true;
    view.promptAnswer = PromptAnswer::Cancel;
    FileCommandContext context = Context();
    NewTestCommand(context, view);
    OpenTestCommand(context, view);
    CloseTestCommand(context, view);
    EXPECT_EQ(view.prompts, 3);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.questionCount, 3);
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_EQ(view.hides, 0);
}

TEST_F(FileCommandsTest, CloseDeletesTheJournalAndShowsTheStartUpHints) {
    OpenThreeQuestions();
    run.rowCount = 3;
    run.heldAnswer = std::string("Earth");
    ASSERT_TRUE(Exists(dir.File("CHANGINGS.TMP")));
    FileCommandContext context = Context();
    CloseTestCommand(context, view);
    EXPECT_FALSE(document.IsOpen());
    EXPECT_FALSE(Exists(dir.File("CHANGINGS.TMP")));
    EXPECT_EQ(document.testPath, "");
    EXPECT_TRUE(view.list.items.empty());
    EXPECT_EQ(view.hides, 1);
    EXPECT_EQ(run.rowCount, 0);
    EXPECT_FALSE(run.heldAnswer.has_value());
    EXPECT_EQ(view.startupHints, 1);
    EXPECT_EQ(view.title, "");
    EXPECT_FALSE(view.documentCommands);
    EXPECT_TRUE(Exists(dir.File("exam.TVT")));
}

TEST_F(FileCommandsTest, SaveWithoutATestSaysSo) {
    FileCommandContext context = Context();
    SaveTestCommand(context, view, false);
    EXPECT_EQ(view.saveWithoutTest, 1);
    EXPECT_TRUE(view.dialogs.empty());
}

TEST_F(FileCommandsTest, SaveKeepsTheOldFileAsBackupAndLeavesNoWorkingFile) {
    OpenThreeQuestions();
    const std::string before = ReadAll(dir.File("exam.TVT"));
    document.modified = true;
    FileCommandContext context = Context();
    SaveTestCommand(context, view, false);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(ReadAll(dir.File("exam.BAK")), before);
    EXPECT_FALSE(Exists(dir.File("exam.TMP")));
    EXPECT_EQ(ReadAll(dir.File("exam.TVT")), before);
    EXPECT_EQ(view.title, dir.File("exam.TVT"));
    EXPECT_EQ(view.busyTexts, std::vector<FileBusy>{FileBusy::Saving});
    EXPECT_EQ(view.counterUpdates, 1);
}

// The save prompt's Yes asks for the missing name too; New without one given
// keeps the test instead of giving it up.
TEST_F(FileCommandsTest, SaveAsCancelledLeavesTheTestWithoutAPathSoSaveAsksAgain) {
    OpenThreeQuestions();
    FileCommandContext context = Context();
    SaveTestCommand(context, view, true);
    EXPECT_EQ(view.dialogs, std::vector<PathDialog>{PathDialog::SaveAs});
    EXPECT_EQ(view.proposed[0], "");
    EXPECT_EQ(document.testPath, "");
    document.modified = true;
    view.promptAnswer = PromptAnswer::Yes;
    NewTestCommand(context, view);
    EXPECT_EQ(view.dialogs, std::vector<PathDialog>(2, PathDialog::SaveAs));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(document.modified);
    view.chosenPath = dir.File("copy.tvt");
    SaveTestCommand(context, view, false);
    ASSERT_EQ(view.dialogs.size(), 3u);
    EXPECT_EQ(view.dialogs[2], PathDialog::SaveAs);
    EXPECT_TRUE(Exists(dir.File("copy.TVT")));
    EXPECT_EQ(view.title, dir.File("copy.TVT"));
    EXPECT_EQ(ReadAll(dir.File("exam.TVT")), ThreeQuestions());
}

TEST_F(FileCommandsTest, SaveOfATestWithoutQuestionsSaysSo) {
    WriteAll(dir.File("empty.tvt"), "QBKX0101A\r\n");
    view.chosenPath = dir.File("empty.tvt");
    FileCommandContext context = Context();
    OpenTestCommand(context, view);
    view = FakeView();
    SaveTestCommand(context, view, false);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, DocumentMessage::NoQuestions);
    EXPECT_EQ(view.messages[0].second, MessagePlace::Save);
}

TEST_F(FileCommandsTest, GivingUpAnUnchangedTestAsksNothing) {
    OpenThreeQuestions();
    FileCommandContext context = Context();
    EXPECT_TRUE(MayGiveUpTest(context, view));
    EXPECT_EQ(view.prompts, 0);
}

TEST_F(FileCommandsTest, GivingUpAfterCancelOrAFailedSaveIsRefused) {
    OpenThreeQuestions();
    document.modified = true;
    FileCommandContext context = Context();
    view.promptAnswer = PromptAnswer::Cancel;
    EXPECT_FALSE(MayGiveUpTest(context, view));
    EXPECT_TRUE(document.modified);
    // Without a path (Save as stopped) a name is asked for; one in a missing folder fails the save.
    document.testPath.clear();
    view.promptAnswer = PromptAnswer::Yes;
    view.chosenPath = dir.File("missing/exam.tvt");
    EXPECT_FALSE(MayGiveUpTest(context, view));
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(view.dialogs, std::vector<PathDialog>{PathDialog::SaveAs});
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].first, DocumentMessage::FileAccess);
    EXPECT_EQ(view.messages[0].second, MessagePlace::Save);
}

TEST_F(FileCommandsTest, GivingUpWithYesSavesAndWithNoDoesNot) {
    OpenThreeQuestions();
    document.head->next->status = 1;  // Apple answered in memory only
    document.modified = true;
    FileCommandContext context = Context();
    view.promptAnswer = PromptAnswer::No;
    EXPECT_TRUE(MayGiveUpTest(context, view));
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(Exists(dir.File("exam.BAK")));
    document.modified = true;
    view.promptAnswer = PromptAnswer::Yes;
    EXPECT_TRUE(MayGiveUpTest(context, view));
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
        view.chosenPath = dir.File(c.chosen);
        FileCommandContext context = Context();
        SaveTestCommand(context, view, false);
        EXPECT_EQ(view.dialogs, std::vector<PathDialog>{PathDialog::SaveAs}) << c.chosen;
        EXPECT_EQ(view.proposed, std::vector<std::string>{""}) << c.chosen;
        EXPECT_EQ(view.damagedFileKept, c.refused ? 1 : 0) << c.chosen;
        EXPECT_EQ(document.modified, c.refused) << c.chosen;
        EXPECT_EQ(document.damagedFile.empty(), !c.refused) << c.chosen;
        EXPECT_EQ(ReadAll(dir.File(c.damaged)), Damaged()) << c.chosen;
        for (const char* companion : {"BAK", "TMP"})
            EXPECT_FALSE(Exists(CompanionName(dir.File(c.damaged), companion))) << c.chosen;
    }
    // Saved under a new name, the test is ordinary: Save writes in place.
    view = FakeView();
    FileCommandContext context = Context();
    SaveTestCommand(context, view, false);
    EXPECT_TRUE(view.dialogs.empty());
    EXPECT_TRUE(Exists(dir.File("e2.BAK")));
    EXPECT_EQ(ReadAll(dir.File("e.tvt")), Damaged());
}

// The save prompt's Yes asks for a new name too; without one nothing is given up.
TEST_F(FileCommandsTest, PromptForADamagedTestKeepsItUnlessSavedUnderANewName) {
    OpenDamaged();
    view.promptAnswer = PromptAnswer::Yes;
    FileCommandContext context = Context();
    EXPECT_FALSE(MayGiveUpTest(context, view)) << "name dialog cancelled";
    view.chosenPath = dir.File("exam.tvt");
    OpenTestCommand(context, view);
    NewTestCommand(context, view);
    CloseTestCommand(context, view);
    EXPECT_EQ(view.dialogs, std::vector<PathDialog>(4, PathDialog::SaveAs));
    EXPECT_EQ(view.damagedFileKept, 3);
    EXPECT_TRUE(document.IsOpen());
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(document.questionCount, 2);
    view.chosenPath = dir.File("kept.tvt");
    EXPECT_TRUE(MayGiveUpTest(context, view));
    EXPECT_EQ(view.title, dir.File("kept.TVT"));
    EXPECT_TRUE(Exists(dir.File("kept.TVT")));
    EXPECT_EQ(ReadAll(dir.File("exam.tvt")), Damaged());
}

}  // namespace
}  // namespace qb
