// New Question, Edit Question and Remove Question of the session, with the
// editor's real Accept behind the question dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/disk_files.h"
#include "tests/unit/shell/session_fakes.h"

namespace qb {
namespace {

using session_testing::Typed;
using session_testing::Typing;
using testing_support::ReadAll;

Typed Cancel() {
    return Typed{};
}

// A memory that can refuse nodes.
class CountedMemory final : public DocumentMemory {
public:
    bool refuse = false;
    QuestionNode* NewNode() override { return refuse ? nullptr : DocumentMemory::NewNode(); }
};

class QuestionChanges : public session_testing::SessionTest {
protected:
    void SetUp() override {
        frame.chosenPath = dir.File("astronomy.tvt");
        session.NewTest(frame);
        ASSERT_TRUE(document.IsOpen());
        ResetFrame();
        frame.answer = MessageAnswer::Yes;
        document.memory = &memory;
        journalPath = dir.File("CHANGINGS.TMP");
    }

    void Add(const Typed& typed) {
        frame.script.push_back(typed);
        session.NewQuestion(frame);
    }

    // Keys of the index in its order.
    std::vector<int32_t> IndexKeys() const {
        std::vector<int32_t> keys;
        for (QuestionNode* node = document.head; node; node = node->next) keys.push_back(node->key);
        return keys;
    }

    // Adds the three questions of an astronomy test.
    void AddThree() {
        Add(Typing("Zodiac", "How many signs has the zodiac?", "Twelve"));
        Add(Typing("Asteroids", "Where lies the main asteroid belt?", "Between Mars and Jupiter",
                   {"Beyond Neptune", "", "Between Venus and Earth", ""}));
        Add(Typing("Moon", "What does the Moon show\r\nat new moon?", "Its dark side"));
    }

    // Practises the question of key until it is answered; draws places its answers.
    void Answer(int32_t key, const std::vector<int>& draws = {}) {
        random.Append(draws);
        list.Select(key);
        session.AskQuestion(frame);
        session.MarkAnswered(frame);
        ASSERT_TRUE(session.IsAnswered(key));
        ResetFrame();
    }
    std::vector<int> ThreeAnswersInOrder() const {
        return {DrawForPosition(0, 3), DrawForPosition(1, 3), DrawForPosition(2, 3)};
    }
    int32_t Remaining() const { return session.CurrentCounters().remaining; }
    std::vector<std::string> Confirmations() const {
        std::vector<std::string> keywords;
        for (const Message& message : frame.messages)
            if (message.text == IDS_CONFIRM_DELETE) keywords.push_back(message.arguments.at(0));
        return keywords;
    }

    CountedMemory memory;
    TestDocument& document = session.Document();
    std::string journalPath;
};

TEST_F(QuestionChanges, NewQuestionsAreListedByKeywordAndIndexedInOrderAdded) {
    AddThree();
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"Asteroids", "Moon", "Zodiac"}));
    EXPECT_EQ(list.Row(0)->image, 0);
    EXPECT_EQ(list.Row(1)->image, 2);
    EXPECT_EQ(list.Row(2)->image, 0);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(document.questionCount, 3);
    EXPECT_EQ(document.nextKey, 3);
    EXPECT_EQ(list.counters, (std::vector<int32_t>{0, 0, 3}));
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(Enabled(IDM_TEST_ASK));
    EXPECT_FALSE(Enabled(IDM_TEST_SHOW_ANSWER));
    EXPECT_FALSE(Enabled(IDM_TEST_MARK_ANSWERED));
    for (QuestionNode* node = document.head; node; node = node->next) EXPECT_TRUE(node->inJournal);
}

TEST_F(QuestionChanges, SavedTestHoldsTheNewQuestionsInTheOrderAdded) {
    AddThree();
    ASSERT_EQ(qb::SaveTest(document), DocumentMessage::None);
    std::string saved = ReadAll(document.testPath);
    std::string expected =
        "QBKX0101A\r\n"
        "Zodiac\r\n30\r\n6\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "How many signs has the zodiac?Twelve"
        "Asteroids\r\n34\r\n24\r\n14\r\n0\r\n23\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "Where lies the main asteroid belt?Between Mars and JupiterBeyond NeptuneBetween Venus and Earth"
        "Moon\r\n37\r\n13\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
        "What does the Moon show\x02\x01"
        "at new moon?Its dark side"
        "\r\n";
    EXPECT_EQ(saved, expected);
}

