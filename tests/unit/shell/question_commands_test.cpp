// New Question, Edit Question and Remove Question of the session, with the
// editor's real Accept behind the question dialog.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/disk_files.h"
#include "tests/unit/shell/session_rows.h"

namespace qb {
namespace {

using namespace session_testing;
using testing_support::ReadAll;

const Step kEdit = Do(&TestSession::EditQuestion);
const Step kRemove = Do(&TestSession::RemoveQuestion);
const Typed kCancel{};
const Typed kZodiac = Typing("Zodiac", "How many signs has the zodiac?", "Twelve");
const Typed kAsteroids = Typing("Asteroids", "Where lies the main asteroid belt?", "Between Mars and Jupiter",
                                {"Beyond Neptune", "", "Between Venus and Earth", ""});
const Typed kMoon = Typing("Moon", "What does the Moon show\r\nat new moon?", "Its dark side");
const Typed kSun = Typing("Sun", "What is the Sun?", "A star");

Message ConfirmDelete(const std::string& keyword) {
    return Question(IDS_CONFIRM_DELETE, IDS_DELETE_CAPTION, MessageButtons::YesNo, {keyword});
}

// A new test; every question box is answered Yes.
Given NewTest() {
    return Given().Choose("astronomy.tvt").Run(&TestSession::NewTest).Choose("").Answer(MessageAnswer::Yes);
}
// The three questions of an astronomy test, added in this order.
Given Astronomy() {
    return NewTest().Add(kZodiac).Add(kAsteroids).Add(kMoon);
}
// Practises the question of key until it is answered; draws place its answers.
Step Answering(int32_t key, std::vector<int> draws = {}) {
    return [key, draws](SessionBench& bench) {
        bench.random.Append(draws);
        bench.list.Select(key);
        bench.session.AskQuestion(bench.frame);
        bench.session.MarkAnswered(bench.frame);
        ASSERT_TRUE(bench.session.IsAnswered(key));
    };
}
const std::vector<int> kThreeAnswersInOrder = {DrawForPosition(0, 3), DrawForPosition(1, 3), DrawForPosition(2, 3)};

// The saved test, written by Save.
Step Saved(const std::string& expected) {
    return [expected](SessionBench& bench) {
        ASSERT_EQ(SaveTest(bench.session.Document()), std::nullopt);
        EXPECT_EQ(ReadAll(bench.session.Document().testPath), expected);
    };
}

TEST(QuestionCommands, NewQuestion) {
    RunSessionRows({
        {"new questions are listed by keyword and indexed in the order added", NewTest().Add(kZodiac).Add(kAsteroids),
         Add(kMoon),
         Expect()
             .Rows({"Asteroids", "Moon", "Zodiac"})
             .Row(0, "Zodiac", 0)
             .Row(1, "Asteroids", 2)
             .Row(2, "Moon", 0)
             .Index({{0, 0}, {1, 0}, {2, 0}})
             .Check([](SessionBench& b) {
                 EXPECT_EQ(b.session.Document().nextKey, 3);
                 for (QuestionNode* node = b.session.Document().head; node; node = node->next)
                     EXPECT_TRUE(node->inJournal);
             })
             .Counted({0, 0, 3})
             .Modified(true)
             .Enabled({IDM_TEST_ASK})
             .Disabled({IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED}),
         {}},
        {"the saved test holds the new questions in the order added", Astronomy(), Saved(
             "QBKX0101A\r\n"
             "Zodiac\r\n30\r\n6\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
             "How many signs has the zodiac?Twelve"
             "Asteroids\r\n34\r\n24\r\n14\r\n0\r\n23\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
             "Where lies the main asteroid belt?Between Mars and JupiterBeyond NeptuneBetween Venus and Earth"
             "Moon\r\n37\r\n13\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
             "What does the Moon show\x02\x01"
             "at new moon?Its dark side"
             "\r\n"),
         Expect(), {}},
        {"a cancelled dialog adds nothing", NewTest(), Add(kCancel),
         Expect()
             .QuestionDialogs({EditorMode::Define})
             .Index({})
             .Rows({})
             .Check([](SessionBench& b) { EXPECT_EQ(b.session.Document().nextKey, 0); })
             .Remaining(0)
             .Modified(false),
         {}},
        {"New Question while one is pending is refused",
         NewTest().Then([](SessionBench& b) {
             b.frame.whileQuestionDialogRuns = [&b] { b.session.NewQuestion(b.frame); };
         }),
         Add(kSun), Expect().QuestionDialogs({}).Index({}),
         {Information(IDS_NOT_POSSIBLE_NOW, IDS_DEFINE_QUESTION_CAPTION)}},
        {"New Question needs an open test", NewTest().Run(&TestSession::CloseTest), Add(kSun),
         Expect().QuestionDialogs({}).Disabled({IDM_TEST_SHOW_ANSWER}),
         {Information(IDS_NEED_OPEN_TEST, IDS_DEFINE_QUESTION_CAPTION)}},
        {"no memory for the node runs no dialog", NewTest().NoMemoryForNodes(), Add(kSun),
         Expect().QuestionDialogs({}), {Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION)}},
    });
}

TEST(QuestionCommands, EditQuestion) {
    RunSessionRows({
        {"editing an answered question makes it unanswered",
         Astronomy()
             .Then(Answering(1, kThreeAnswersInOrder))
             .Modified(false)
             .Select(1)
             .Type(Typing("Asteroid belt", "Where lies the main asteroid belt?", "Between Mars and Jupiter")),
         kEdit,
         Expect()
             .QuestionDialogs({EditorMode::Edit})
             .Index({{0, 0}, {1, 0}, {2, 0}})
             .Remaining(3)
             .Counted({1, 1, 3})
             .Row(1, "Asteroid belt", 0)
             .Modified(true)
             .Selected(-1)
             .Highlighted(-1)
             .Disabled({IDM_QUESTION_EDIT, IDM_QUESTION_REMOVE, IDM_TEST_RESET}),
         {}},
        {"a cancelled edit keeps the question answered",
         Astronomy()
             .Then(Answering(2))
             .Then([](SessionBench& b) { b.noted = b.Node(2)->position; })
             .Modified(false)
             .Select(2)
             .Type(kCancel),
         kEdit,
         Expect()
             .Index({{0, 0}, {1, 0}, {2, 1}})
             .Check([](SessionBench& b) { EXPECT_EQ(b.Node(2)->position, b.noted); })
             .Remaining(2)
             .Row(2, "Moon", 1)
             .Modified(false)
             .Selected(-1),
         {}},
        {"editing twice leaves two records and the save keeps the second",
         NewTest()
             .Add(kSun)
             .Then(Saved("QBKX0101A\r\nSun\r\n16\r\n6\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                         "What is the Sun?A star\r\n"))
             .Select(0)
             .Type(Typing("Sun", "What is the Sun?", "A yellow dwarf"))
             .Run(&TestSession::EditQuestion)
             .Select(0)
             .Type(Typing("Sun", "What is the Sun?", "A G-type star")),
         kEdit,
         Expect()
             .Check([](SessionBench& b) {
                 const std::string journal = ReadAll(b.dir.File("CHANGINGS.TMP"));
                 EXPECT_NE(journal.find("A yellow dwarf"), std::string::npos);
                 EXPECT_NE(journal.find("A G-type star"), std::string::npos);
             })
             .Check(Saved("QBKX0101A\r\nSun\r\n16\r\n13\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
                          "What is the Sun?A G-type star\r\n")),
         {}},
    });
}

TEST(QuestionCommands, RemoveQuestion) {
    RunSessionRows({
        {"removal asks with the keyword, and No keeps everything",
         Astronomy().Select(1).Answer(MessageAnswer::No).Modified(false), kRemove,
         Expect()
             .Index({{0, 0}, {1, 0}, {2, 0}})
             .Rows({"Asteroids", "Moon", "Zodiac"})
             .Modified(false)
             .Selected(-1)
             .Disabled({IDM_QUESTION_REMOVE}),
         {ConfirmDelete("Asteroids")}},
        {"a removed question is left out", Astronomy().Select(1), kRemove,
         Expect().Index({{0, 0}, {2, 0}}).Rows({"Moon", "Zodiac"}).Remaining(2).Counted({0, 0, 2}),
         {ConfirmDelete("Asteroids")}},
        {"keys are never reused", Astronomy().Select(1).Run(&TestSession::RemoveQuestion),
         Add(Typing("Comets", "What is a comet's tail made of?", "Gas and dust")),
         Expect().Index({{0, 0}, {2, 0}, {3, 0}}).Row(3, "Comets", 0), {}},
        {"the save leaves the removed question out",
         Astronomy()
             .Select(1)
             .Run(&TestSession::RemoveQuestion)
             .Add(Typing("Comets", "What is a comet's tail made of?", "Gas and dust")),
         [](SessionBench& b) { ASSERT_EQ(SaveTest(b.session.Document()), std::nullopt); },
         Expect().Check([](SessionBench& b) {
             const std::string saved = ReadAll(b.session.Document().testPath);
             EXPECT_EQ(saved.find("Asteroids"), std::string::npos);
             const size_t zodiac = saved.find("Zodiac");
             const size_t moon = saved.find("Moon\r\n");
             const size_t comets = saved.find("Comets");
             ASSERT_NE(comets, std::string::npos);
             EXPECT_LT(zodiac, moon);
             EXPECT_LT(moon, comets);
         }),
         {}},
        {"removing the head makes its successor the head", Astronomy().Select(0), kRemove,
         Expect().Index({{1, 0}, {2, 0}}), {ConfirmDelete("Zodiac")}},
        {"an answered question offers Reset all", Astronomy(), Answering(2),
         Expect().Enabled({IDM_TEST_RESET_ALL}), {}},
        {"removing the answered question keeps remaining and ends Reset all", Astronomy().Then(Answering(2)).Select(2),
         kRemove, Expect().Remaining(2).Index({{0, 0}, {1, 0}}).Disabled({IDM_TEST_RESET_ALL}),
         {ConfirmDelete("Moon")}},
        {"removal while another is answered keeps Reset all", Astronomy().Then(Answering(2)).Select(0), kRemove,
         Expect().Remaining(1).Enabled({IDM_TEST_RESET_ALL}), {ConfirmDelete("Zodiac")}},
        {"removal forgets the current question but not the last asked",
         Astronomy()
             .Select(0)
             .Run(&TestSession::AskQuestion)
             .Then([](SessionBench& b) { ASSERT_EQ(b.session.CurrentQuestion(), b.Node(0)); })
             .Select(2),
         kRemove, Expect().Current(-1).LastAsked(0), {ConfirmDelete("Moon")}},
        {"removal forgets the removed last asked",
         Astronomy().Draws(kThreeAnswersInOrder).Select(1).Run(&TestSession::AskQuestion).Select(1), kRemove,
         Expect().LastAsked(-1), {ConfirmDelete("Asteroids")}},
        {"removing the last question empties the index and withdraws asking", NewTest().Add(kSun).Select(0), kRemove,
         Expect()
             .Index({})
             .Remaining(0)
             .Disabled({IDM_TEST_ASK, IDM_TEST_SHOW_ANSWER, IDM_TEST_MARK_ANSWERED, IDM_TEST_RESET_ALL}),
         {ConfirmDelete("Sun")}},
        {"Edit and Remove without a selection only reset the commands",
         Astronomy().Modified(false).Type(Typing("X", "Y", "Z")),
         [](SessionBench& b) {
             b.session.EditQuestion(b.frame);
             b.session.RemoveQuestion(b.frame);
         },
         Expect().QuestionDialogs({}).Modified(false).Disabled({IDM_QUESTION_EDIT}), {}},
        // The rows move when a question sorts in before them; Edit and Remove
        // still work on the row of the selected question, found by its key.
        {"Edit finds the selected row after a new question moved it",
         Astronomy()
             .Select(2)  // Moon, the second row
             .Add(Typing("Aldebaran", "Which star is the eye of the bull?", "Aldebaran"))
             .Then([](SessionBench& b) {
                 ASSERT_EQ(b.list.Texts(), (std::vector<std::string>{"Aldebaran", "Asteroids", "Moon", "Zodiac"}));
             })
             .Type(Typing("New moon", "What does the Moon show at new moon?", "Its dark side")),
         kEdit, Expect().Rows({"Aldebaran", "Asteroids", "New moon", "Zodiac"}).Row(2, "New moon", 0), {}},
        {"Remove finds the selected row after a new question moved it",
         Astronomy()
             .Select(2)
             .Add(Typing("Aldebaran", "Which star is the eye of the bull?", "Aldebaran"))
             .Type(Typing("New moon", "What does the Moon show at new moon?", "Its dark side"))
             .Run(&TestSession::EditQuestion)
             .Select(2),
         kRemove, Expect().Rows({"Aldebaran", "Asteroids", "Zodiac"}).Index({{0, 0}, {1, 0}, {3, 0}}),
         {ConfirmDelete("New moon")}},
    });
}

}  // namespace
}  // namespace qb
