// Ask a Question, Show answer, Mark as answered, the resets and the clicked
// answers of the session, with the list reporting its changes back as the
// real list does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/shell/session_fakes.h"

namespace qb {
namespace {

using session_testing::Record;

const Message kNoQuestionAvailable = Information(IDS_NO_QUESTION_AVAILABLE, IDS_ATTENTION);
const Message kNoQuestionDisplayed = Information(IDS_NO_QUESTION_DISPLAYED, IDS_ATTENTION);

// A test with questions of the given statuses, keys 0, 1, 2, ..., keywords
// "Q0", "Q1", ...; each has one answer, "answer <key>", so its image is its status.
class TestRun : public session_testing::SessionTest {
protected:
    void Load(const std::vector<int>& statuses, const std::string& answerPicture = "") {
        std::string bytes = session_testing::kMagicLine;
        for (size_t k = 0; k < statuses.size(); ++k) {
            std::vector<std::string> slots = {"Question " + std::to_string(k) + "?", "answer " + std::to_string(k)};
            if (!answerPicture.empty()) {
                slots.resize(kSlotAnswerPictureFile);
                slots.push_back(answerPicture);
            }
            bytes += Record("Q" + std::to_string(k), slots, statuses[k]);
        }
        OpenFile("run.tvt", bytes + "\r\n");
    }
    void Ask(int steps = 5) {
        random.Append({DrawForSteps(steps)});
        session.AskQuestion(frame);
    }
    std::vector<int32_t> Counted() const { return list.counters; }

    TestDocument& document = session.Document();
};

TEST_F(TestRun, SelectedQuestionIsAskedWhateverItsStatus) {
    Load({0, 1, 0});
    list.Select(1);
    session.AskQuestion(frame);
    EXPECT_EQ(session.CurrentQuestion(), Node(1));
    EXPECT_EQ(session.LastAsked(), Node(1));
    EXPECT_EQ(session.Shown().plan.keyword, "Q1");
    EXPECT_FALSE(Enabled(IDM_TEST_MARK_ANSWERED)) << "an answered question cannot be marked";
    EXPECT_TRUE(Enabled(IDM_TEST_SHOW_ANSWER));
    EXPECT_FALSE(Enabled(IDM_QUESTION_EDIT));
    EXPECT_FALSE(Enabled(IDM_QUESTION_REMOVE));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
    EXPECT_EQ(session.SelectedKey(), -1);
    EXPECT_EQ(list.highlighted, -1) << "the list selection is cleared";
    EXPECT_EQ(Counted(), (std::vector<int32_t>{1, 0, 2}));
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_QUESTION});
    EXPECT_EQ(frame.busyDepth, 0);
    EXPECT_EQ(list.displayChanges, (std::vector<DisplayChange>{DisplayChange::Cleared, DisplayChange::QuestionShown}));
}

TEST_F(TestRun, RandomPickStartsFromTheCurrentQuestion) {
    Load({0, 0, 0, 0, 0, 0, 0});
    Ask(5);
    EXPECT_EQ(session.CurrentQuestion(), Node(4));
    EXPECT_TRUE(Enabled(IDM_TEST_MARK_ANSWERED));
    session.ShowAnswer(frame);
    Ask(6);  // 5, 6, 0, 1, 2, 3
    EXPECT_EQ(session.CurrentQuestion(), Node(3));
    session.MarkAnswered(frame);
    Ask(5);  // from before the head
    EXPECT_EQ(session.CurrentQuestion(), Node(4));
    EXPECT_EQ(Counted()[0], 3);
    EXPECT_EQ(session.SelectedKey(), -1) << "the rows the marking changed are no selection";
}

TEST_F(TestRun, NothingToAskLeavesEverythingAlone) {
    session.AskQuestion(frame);
    Load({1, 1});
    session.JudgeMarkerClick(0, "x");
    session.AskQuestion(frame);
    EXPECT_EQ(frame.messages, (std::vector<Message>{kNoQuestionAvailable}));
    EXPECT_EQ(session.CurrentCounters().asked, 0);
    EXPECT_TRUE(list.displayChanges.empty());
    EXPECT_TRUE(frame.busyTexts.empty());
    EXPECT_TRUE(Enabled(IDM_TEST_ASK)) << "opened with questions, Ask is offered even when all are answered";
}