TEST_F(QuestionChanges, CancelledDialogAddsNothing) {
    Add(Cancel());
    EXPECT_EQ(frame.dialogModes, std::vector<EditorMode>{EditorMode::Define});
    EXPECT_EQ(document.head, nullptr);
    EXPECT_TRUE(list.rows.empty());
    EXPECT_EQ(document.questionCount, 0);
    EXPECT_EQ(document.nextKey, 0);
    EXPECT_EQ(Remaining(), 0);
    EXPECT_FALSE(document.modified);
}

// A New Question sent to the main window while the dialog runs.
class NestedNewQuestion final : public FrameView {
public:
    NestedNewQuestion(TestSession& session, FrameView& frame) : session_(session), frame_(frame) {}
    MessageAnswer Show(const Message& message) override { return frame_.Show(message); }
    bool ChoosePath(PathDialog dialog, std::string& path) override { return frame_.ChoosePath(dialog, path); }
    int RunQuestionDialog(EditorMode, QuestionNode&, std::string&) override {
        session_.NewQuestion(frame_);
        return 0;
    }
    int32_t ShowFindings(const std::vector<Finding>& findings) override { return frame_.ShowFindings(findings); }
    bool RunImportDialog(const std::string& bytes, TableOptions& options) override {
        return frame_.RunImportDialog(bytes, options);
    }
    void ShowRowErrors(const std::vector<RowError>& errors, size_t notListed) override {
        frame_.ShowRowErrors(errors, notListed);
    }
    void BeginBusy(int text) override { frame_.BeginBusy(text); }
    void EndBusy() override { frame_.EndBusy(); }
    std::string FullPath(const std::string& path) override { return path; }
    void ShowHelp() override {}
    void ShowAbout() override {}
    void ChooseQuestionFont() override {}
    void Exit() override {}

private:
    TestSession& session_;
    FrameView& frame_;
};

TEST_F(QuestionChanges, NewQuestionWhileOneIsPendingIsRefused) {
    NestedNewQuestion nested(session, frame);
    session.NewQuestion(nested);
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_NOT_POSSIBLE_NOW, IDS_DEFINE_QUESTION_CAPTION)});
    EXPECT_TRUE(frame.dialogModes.empty());
    EXPECT_EQ(document.questionCount, 0);
}

TEST_F(QuestionChanges, NewQuestionNeedsAnOpenTest) {
    session.CloseTest(frame);
    Add(Typing("Sun", "Star?", "Yes"));
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_NEED_OPEN_TEST, IDS_DEFINE_QUESTION_CAPTION)});
    EXPECT_TRUE(frame.dialogModes.empty());
    EXPECT_FALSE(Enabled(IDM_TEST_SHOW_ANSWER));
}

TEST_F(QuestionChanges, NoMemoryForTheNodeRunsNoDialog) {
    memory.refuse = true;
    Add(Typing("Sun", "Star?", "Yes"));
    EXPECT_EQ(frame.messages, std::vector<Message>{Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION)});
    EXPECT_TRUE(frame.dialogModes.empty());
}

TEST_F(QuestionChanges, EditingAnAnsweredQuestionMakesItUnanswered) {
    AddThree();
    QuestionNode* asteroids = FindNode(document, 1);
    Answer(1, ThreeAnswersInOrder());
    document.modified = false;
    list.Select(1);

    frame.script.push_back(Typing("Asteroid belt", "Where lies the main asteroid belt?", "Between Mars and Jupiter"));
    session.EditQuestion(frame);
    EXPECT_EQ(frame.dialogModes.back(), EditorMode::Edit);
    EXPECT_EQ(asteroids->status, 0);
    EXPECT_EQ(Remaining(), 3);
    EXPECT_EQ(list.counters[2], 3);
    const session_testing::ListRow* item = list.Row(1);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text, "Asteroid belt");
    EXPECT_EQ(item->image, 0);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(session.SelectedKey(), -1);
    EXPECT_EQ(list.highlighted, -1);
    EXPECT_FALSE(Enabled(IDM_QUESTION_EDIT));
    EXPECT_FALSE(Enabled(IDM_QUESTION_REMOVE));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
}

