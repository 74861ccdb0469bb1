#include "shell/practice_core.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/unit/shell/sequence_random.h"

namespace qb {
namespace {

// The windows of the main program in memory. The question list is modelled
// with the notifications the real list sends: an image change or a cleared
// selection reaches the item-changed handling, which takes it as a
// selection unless our own deselection is pending.
class FakeView : public TestRunView {
public:
    FakeView(TestRunState& run, TestDocument& document) : run_(run), document_(document) {}

    void ShowMessage(RunMessage message) override { messages.push_back(message); }
    void EnableCommand(RunCommand command, bool on) override { enabled[command] = on; }
    void BeginBusy(BusyText text) override {
        EXPECT_FALSE(busy) << "busy twice";
        busy = true;
        busyTexts.push_back(text);
    }
    void EndBusy() override {
        EXPECT_TRUE(busy) << "cursor restored without a wait cursor";
        busy = false;
    }
    void UpdateCounters(int32_t a, int32_t c, int32_t r) override {
        asked = a;
        correct = c;
        remaining = r;
        ++counterUpdates;
    }
    void ChangeListImage(int32_t key, int delta) override {
        images[key] += delta;
        ItemChanged(key);
    }
    void ClearForQuestion() override { ++clears; }
    bool DisplayQuestion(QuestionNode* node) override {
        displayed.push_back(node);
        if (node == nullptr || !displayWorks) return false;
        run_.heldAnswer = "answer " + std::to_string(node->key);
        run_.answerTextFile = answerText;
        run_.answerPictureFile = answerPicture;
        run_.rowCount = 3;
        return true;
    }
    void RevealAnswer(const std::string& answer) override { revealed.push_back(answer); }
    void ShowAttachedText(const std::string& name) override { texts.push_back(name); }
    void ShowAttachedPicture(const std::string& name) override { pictures.push_back(name); }
    bool ListItemHasSelection(int32_t item) override { return item == highlightedItem; }
    void ClearListItemState(int32_t item) override {
        if (item != highlightedItem) return;
        highlightedItem = -1;
        ItemChanged(-1);
    }

    // The user clicks the item showing key.
    void SelectItem(int32_t key) {
        highlightedItem = key;
        ItemChanged(key);
    }

    bool On(RunCommand command) const {
        auto it = enabled.find(command);
        return it != enabled.end() && it->second;
    }
    bool Off(RunCommand command) const {
        auto it = enabled.find(command);
        return it != enabled.end() && !it->second;
    }

    std::vector<RunMessage> messages;
    std::map<RunCommand, bool> enabled;
    std::vector<BusyText> busyTexts;
    bool busy = false;
    int32_t asked = -1, correct = -1, remaining = -1;
    int counterUpdates = 0;
    std::map<int32_t, int> images;
    int clears = 0;
    std::vector<QuestionNode*> displayed;
    bool displayWorks = true;
    std::string answerText, answerPicture;
    std::vector<std::string> revealed, texts, pictures;
    int32_t highlightedItem = -1;

private:
    // The item-changed handling of the question list; items are kept in key order here.
    void ItemChanged(int32_t key) {
        if (run_.ownDeselectPending) {
            document_.selectedKey = -1;
            run_.ownDeselectPending = false;
            enabled[RunCommand::EditQuestion] = false;
            enabled[RunCommand::RemoveQuestion] = false;
            return;
        }
        document_.selectedKey = key;
        document_.selectedItem = key;
        enabled[RunCommand::ResetQuestion] = images[key] % 2 == 1;
        enabled[RunCommand::EditQuestion] = true;
        enabled[RunCommand::RemoveQuestion] = true;
        enabled[RunCommand::ShowAnswer] = false;
        enabled[RunCommand::MarkAnswered] = false;
    }

    TestRunState& run_;
    TestDocument& document_;
};

// A test with questions of the given statuses, keys 0, 1, 2, ...; all
// multiple-choice, so list images are 2 + status.
class TestRun : public testing::Test {
protected:
    void Load(const std::vector<int>& statuses) {
        for (size_t i = 0; i < statuses.size(); ++i) {
            auto* node = new QuestionNode;
            node->key = static_cast<int32_t>(i);
            node->status = statuses[i];
            AppendNode(document, node);
            view.images[node->key] = 2 + statuses[i];
            if (statuses[i] == 0) ++run.remainingCount;
        }
        document.questionCount = static_cast<int32_t>(statuses.size());
    }
    QuestionNode* Node(int32_t key) { return FindNode(document, key); }
    void Ask(int steps = 5) {
        SequenceRandom random({DrawForSteps(steps)});
        AskQuestion(run, document, random, view);
    }