TEST_F(TestRun, FailedDisplayStillCountsAsAsked) {
    Load({0, 0});
    for (QuestionNode* node = document.head; node; node = node->next) node->position = 5000;
    Ask();
    EXPECT_EQ(frame.messages, (std::vector<Message>{Warning(IDS_FILE_ERROR, IDS_ERROR_CAPTION),
                                                    Information(IDS_DISPLAY_FAILED, IDS_ATTENTION)}));
    EXPECT_FALSE(session.HoldsAnswer());
    EXPECT_EQ(session.Shown().rowCount, 0);
    EXPECT_EQ(Counted()[0], 1);
    EXPECT_TRUE(Enabled(IDM_TEST_SHOW_ANSWER));
    session.ShowAnswer(frame);
    EXPECT_EQ(frame.messages.back(), kNoQuestionDisplayed);
}

TEST_F(TestRun, ShowAnswerRevealsOnceAndShowsTheAnswerFiles) {
    Load({0}, "*answer.bmp");
    Ask();
    session.JudgeMarkerClick(0, "wrong");
    session.ShowAnswer(frame);
    EXPECT_EQ(session.Shown().answer, "answer 0");
    EXPECT_TRUE(session.Shown().answerShown);
    EXPECT_EQ(session.Shown().textPath, "") << "no answer text file, the question's stays";
    EXPECT_NE(session.Shown().picturePath.find("answer.bmp"), std::string::npos);
    EXPECT_NE(session.Shown().picturePath.find(session.ProgramDirectory().Text()), std::string::npos) << "a * name";
    EXPECT_FALSE(session.HoldsAnswer());
    EXPECT_FALSE(Enabled(IDM_TEST_SHOW_ANSWER));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
    EXPECT_TRUE(Enabled(IDM_TEST_MARK_ANSWERED)) << "Mark as answered keeps its state";
    EXPECT_EQ(session.CurrentQuestion(), Node(0));
    EXPECT_EQ(frame.busyTexts.back(), IDS_BUSY_ANSWER);
    session.ShowAnswer(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{kNoQuestionDisplayed});
    session.MarkAnswered(frame);
    EXPECT_EQ(Node(0)->status, 0) << "the wrong click before Show answer still counts";
}