TEST_F(QuestionChanges, CancelledEditKeepsTheQuestionAnswered) {
    AddThree();
    QuestionNode* moon = FindNode(document, 2);
    Answer(2);
    int64_t position = moon->position;
    document.modified = false;
    list.Select(2);
    frame.script.push_back(Cancel());
    session.EditQuestion(frame);
    EXPECT_EQ(moon->status, 1);
    EXPECT_EQ(moon->position, position);
    EXPECT_EQ(Remaining(), 2);
    EXPECT_EQ(list.Row(2)->image, 1);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(session.SelectedKey(), -1);
}

TEST_F(QuestionChanges, EditingTwiceLeavesTwoRecordsAndTheSaveKeepsTheSecond) {
    Add(Typing("Sun", "What is the Sun?", "A star"));
    ASSERT_EQ(qb::SaveTest(document), DocumentMessage::None);
    list.Select(0);
    frame.script.push_back(Typing("Sun", "What is the Sun?", "A yellow dwarf"));
    session.EditQuestion(frame);
    list.Select(0);
    frame.script.push_back(Typing("Sun", "What is the Sun?", "A G-type star"));
    session.EditQuestion(frame);

    std::string journal = ReadAll(journalPath);
    EXPECT_NE(journal.find("A yellow dwarf"), std::string::npos);
    EXPECT_NE(journal.find("A G-type star"), std::string::npos);
    ASSERT_EQ(qb::SaveTest(document), DocumentMessage::None);
    EXPECT_EQ(ReadAll(document.testPath),
              "QBKX0101A\r\nSun\r\n16\r\n13\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
              "What is the Sun?A G-type star\r\n");
}

TEST_F(QuestionChanges, RemovalAsksWithTheKeywordAndNoKeepsEverything) {
    AddThree();
    list.Select(1);
    frame.answer = MessageAnswer::No;
    document.modified = false;
    session.RemoveQuestion(frame);
    EXPECT_EQ(Confirmations(), std::vector<std::string>{"Asteroids"});
    EXPECT_EQ(frame.messages[0].caption, IDS_DELETE_CAPTION);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(list.rows.size(), 3u);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(session.SelectedKey(), -1);
    EXPECT_FALSE(Enabled(IDM_QUESTION_REMOVE));
}

TEST_F(QuestionChanges, RemovedQuestionIsLeftOutAndKeysAreNeverReused) {
    AddThree();
    list.Select(1);
    session.RemoveQuestion(frame);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"Moon", "Zodiac"}));
    EXPECT_EQ(document.questionCount, 2);
    EXPECT_EQ(Remaining(), 2);
    EXPECT_EQ(list.counters[2], 2);

    Add(Typing("Comets", "What is a comet's tail made of?", "Gas and dust"));
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 2, 3}));
    EXPECT_EQ(list.Row(3)->text, "Comets");

    ASSERT_EQ(qb::SaveTest(document), DocumentMessage::None);
    std::string saved = ReadAll(document.testPath);
    EXPECT_EQ(saved.find("Asteroids"), std::string::npos);
    size_t zodiac = saved.find("Zodiac");
    size_t moon = saved.find("Moon\r\n");
    size_t comets = saved.find("Comets");
    ASSERT_NE(comets, std::string::npos);
    EXPECT_LT(zodiac, moon);
    EXPECT_LT(moon, comets);
}

TEST_F(QuestionChanges, RemovingTheHeadMakesItsSuccessorTheHead) {
    AddThree();
    list.Select(0);
    session.RemoveQuestion(frame);
    ASSERT_NE(document.head, nullptr);
    EXPECT_EQ(document.head->key, 1);
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{1, 2}));
}

