// Ask a Question, Show answer, Mark as answered, the resets and the clicked
// answers of the session, with the list reporting its changes back as the
// real list does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/unit/shell/session_rows.h"

namespace qb {
namespace {

using namespace session_testing;

const Message kNoQuestionAvailable = Information(IDS_NO_QUESTION_AVAILABLE, IDS_ATTENTION);
const Message kNoQuestionDisplayed = Information(IDS_NO_QUESTION_DISPLAYED, IDS_ATTENTION);
const Step kAsk = Do(&TestSession::AskQuestion);
const Step kShowAnswer = Do(&TestSession::ShowAnswer);
const Step kMark = Do(&TestSession::MarkAnswered);
const Step kReset = Do(&TestSession::ResetQuestion);
const Step kResetAll = Do(&TestSession::ResetAllQuestions);

// A test with questions of the given statuses, keys 0, 1, 2, ..., keywords
// "Q0", "Q1", ...; each has one answer, "answer <key>", so its image is its status.
Given Practising(const std::vector<int>& statuses, const std::string& answerPicture = "") {
    std::string bytes = session_testing::kMagicLine;
    for (size_t k = 0; k < statuses.size(); ++k) {
        std::vector<std::string> slots = {"Question " + std::to_string(k) + "?", "answer " + std::to_string(k)};
        if (!answerPicture.empty()) {
            slots.resize(kSlotAnswerPictureFile);
            slots.push_back(answerPicture);
        }
        bytes += Record("Q" + std::to_string(k), slots, statuses[k]);
    }
    return Given().Open("run.tvt", bytes + "\r\n");
}

Step Check(std::function<void(const TestSession&)> check) {
    return [check](SessionBench& bench) { check(bench.session); };
}

const std::vector<int> kSevenOpen(7, 0);

TEST(Practice, AskAQuestion) {
    RunSessionRows({
        {"a selected question is asked whatever its status",
         Practising({0, 1, 0}).Select(1),
         kAsk,
         Expect()
             .Current(1)
             .LastAsked(1)
             .Check(Check([](const TestSession& s) { EXPECT_EQ(s.Shown().plan.keyword, "Q1"); }))
             .Offered({IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_RESET_ALL})
             .Selected(-1)
             .Highlighted(-1)
             .Counted({1, 0, 2})
             .Busy({IDS_BUSY_QUESTION})
             .Display({DisplayChange::Cleared, DisplayChange::QuestionShown}),
         {}},
        {"the random walk starts at the head", Practising(kSevenOpen), AskAfter(5),
         Expect().Current(4).Enabled({IDM_TEST_MARK_ANSWERED}), {}},
        {"the random walk starts from the current question", Practising(kSevenOpen).Ask(5).Run(&TestSession::ShowAnswer),
         AskAfter(6), Expect().Current(3), {}},  // 5, 6, 0, 1, 2, 3
        {"the random walk starts from before the head after a marking",
         Practising(kSevenOpen).Ask(5).Run(&TestSession::ShowAnswer).Ask(6).Run(&TestSession::MarkAnswered), AskAfter(5),
         Expect()
             .Current(4)
             .Check(Check([](const TestSession& s) { EXPECT_EQ(s.CurrentCounters().asked, 3); }))
             .Selected(-1),
         {}},
        {"without a test there is nothing to ask", Given(), kAsk, Expect().Display({}).Busy({}), {kNoQuestionAvailable}},
        {"all answered: nothing to ask", Practising({1, 1}).Click({{0, "x", MarkerClick::Ignored}}), kAsk,
         Expect()
             .Check(Check([](const TestSession& s) { EXPECT_EQ(s.CurrentCounters().asked, 0); }))
             .Display({})
             .Busy({})
             .Enabled({IDM_TEST_ASK}),  // opened with questions, Ask is offered even when all are answered
         {kNoQuestionAvailable}},
    });
}

TEST(Practice, FailedDisplay) {
    RunSessionRows({
        {"a failed display still counts as asked",
         Practising({0, 0}).Then([](SessionBench& b) {
             for (QuestionNode* node = b.session.Document().head; node; node = node->next) node->position = 5000;
         }),
         AskAfter(5),
         Expect()
             .Check(Check([](const TestSession& s) {
                 EXPECT_FALSE(s.HoldsAnswer());
                 EXPECT_EQ(s.Shown().rowCount, 0);
                 EXPECT_EQ(s.CurrentCounters().asked, 1);
             }))
             .Enabled({IDM_TEST_SHOW_ANSWER}),
         {Warning(IDS_FILE_ERROR, IDS_ERROR_CAPTION), Information(IDS_DISPLAY_FAILED, IDS_ATTENTION)}},
        {"Show answer after a failed display", Practising({0, 0}).Then([](SessionBench& b) {
             b.session.Document().head->position = b.session.Document().head->next->position = 5000;
         }).Ask(),
         kShowAnswer, Expect(), {kNoQuestionDisplayed}},
    });
}

TEST(Practice, ShowAnswer) {
    RunSessionRows({
        {"Show answer reveals the answer and its files",
         Practising({0}, "*answer.bmp").Ask().Click({{0, "wrong", MarkerClick::WrongAnswer}}), kShowAnswer,
         Expect()
             .Check(Check([](const TestSession& s) {
                 EXPECT_EQ(s.Shown().answer, "answer 0");
                 EXPECT_TRUE(s.Shown().answerShown);
                 EXPECT_EQ(s.Shown().textPath, "") << "no answer text file, the question's stays";
                 EXPECT_NE(s.Shown().picturePath.find("answer.bmp"), std::string::npos);
                 EXPECT_NE(s.Shown().picturePath.find(s.ProgramDirectory().Text()), std::string::npos) << "a * name";
                 EXPECT_FALSE(s.HoldsAnswer());
             }))
             .Disabled({IDM_TEST_SHOW_ANSWER, IDM_TEST_RESET})
             .Enabled({IDM_TEST_MARK_ANSWERED})  // Mark as answered keeps its state
             .Current(0)
             .Busy({IDS_BUSY_ANSWER}),
         {}},
        {"Show answer reveals once", Practising({0}).Ask().Run(&TestSession::ShowAnswer), kShowAnswer, Expect(),
         {kNoQuestionDisplayed}},
        {"a wrong click before Show answer still counts",
         Practising({0}).Ask().Click({{0, "wrong", MarkerClick::WrongAnswer}}).Run(&TestSession::ShowAnswer), kMark,
         Expect().Index({{0, 0}}), {}},
    });
}

TEST(Practice, MarkAsAnswered) {
    RunSessionRows({
        {"a right answer clicked is revealed and counted",
         Practising({0, 0, 1})
             .Ask(5)  // 0, 1, 2, 0, 1 -> node 1
             .Then(Check([](const TestSession& s) { ASSERT_EQ(s.CurrentQuestion()->key, 1); }))
             .Click({{2, "answer 1", MarkerClick::RightAnswer}})
             .Run(&TestSession::ShowAnswer),
         kMark,
         Expect()
             .Index({{0, 0}, {1, 1}, {2, 1}})
             .Row(1, "Q1", 1)
             .Modified(true)
             .Counted({1, 1, 1})
             .Enabled({IDM_TEST_RESET_ALL})
             .Disabled({IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET, IDM_QUESTION_EDIT})
             .Selected(-1)  // the image change is not a selection
             .Current(-1),
         {}},
        {"a wrong click spoils the question for this asking",
         Practising({0, 0})
             .Ask()
             .Click({{0, "Venus", MarkerClick::WrongAnswer},
                     {3, "Pluto", MarkerClick::WrongAnswer},
                     {1, "<right>", MarkerClick::RightAnswer}})
             .Run(&TestSession::ShowAnswer),
         kMark, Expect().Index({{0, 0}, {1, 0}}).Counted({1, 0, 2}).Modified(false).Current(-1), {}},
        {"Mark after the marking",
         Practising({0, 0}).Ask().Click({{0, "Venus", MarkerClick::WrongAnswer}}).Run(&TestSession::MarkAnswered),
         kMark, Expect(), {kNoQuestionDisplayed}},
        {"the next asking starts afresh",
         Practising({0, 0})
             .Ask()
             .Click({{0, "Venus", MarkerClick::WrongAnswer}})
             .Run(&TestSession::MarkAnswered)
             .Ask()
             .Click({{0, "<right>", MarkerClick::RightAnswer}}),
         kMark, Expect().Counted({2, 1, 1}), {}},
        {"marking the last question withdraws Ask", Practising({1, 0, 1}).Ask(), kMark,
         Expect().Counted({1, 1, 0}).Disabled({IDM_TEST_ASK}), {Information(IDS_ALL_ANSWERED, IDS_ATTENTION)}},
        {"a question askable again offers Ask again", Practising({1, 0, 1}).Ask().Run(&TestSession::MarkAnswered).Select(2),
         kReset, Expect().Enabled({IDM_TEST_ASK}), {}},
        {"an answered question asked from the list stays as it is", Practising({1, 0}).Select(0).Ask(), kMark,
         Expect().Index({{0, 1}, {1, 0}}).Row(0, "Q0", 1).Counted({1, 0, 1}), {}},
    });
}

TEST(Practice, ResetQuestion) {
    RunSessionRows({
        {"an answered row selected offers Reset and Edit", Practising({1, 0, 1}), Select(2),
         Expect().Enabled({IDM_TEST_RESET, IDM_QUESTION_EDIT}), {}},
        {"Reset question unmarks the selected question", Practising({1, 0, 1}).Select(2), kReset,
         Expect()
             .Index({{0, 1}, {1, 0}, {2, 0}})
             .Row(2, "Q2", 0)
             .Counted({0, 0, 2})
             .Modified(true)
             .Offered({IDM_TEST_ASK, IDM_TEST_RESET_ALL})  // Reset all stays as it was
             .Selected(-1)
             .Highlighted(-1),
         {}},
        {"Reset question without a selection", Practising({1, 0}), kReset,
         Expect().Index({{0, 1}, {1, 0}}).Modified(false), {}},
        {"an unanswered row selected offers no Reset", Practising({1, 0}).Run(&TestSession::ResetQuestion), Select(1),
         Expect().Disabled({IDM_TEST_RESET}), {}},
        {"Reset question of an unanswered row", Practising({1, 0}).Run(&TestSession::ResetQuestion).Select(1), kReset,
         Expect().Index({{0, 1}, {1, 0}}).Remaining(1).Modified(false).Current(-1), {}},
    });
}

TEST(Practice, ResetAllQuestions) {
    RunSessionRows({
        {"Reset all keeps asked and correct",
         Practising({1, 0, 1, 1}).Ask(5).Run(&TestSession::MarkAnswered),  // 0, 1, 2, 3, 0 -> on to node 1
         kResetAll,
         Expect()
             .Index({{0, 0}, {1, 0}, {2, 0}, {3, 0}})
             .Row(0, "Q0", 0)
             .Row(1, "Q1", 0)
             .Row(2, "Q2", 0)
             .Row(3, "Q3", 0)
             .Counted({1, 1, 4})
             .Enabled({IDM_TEST_ASK})
             .Disabled({IDM_TEST_RESET_ALL, IDM_TEST_RESET})
             .Busy({IDS_BUSY_RESETTING})
             .Modified(true),
         {}},
        {"Reset all changes images, not the selection", Practising({0, 1, 1, 0, 0, 0, 0}), kResetAll,
         Expect().Selected(-1), {}},
        {"Reset all leaves the selection the user made",
         Practising({0, 1, 1, 0, 0, 0, 0})
             .Run(&TestSession::ResetAllQuestions)
             .Ask(5)  // 0, 1, 2, 3, 4
             .Then(Check([](const TestSession& s) { ASSERT_EQ(s.CurrentQuestion()->key, 4); }))
             .Run(&TestSession::MarkAnswered)
             .Select(1),
         kResetAll,
         Expect()
             .Check(Check([](const TestSession& s) { EXPECT_EQ(s.Document().head->next->next->next->next->status, 0); }))
             .Selected(1)  // the row the user selected, not the one reset
             .Disabled({IDM_QUESTION_EDIT}),
         {}},
        {"Reset all without questions", Given(), kResetAll, Expect().Busy({}), {kNoQuestionAvailable}},
    });
}

TEST(Practice, MarkerClicks) {
    RunSessionRows({
        {"marker clicks without a held answer", Given(),
         Click({{-1, "", MarkerClick::Ignored}, {0, "x", MarkerClick::Ignored}}), Expect(), {}},
        {"marker clicks on a held answer", Practising({0}).Select(0).Ask(),
         Click({{-1, "", MarkerClick::ShowAnswer},
                {4, "Answer 0", MarkerClick::WrongAnswer},  // case counts
                {4, "answer 0 ", MarkerClick::WrongAnswer},
                // A wrong answer with the right answer's very text is taken as right.
                {2, "answer 0", MarkerClick::RightAnswer}}),
         Expect(), {}},
    });
}

// What the practice commands offer, command by command, from a test of one
// unanswered and one answered question: each row starts where the one
// before it ended.
TEST(Practice, CommandStatesFollowThePractising) {
    struct Step {
        const char* what;
        session_testing::Step command;
        std::vector<int> offered;
        std::vector<Message> told;
    };
    const Step steps[] = {
        {"answered row selected", Select(1),
         {IDM_TEST_ASK, IDM_TEST_RESET, IDM_TEST_RESET_ALL, IDM_QUESTION_EDIT, IDM_QUESTION_REMOVE},
         {}},
        {"asked", kAsk, {IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_RESET_ALL}, {}},
        {"unanswered row selected", Select(0),
         {IDM_TEST_ASK, IDM_TEST_RESET_ALL, IDM_QUESTION_EDIT, IDM_QUESTION_REMOVE},
         {}},
        {"asked again", kAsk, {IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET_ALL}, {}},
        {"answer shown", kShowAnswer, {IDM_TEST_ASK, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET_ALL}, {}},
        {"marked, the last one", kMark, {IDM_TEST_RESET_ALL}, {Information(IDS_ALL_ANSWERED, IDS_ATTENTION)}},
        {"all reset", kResetAll, {IDM_TEST_ASK}, {}},
    };
    Given given = Practising({0, 1});
    std::vector<SessionRow> rows = {{"opened", given, [](SessionBench&) {}, Expect().Offered({IDM_TEST_ASK, IDM_TEST_RESET_ALL}), {}}};
    for (const Step& step : steps) {
        rows.push_back({step.what, given, step.command, Expect().Offered(step.offered), step.told});
        given.Then(step.command);
    }
    RunSessionRows(rows);
}

// The details view's "Missed" cells and its switch, whose check mark follows
// the session; the switch leaves the test and the selection alone.
TEST(Practice, DetailsViewShowsMissesBlankForNoneAndSwitchesBothWays) {
    SessionBench bench;
    Practising({0, 1, 0}).Build(bench);
    bench.Node(1)->misses = 3;
    bench.Node(2)->misses = 99999;
    TestSession& session = bench.session;
    EXPECT_EQ(session.MissedText(0), "");
    EXPECT_EQ(session.MissedText(1), "3");
    EXPECT_EQ(session.MissedText(2), "99999");
    EXPECT_EQ(session.MissedText(7), "") << "no question of that key";
    bench.list.Select(2);
    const std::pair<bool, int> switches[] = {{true, 1}, {false, 2}};
    for (const auto& [details, told] : switches) {
        FindMainCommand(IDM_OPTIONS_DETAILS)->run(session, bench.frame);
        EXPECT_EQ(session.ShowsListDetails(), details);
        EXPECT_EQ(kCheckedCommands[0].checked(session), details);
        EXPECT_EQ(bench.list.detailsSwitches, told);
    }
    EXPECT_EQ(session.SelectedKey(), 2);
    EXPECT_FALSE(session.IsModified());
}

}  // namespace
}  // namespace qb