TEST_F(TestRun, RightAnswerClickedIsRevealedAndCounted) {
    Load({0, 0, 1});
    Ask(5);  // 0, 1, 2, 0, 1 -> node 1
    ASSERT_EQ(session.CurrentQuestion(), Node(1));
    EXPECT_EQ(session.JudgeMarkerClick(2, "answer 1"), MarkerClick::RightAnswer);
    session.ShowAnswer(frame);
    session.MarkAnswered(frame);
    EXPECT_EQ(Node(1)->status, 1);
    EXPECT_EQ(list.Row(1)->image, 1);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(Counted(), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_TRUE(Enabled(IDM_TEST_RESET_ALL));
    EXPECT_FALSE(Enabled(IDM_TEST_MARK_ANSWERED));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
    EXPECT_FALSE(Enabled(IDM_QUESTION_EDIT));
    EXPECT_EQ(session.SelectedKey(), -1) << "the image change is not a selection";
    EXPECT_EQ(session.CurrentQuestion(), nullptr);
    EXPECT_TRUE(frame.messages.empty());
}

TEST_F(TestRun, WrongClickSpoilsTheQuestionForThisAsking) {
    Load({0, 0});
    Ask();
    const std::string right = session.Shown().plan.rightAnswer;
    EXPECT_EQ(session.JudgeMarkerClick(0, "Venus"), MarkerClick::WrongAnswer);
    EXPECT_EQ(session.JudgeMarkerClick(3, "Pluto"), MarkerClick::WrongAnswer);
    EXPECT_EQ(session.JudgeMarkerClick(1, right), MarkerClick::RightAnswer);
    session.ShowAnswer(frame);
    const QuestionNode* asked = session.CurrentQuestion();
    session.MarkAnswered(frame);
    EXPECT_EQ(asked->status, 0);
    EXPECT_EQ(Counted(), (std::vector<int32_t>{1, 0, 2}));
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(session.CurrentQuestion(), nullptr);
    session.MarkAnswered(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{kNoQuestionDisplayed});
    // The next asking starts afresh.
    Ask();
    EXPECT_EQ(session.JudgeMarkerClick(0, session.Shown().plan.rightAnswer), MarkerClick::RightAnswer);
    session.MarkAnswered(frame);
    EXPECT_EQ(Counted()[1], 1);
}

TEST_F(TestRun, MarkingTheLastQuestionDisablesAskingUntilOneIsAskableAgain) {
    Load({1, 0, 1});
    Ask();
    session.MarkAnswered(frame);
    EXPECT_EQ(Counted()[2], 0);
    EXPECT_FALSE(Enabled(IDM_TEST_ASK));
    EXPECT_EQ(frame.messages, std::vector<Message>{Information(IDS_ALL_ANSWERED, IDS_ATTENTION)});
    list.Select(2);
    session.ResetQuestion(frame);
    EXPECT_TRUE(Enabled(IDM_TEST_ASK));
}

TEST_F(TestRun, AnsweredQuestionAskedFromTheListStaysAsItIs) {
    Load({1, 0});
    list.Select(0);
    Ask();
    session.MarkAnswered(frame);
    EXPECT_EQ(Node(0)->status, 1);
    EXPECT_EQ(list.Row(0)->image, 1);
    EXPECT_EQ(Counted(), (std::vector<int32_t>{1, 0, 1}));
    EXPECT_TRUE(frame.messages.empty());
}

TEST_F(TestRun, ResetQuestionUnmarksTheSelectedQuestion) {
    Load({1, 0, 1});
    list.Select(2);
    EXPECT_TRUE(Enabled(IDM_TEST_RESET));
    EXPECT_TRUE(Enabled(IDM_QUESTION_EDIT));
    session.ResetQuestion(frame);
    EXPECT_EQ(Node(2)->status, 0);
    EXPECT_EQ(list.Row(2)->image, 0);
    EXPECT_EQ(Counted(), (std::vector<int32_t>{0, 0, 2}));
    EXPECT_TRUE(document.modified);
    EXPECT_TRUE(Enabled(IDM_TEST_ASK));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
    EXPECT_FALSE(Enabled(IDM_QUESTION_EDIT));
    EXPECT_TRUE(Enabled(IDM_TEST_RESET_ALL)) << "Reset all stays as it was";
    EXPECT_EQ(session.SelectedKey(), -1);
    EXPECT_EQ(list.highlighted, -1);
}

TEST_F(TestRun, ResetQuestionWithoutAnAnsweredSelectionChangesNoStatus) {
    Load({1, 0});
    session.ResetQuestion(frame);
    list.Select(1);
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
    session.ResetQuestion(frame);
    EXPECT_EQ(Node(0)->status, 1);
    EXPECT_EQ(session.CurrentCounters().remaining, 1);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(session.CurrentQuestion(), nullptr);
}

TEST_F(TestRun, ResetAllKeepsAskedAndCorrect) {
    Load({1, 0, 1, 1});
    Ask(5);  // 0, 1, 2, 3, 0 -> on to node 1
    session.MarkAnswered(frame);
    ResetFrame();
    session.ResetAllQuestions(frame);
    for (int32_t key = 0; key < 4; ++key) {
        EXPECT_EQ(Node(key)->status, 0);
        EXPECT_EQ(list.Row(key)->image, 0);
    }
    EXPECT_EQ(Counted(), (std::vector<int32_t>{1, 1, 4}));
    EXPECT_TRUE(Enabled(IDM_TEST_ASK));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET_ALL));
    EXPECT_FALSE(Enabled(IDM_TEST_RESET));
    EXPECT_EQ(frame.busyTexts, std::vector<int>{IDS_BUSY_RESETTING});
    EXPECT_EQ(frame.busyDepth, 0);
    EXPECT_TRUE(document.modified);
}