TEST_F(QuestionChanges, RemovingAnAnsweredQuestionKeepsRemainingAndEndsResetAll) {
    AddThree();
    Answer(2);
    EXPECT_TRUE(Enabled(IDM_TEST_RESET_ALL));
    list.Select(2);
    session.RemoveQuestion(frame);
    EXPECT_EQ(Remaining(), 2);
    EXPECT_EQ(document.questionCount, 2);
    EXPECT_FALSE(Enabled(IDM_TEST_RESET_ALL));
}

TEST_F(QuestionChanges, RemovalWhileAnotherIsAnsweredKeepsResetAll) {
    AddThree();
    Answer(2);
    list.Select(0);
    session.RemoveQuestion(frame);
    EXPECT_EQ(Remaining(), 1);
    EXPECT_TRUE(Enabled(IDM_TEST_RESET_ALL));
}

TEST_F(QuestionChanges, RemovalForgetsTheCurrentAndTheRemovedLastAsked) {
    AddThree();
    list.Select(0);
    session.AskQuestion(frame);
    ASSERT_EQ(session.CurrentQuestion(), FindNode(document, 0));
    list.Select(2);
    session.RemoveQuestion(frame);
    EXPECT_EQ(session.CurrentQuestion(), nullptr);
    EXPECT_EQ(session.LastAsked(), FindNode(document, 0));

    random.Append(ThreeAnswersInOrder());
    list.Select(1);
    session.AskQuestion(frame);
    list.Select(1);
    session.RemoveQuestion(frame);
    EXPECT_EQ(session.LastAsked(), nullptr);
}

TEST_F(QuestionChanges, RemovingTheLastQuestionEmptiesTheIndexAndDisablesAsking) {
    Add(Typing("Sun", "What is the Sun?", "A star"));
    list.Select(0);
    session.RemoveQuestion(frame);
    EXPECT_EQ(document.head, nullptr);
    EXPECT_EQ(document.questionCount, 0);
    EXPECT_EQ(Remaining(), 0);
    for (int command : {IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET_ALL})
        EXPECT_FALSE(Enabled(command)) << command;
}

TEST_F(QuestionChanges, EditAndRemoveWithoutSelectionOnlyResetTheCommands) {
    AddThree();
    document.modified = false;
    frame.script.push_back(Typing("X", "Y", "Z"));
    session.EditQuestion(frame);
    session.RemoveQuestion(frame);
    EXPECT_EQ(frame.dialogModes.size(), 3u);  // only the three New Question dialogs
    EXPECT_TRUE(Confirmations().empty());
    EXPECT_FALSE(document.modified);
    EXPECT_FALSE(Enabled(IDM_QUESTION_EDIT));
}

// The rows move when a question sorts in before them; Edit and Remove still
// work on the row of the selected question, found by its key.
TEST_F(QuestionChanges, EditAndRemoveFindTheSelectedRowAfterANewQuestionMovedIt) {
    AddThree();
    list.Select(2);  // Moon, the second row
    Add(Typing("Aldebaran", "Which star is the eye of the bull?", "Aldebaran"));
    ASSERT_EQ(list.Texts(), (std::vector<std::string>{"Aldebaran", "Asteroids", "Moon", "Zodiac"}));
    frame.script.push_back(Typing("New moon", "What does the Moon show at new moon?", "Its dark side"));
    session.EditQuestion(frame);
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"Aldebaran", "Asteroids", "New moon", "Zodiac"}));
    EXPECT_EQ(list.Row(2)->text, "New moon");
    list.Select(2);
    session.RemoveQuestion(frame);
    EXPECT_EQ(Confirmations(), std::vector<std::string>{"New moon"});
    EXPECT_EQ(list.Texts(), (std::vector<std::string>{"Aldebaran", "Asteroids", "Zodiac"}));
    EXPECT_EQ(IndexKeys(), (std::vector<int32_t>{0, 1, 3}));
}

}  // namespace
}  // namespace qb