    TestDocument document;
    TestRunState run;
    FakeView view{run, document};
};

TEST_F(TestRun, SelectedQuestionIsAskedWhateverItsStatus) {
    Load({0, 1, 0});
    view.SelectItem(1);
    SequenceRandom noDraws({});
    AskQuestion(run, document, noDraws, view);
    ASSERT_EQ(view.displayed.size(), 1u);
    EXPECT_EQ(view.displayed[0], Node(1));
    EXPECT_EQ(run.currentQuestion, Node(1));
    EXPECT_EQ(run.lastAsked, Node(1));
    EXPECT_TRUE(view.Off(RunCommand::MarkAnswered)) << "an answered question cannot be marked";
    EXPECT_TRUE(view.On(RunCommand::ShowAnswer));
    EXPECT_TRUE(view.Off(RunCommand::EditQuestion));
    EXPECT_TRUE(view.Off(RunCommand::RemoveQuestion));
    EXPECT_TRUE(view.Off(RunCommand::ResetQuestion));
    EXPECT_EQ(document.selectedKey, -1);
    EXPECT_EQ(view.highlightedItem, -1) << "the list selection is cleared";
    EXPECT_FALSE(run.ownDeselectPending) << "the notification took the flag back";
    EXPECT_EQ(view.asked, 1);
    EXPECT_EQ(view.busyTexts, std::vector<BusyText>{BusyText::Question});
    EXPECT_FALSE(view.busy);
    EXPECT_EQ(view.clears, 1);
}

TEST_F(TestRun, RandomPickStartsFromTheCurrentQuestion) {
    Load({0, 0, 0, 0, 0, 0, 0});
    Ask(5);
    EXPECT_EQ(run.currentQuestion, Node(4));
    EXPECT_TRUE(view.On(RunCommand::MarkAnswered));
    ShowAnswer(run, view);
    Ask(6);  // 5, 6, 0, 1, 2, 3
    EXPECT_EQ(run.currentQuestion, Node(3));
    MarkAsAnswered(run, document, view);
    Ask(5);  // from before the head
    EXPECT_EQ(run.currentQuestion, Node(4));
    EXPECT_EQ(view.asked, 3);
    EXPECT_FALSE(run.ownDeselectPending) << "nothing was selected, so nothing may stay pending";
}

TEST_F(TestRun, NothingToAskLeavesEverythingAlone) {
    Ask();
    Load({1, 1});
    run.wrongChoice = true;
    Ask();
    EXPECT_EQ(view.messages,
              (std::vector<RunMessage>{RunMessage::NoQuestionAvailable, RunMessage::NoQuestionAvailable}));
    EXPECT_FALSE(run.wrongChoice);
    EXPECT_EQ(run.askedCount, 0);
    EXPECT_TRUE(view.displayed.empty());
    EXPECT_TRUE(view.busyTexts.empty());
}

TEST_F(TestRun, FailedDisplayStillCountsAsAsked) {
    Load({0, 0});
    view.displayWorks = false;
    Ask();
    EXPECT_EQ(view.messages, std::vector<RunMessage>{RunMessage::DisplayFailed});
    EXPECT_FALSE(run.heldAnswer);
    EXPECT_EQ(view.asked, 1);
    EXPECT_TRUE(view.On(RunCommand::ShowAnswer));
    ShowAnswer(run, view);
    EXPECT_EQ(view.messages.back(), RunMessage::NoQuestionDisplayed);
}

TEST_F(TestRun, ShowAnswerRevealsOnceAndShowsTheAnswerFiles) {
    Load({0});
    view.answerPicture = "*answer.bmp";
    Ask();
    run.wrongChoice = true;
    ShowAnswer(run, view);
    EXPECT_EQ(view.revealed, std::vector<std::string>{"answer 0"});
    EXPECT_TRUE(view.texts.empty()) << "no answer text file, the question's stays";
    EXPECT_EQ(view.pictures, std::vector<std::string>{"*answer.bmp"});
    EXPECT_FALSE(run.heldAnswer);
    EXPECT_TRUE(run.answerShown);
    EXPECT_TRUE(view.Off(RunCommand::ShowAnswer));
    EXPECT_TRUE(view.Off(RunCommand::ResetQuestion));
    EXPECT_TRUE(view.On(RunCommand::MarkAnswered)) << "Mark as answered keeps its state";
    EXPECT_EQ(run.currentQuestion, Node(0));
    EXPECT_TRUE(run.wrongChoice);
    EXPECT_EQ(view.busyTexts.back(), BusyText::Answer);
    ShowAnswer(run, view);
    EXPECT_EQ(view.revealed.size(), 1u);
    EXPECT_EQ(view.messages, std::vector<RunMessage>{RunMessage::NoQuestionDisplayed});
}

TEST_F(TestRun, RightAnswerClickedIsRevealedAndCounted) {
    Load({0, 0, 1});
    Ask(5);  // node 4 does not exist: 0, 1, 2, 0, 1 -> node 1
    ASSERT_EQ(run.currentQuestion, Node(1));
    EXPECT_EQ(JudgeMarkerClick(run, 2, "answer 1"), MarkerClick::RightAnswer);
    ShowAnswer(run, view);
    MarkAsAnswered(run, document, view);
    EXPECT_EQ(Node(1)->status, 1);
    EXPECT_EQ(view.images[1], 3);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(view.asked, 1);
    EXPECT_EQ(view.correct, 1);
    EXPECT_EQ(view.remaining, 1);
    EXPECT_TRUE(view.On(RunCommand::ResetAll));
    EXPECT_TRUE(view.Off(RunCommand::MarkAnswered));
    EXPECT_TRUE(view.Off(RunCommand::ResetQuestion));
    EXPECT_TRUE(view.Off(RunCommand::EditQuestion));
    EXPECT_EQ(document.selectedKey, -1) << "the image change is not a selection";
    EXPECT_EQ(run.currentQuestion, nullptr);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(TestRun, WrongClickSpoilsTheQuestionForThisAsking) {
    Load({0, 0});
    Ask();
    const std::string right = *run.heldAnswer;
    EXPECT_EQ(JudgeMarkerClick(run, 0, "Venus"), MarkerClick::WrongAnswer);
    EXPECT_EQ(JudgeMarkerClick(run, 3, "Pluto"), MarkerClick::WrongAnswer);
    EXPECT_TRUE(run.wrongChoice);
    EXPECT_EQ(JudgeMarkerClick(run, 1, right), MarkerClick::RightAnswer);
    ShowAnswer(run, view);
    QuestionNode* asked = run.currentQuestion;
    MarkAsAnswered(run, document, view);
    EXPECT_EQ(asked->status, 0);
    EXPECT_EQ(view.correct, 0);
    EXPECT_EQ(view.remaining, 2);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(run.currentQuestion, nullptr);
    MarkAsAnswered(run, document, view);
    EXPECT_EQ(view.messages, std::vector<RunMessage>{RunMessage::NoQuestionDisplayed});
    // The next asking starts afresh.
    Ask();
    EXPECT_FALSE(run.wrongChoice);
}

TEST_F(TestRun, MarkingTheLastQuestionDisablesAsking) {
    Load({1, 0, 1});
    Ask();
    MarkAsAnswered(run, document, view);
    EXPECT_EQ(view.remaining, 0);
    EXPECT_TRUE(view.Off(RunCommand::Ask));
    EXPECT_EQ(view.messages, std::vector<RunMessage>{RunMessage::AllAnswered});
}

TEST_F(TestRun, AnsweredQuestionAskedFromTheListStaysAsItIs) {
    Load({1, 0});
    view.SelectItem(0);
    Ask();
    MarkAsAnswered(run, document, view);
    EXPECT_EQ(Node(0)->status, 1);
    EXPECT_EQ(view.images[0], 3);
    EXPECT_EQ(view.correct, 0);
    EXPECT_EQ(view.remaining, 1);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(TestRun, ResetQuestionUnmarksTheSelectedQuestion) {
    Load({1, 0, 1});
    run.askedCount = 4;
    run.correctCount = 2;
    view.SelectItem(2);
    EXPECT_TRUE(view.On(RunCommand::ResetQuestion));
    ResetQuestion(run, document, view);
    EXPECT_EQ(Node(2)->status, 0);
    EXPECT_EQ(view.images[2], 2);
    EXPECT_EQ(view.remaining, 2);
    EXPECT_EQ(view.asked, 4);
    EXPECT_EQ(view.correct, 2);
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(view.On(RunCommand::Ask));
    EXPECT_TRUE(view.Off(RunCommand::ResetQuestion));
    EXPECT_TRUE(view.Off(RunCommand::EditQuestion));
    EXPECT_EQ(document.selectedKey, -1);
    EXPECT_EQ(view.highlightedItem, -1);
    EXPECT_FALSE(run.ownDeselectPending);
}

TEST_F(TestRun, ResetQuestionWithoutAnAnsweredSelectionChangesNoStatus) {
    Load({1, 0});
    ResetQuestion(run, document, view);
    view.SelectItem(1);
    ResetQuestion(run, document, view);
    EXPECT_EQ(Node(0)->status, 1);
    EXPECT_EQ(run.remainingCount, 1);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(view.enabled.count(RunCommand::Ask), 0u);
    EXPECT_EQ(run.currentQuestion, nullptr);
}

TEST_F(TestRun, ResetAllKeepsAskedAndCorrect) {
    Load({1, 0, 1, 1});
    run.askedCount = 7;
    run.correctCount = 3;
    ResetAllQuestions(run, document, view);
    for (int32_t key = 0; key < 4; ++key) {
        EXPECT_EQ(Node(key)->status, 0);
        EXPECT_EQ(view.images[key], 2);
    }
    EXPECT_EQ(view.asked, 7);
    EXPECT_EQ(view.correct, 3);
    EXPECT_EQ(view.remaining, 4);
    EXPECT_TRUE(view.On(RunCommand::Ask));
    EXPECT_TRUE(view.Off(RunCommand::ResetAll));
    EXPECT_TRUE(view.Off(RunCommand::ResetQuestion));
    EXPECT_EQ(view.busyTexts, std::vector<BusyText>{BusyText::Resetting});
    EXPECT_FALSE(view.busy);
    EXPECT_TRUE(document.modified);
}

TEST_F(TestRun, ResetAllLeavesTheSelectionAsTheUserLeftIt) {
    Load({0, 1, 1, 0, 0, 0, 0});
    ResetAllQuestions(run, document, view);
    EXPECT_EQ(document.selectedKey, -1) << "image changes are no selection";
    Ask(5);  // random: 0, 1, 2, 3, 4
    EXPECT_EQ(run.currentQuestion, Node(4));
    MarkAsAnswered(run, document, view);
    view.SelectItem(1);
    ResetAllQuestions(run, document, view);
    EXPECT_EQ(Node(4)->status, 0);
    EXPECT_EQ(document.selectedKey, 1) << "the item the user selected, not the one reset";
}

TEST_F(TestRun, ResetAllWithoutQuestionsReports) {
    ResetAllQuestions(run, document, view);
    EXPECT_EQ(view.messages, std::vector<RunMessage>{RunMessage::NoQuestionAvailable});
    EXPECT_TRUE(view.busyTexts.empty());
}

TEST_F(TestRun, MarkerClicksNeedAHeldAnswer) {
    EXPECT_EQ(JudgeMarkerClick(run, -1, ""), MarkerClick::Ignored);
    EXPECT_EQ(JudgeMarkerClick(run, 0, "x"), MarkerClick::Ignored);
    EXPECT_FALSE(run.wrongChoice);
    run.heldAnswer = "Mars\r\nthe red one";
    EXPECT_EQ(JudgeMarkerClick(run, -1, ""), MarkerClick::ShowAnswer);
    EXPECT_EQ(JudgeMarkerClick(run, 4, "mars\r\nthe red one"), MarkerClick::WrongAnswer) << "case counts";
    EXPECT_EQ(JudgeMarkerClick(run, 4, "Mars\r\nthe red one "), MarkerClick::WrongAnswer);
    // A wrong answer with the right answer's very text is taken as right.
    EXPECT_EQ(JudgeMarkerClick(run, 2, "Mars\r\nthe red one"), MarkerClick::RightAnswer);
}

TEST_F(TestRun, AskWithInconsistentCountersDisplaysNothing) {
    Load({1, 1});
    run.remainingCount = 1;
    Ask();
    ASSERT_EQ(view.displayed.size(), 1u);
    EXPECT_EQ(view.displayed[0], nullptr);
    EXPECT_EQ(view.messages, std::vector<RunMessage>{RunMessage::DisplayFailed});
    EXPECT_TRUE(view.Off(RunCommand::MarkAnswered));
}

}  // namespace
}  // namespace qb