TEST_F(TestRun, ResetAllLeavesTheSelectionAsTheUserLeftIt) {
    Load({0, 1, 1, 0, 0, 0, 0});
    session.ResetAllQuestions(frame);
    EXPECT_EQ(session.SelectedKey(), -1) << "image changes are no selection";
    Ask(5);  // random: 0, 1, 2, 3, 4
    EXPECT_EQ(session.CurrentQuestion(), Node(4));
    session.MarkAnswered(frame);
    list.Select(1);
    session.ResetAllQuestions(frame);
    EXPECT_EQ(Node(4)->status, 0);
    EXPECT_EQ(session.SelectedKey(), 1) << "the row the user selected, not the one reset";
    EXPECT_FALSE(Enabled(IDM_QUESTION_EDIT));
}

TEST_F(TestRun, ResetAllWithoutQuestionsReports) {
    session.ResetAllQuestions(frame);
    EXPECT_EQ(frame.messages, std::vector<Message>{kNoQuestionAvailable});
    EXPECT_TRUE(frame.busyTexts.empty());
}

TEST_F(TestRun, MarkerClicksNeedAHeldAnswer) {
    EXPECT_EQ(session.JudgeMarkerClick(-1, ""), MarkerClick::Ignored);
    EXPECT_EQ(session.JudgeMarkerClick(0, "x"), MarkerClick::Ignored);
    Load({0}, "");
    list.Select(0);
    session.AskQuestion(frame);
    EXPECT_EQ(session.JudgeMarkerClick(-1, ""), MarkerClick::ShowAnswer);
    EXPECT_EQ(session.JudgeMarkerClick(4, "Answer 0"), MarkerClick::WrongAnswer) << "case counts";
    EXPECT_EQ(session.JudgeMarkerClick(4, "answer 0 "), MarkerClick::WrongAnswer);
    // A wrong answer with the right answer's very text is taken as right.
    EXPECT_EQ(session.JudgeMarkerClick(2, "answer 0"), MarkerClick::RightAnswer);
}

// What the practice commands offer, command by command, from a test of one
// unanswered and one answered question.
TEST_F(TestRun, CommandStatesFollowThePractising) {
    struct Step {
        const char* what;
        void (*run)(TestRun&);
        std::vector<int> offered;  // of Ask, Show answer, Mark, Reset, Reset all, Edit, Remove
    };
    const std::vector<int> practice = {IDM_TEST_ASK,       IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET,
                                       IDM_TEST_RESET_ALL, IDM_QUESTION_EDIT,    IDM_QUESTION_REMOVE};
    const Step steps[] = {
        {"opened", [](TestRun&) {}, {IDM_TEST_ASK, IDM_TEST_RESET_ALL}},
        {"answered row selected",
         [](TestRun& t) { t.list.Select(1); },
         {IDM_TEST_ASK, IDM_TEST_RESET, IDM_TEST_RESET_ALL, IDM_QUESTION_EDIT, IDM_QUESTION_REMOVE}},
        {"asked",
         [](TestRun& t) { t.session.AskQuestion(t.frame); },
         {IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_RESET_ALL}},
        {"unanswered row selected",
         [](TestRun& t) { t.list.Select(0); },
         {IDM_TEST_ASK, IDM_TEST_RESET_ALL, IDM_QUESTION_EDIT, IDM_QUESTION_REMOVE}},
        {"asked again",
         [](TestRun& t) { t.session.AskQuestion(t.frame); },
         {IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET_ALL}},
        {"answer shown",
         [](TestRun& t) { t.session.ShowAnswer(t.frame); },
         {IDM_TEST_ASK, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET_ALL}},
        {"marked, the last one", [](TestRun& t) { t.session.MarkAnswered(t.frame); }, {IDM_TEST_RESET_ALL}},
        {"all reset", [](TestRun& t) { t.session.ResetAllQuestions(t.frame); }, {IDM_TEST_ASK}},
    };
    Load({0, 1});
    for (const Step& step : steps) {
        step.run(*this);
        std::vector<int> offered;
        for (int command : practice)
            if (Enabled(command)) offered.push_back(command);
        EXPECT_EQ(offered, step.offered) << step.what;
    }
}

}  // namespace
}  // namespace qb
