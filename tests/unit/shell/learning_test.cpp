// Misses counted per question, Undo, missed questions first and the answer
// keys, as tables of (test, commands, questions and counters after, messages).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/settings_store.h"
#include "tests/support/disk_files.h"
#include "tests/support/test_records.h"
#include "tests/unit/shell/session_fakes.h"

namespace qb {
namespace {

// The commands of the table by id, and what the pane and the list do.
constexpr int kWrong = -1, kRight = -2, kSelectQ1 = -3, kExit = -4;

// Each question "Qk" has the right answer "right k" and the wrong one "wrong k".
struct Stored {
    int status;
    int32_t misses;
};

struct Case {
    const char* name;
    std::vector<Stored> test;
    std::vector<int> commands;      // command ids and gestures
    std::vector<Stored> after;      // status and misses of each node
    std::vector<int32_t> counters;  // asked, correct, remaining
    bool modified;
    int undoText;
    int32_t current;  // the key of the question asked last
    std::vector<int> messages;
};

class Learning : public session_testing::SessionTest {
protected:
    std::string Bytes(const std::vector<Stored>& test) {
        std::vector<QuestionRecord> records;
        for (size_t k = 0; k < test.size(); ++k) {
            const std::string n = std::to_string(k);
            records.push_back(testing_support::MakeRecord("Q" + n, "Q?", "right " + n, test[k].status));
            records.back().slots[kSlotWrongAnswer1] = "wrong " + n;
            records.back().misses = test[k].misses;
        }
        return testing_support::TestFileBytes(records);
    }
    void Run(int command) {
        const int32_t asked = session.LastAsked() ? session.LastAsked()->key : -1;
        switch (command) {
        case kWrong: session.JudgeMarkerClick(0, "wrong"); return;
        case kRight:  // the pane's right click: Show answer, then Mark as answered
            if (session.JudgeMarkerClick(0, "right " + std::to_string(asked)) != MarkerClick::RightAnswer) return;
            session.ShowAnswer(frame);
            session.MarkAnswered(frame);
            return;
        case kSelectQ1: list.Select(1); return;
        case kExit: session.MayGiveUpTest(frame); return;
        case IDM_TEST_ASK: random.Append({DrawForSteps(5), DrawForPosition(0, 2), DrawForPosition(1, 2)}); break;
        }
        FindMainCommand(command)->run(session, frame);
    }
    std::vector<std::string> Lines(const std::vector<Stored>& questions) {
        std::vector<std::string> lines;
        for (const Stored& q : questions) lines.push_back(std::to_string(q.status) + " " + std::to_string(q.misses));
        return lines;
    }
    std::vector<std::string> NodeLines() {
        std::vector<Stored> nodes;
        for (const QuestionNode* node = session.Document().head; node; node = node->next)
            nodes.push_back({node->status, node->misses});
        return Lines(nodes);
    }
};

constexpr int kAsk = IDM_TEST_ASK, kShow = IDM_TEST_SHOW_ANSWER, kMark = IDM_TEST_MARK_ANSWERED,
              kReset = IDM_TEST_RESET, kResetAll = IDM_TEST_RESET_ALL, kUndo = IDM_EDIT_UNDO, kSave = IDM_FILE_SAVE,
              kClose = IDM_FILE_CLOSE, kMissedFirst = IDM_TEST_MISSED_FIRST;

// clang-format off
const Case kCases[] = {
    {"a wrong click is counted at the next Ask", {{0, 0}, {0, 0}}, {kAsk, kWrong, kAsk},
     {{0, 1}, {0, 0}}, {2, 0, 2}, true, IDS_UNDO_MISSED, 1, {}},
    {"a right click first is no miss", {{0, 0}, {0, 0}}, {kAsk, kRight, kAsk},
     {{1, 0}, {0, 0}}, {2, 1, 1}, true, IDS_UNDO_MARK_ANSWERED, 1, {}},
    {"Show answer and Mark as answered is no miss", {{0, 0}, {0, 0}}, {kAsk, kShow, kMark, kAsk},
     {{1, 0}, {0, 0}}, {2, 1, 1}, true, IDS_UNDO_MARK_ANSWERED, 1, {}},
    {"the answer shown and left is a miss", {{0, 0}, {0, 0}}, {kAsk, kShow, kAsk},
     {{0, 1}, {0, 0}}, {2, 0, 2}, true, IDS_UNDO_MISSED, 1, {}},
    {"a question passed by is no miss", {{0, 0}, {0, 0}}, {kAsk, kAsk},
     {{0, 0}, {0, 0}}, {2, 0, 2}, false, IDS_UNDO, 1, {}},
    {"wrong, then right is a miss", {{0, 2}, {0, 0}}, {kAsk, kWrong, kRight, kAsk},
     {{0, 3}, {0, 0}}, {2, 0, 2}, true, IDS_UNDO_MISSED, 1, {}},
    {"the count stops at 99,999", {{0, kMaxMisses}, {0, 0}}, {kAsk, kWrong, kAsk},
     {{0, kMaxMisses}, {0, 0}}, {2, 0, 2}, false, IDS_UNDO, 1, {}},
    {"Undo takes the miss back", {{0, 0}, {0, 0}}, {kAsk, kWrong, kAsk, kUndo},
     {{0, 0}, {0, 0}}, {2, 0, 2}, false, IDS_UNDO, 1, {}},
    {"Undo takes Mark as answered back", {{0, 0}, {0, 0}}, {kAsk, kRight, kUndo},
     {{0, 0}, {0, 0}}, {1, 0, 2}, false, IDS_UNDO, 0, {}},
    {"Undo after Reset all Questions", {{1, 4}, {1, 2}}, {kResetAll, kUndo},
     {{1, 4}, {1, 2}}, {0, 0, 0}, false, IDS_UNDO, -1, {}},
    {"Reset Question is a step", {{0, 0}, {1, 0}}, {kSelectQ1, kReset},
     {{0, 0}, {0, 0}}, {0, 0, 2}, true, IDS_UNDO_RESET_QUESTION, -1, {}},
    {"marked, then reset by Reset all, is no miss", {{0, 0}, {0, 0}}, {kAsk, kShow, kMark, kResetAll, kAsk},
     {{0, 0}, {0, 0}}, {2, 1, 2}, true, IDS_UNDO_RESET_ALL, 1, {}},
    {"Undo after Reset Question", {{0, 0}, {1, 3}}, {kSelectQ1, kReset, kUndo},
     {{0, 0}, {1, 3}}, {0, 0, 1}, false, IDS_UNDO, -1, {}},
    {"Undo after a save leaves the test modified", {{0, 0}, {0, 0}}, {kAsk, kRight, kSave, kUndo},
     {{0, 0}, {0, 0}}, {1, 0, 2}, true, IDS_UNDO, 0, {}},
    {"the miss is counted before Close asks to save", {{0, 0}, {0, 0}}, {kAsk, kWrong, kClose},
     {{0, 1}, {0, 0}}, {1, 0, 2}, true, IDS_UNDO_MISSED, 0, {IDS_ASK_TO_SAVE}},
    {"the miss is counted before Exit asks to save", {{0, 0}, {0, 0}}, {kAsk, kShow, kExit},
     {{0, 1}, {0, 0}}, {1, 0, 2}, true, IDS_UNDO_MISSED, 0, {IDS_ASK_TO_SAVE}},
    {"missed first asks the most missed", {{0, 1}, {0, 3}, {1, 5}, {0, 3}}, {kMissedFirst, kAsk},
     {{0, 1}, {0, 3}, {1, 5}, {0, 3}}, {1, 0, 3}, false, IDS_UNDO, 1, {}},
    {"missed first leaves the last asked out", {{0, 1}, {0, 2}}, {kMissedFirst, kAsk, kWrong, kAsk},
     {{0, 1}, {0, 3}}, {2, 0, 2}, true, IDS_UNDO_MISSED, 0, {}},
    {"missed first without misses walks as before", {{0, 0}, {0, 0}, {0, 0}}, {kMissedFirst, kAsk},
     {{0, 0}, {0, 0}, {0, 0}}, {1, 0, 3}, false, IDS_UNDO, 1, {}},
};
// clang-format on

TEST_F(Learning, Commands) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        OpenFile("learn.tvt", Bytes(c.test));
        session.SetMissedFirst(false);
        for (int command : c.commands) Run(command);
        EXPECT_EQ(NodeLines(), Lines(c.after));
        EXPECT_EQ(list.counters, c.counters);
        EXPECT_EQ(session.IsModified(), c.modified);
        EXPECT_EQ(session.UndoText(), c.undoText);
        EXPECT_EQ(session.CanUndo(), c.undoText != IDS_UNDO);
        EXPECT_EQ(session.CurrentQuestion() ? session.CurrentQuestion()->key : -1, c.current) << "current question";
        EXPECT_EQ(frame.Texts(), c.messages);
        frame.answer = MessageAnswer::No;
        session.CloseTest(frame);
        EXPECT_FALSE(session.CanUndo()) << "Close clears the steps";
        frame.answer = MessageAnswer::Cancel;
        ResetFrame();
        frame.messages.clear();
    }
}

// Saved, the count follows the status after one blank; a test never missed
// is the same file after Open, practice without misses and Save.
TEST_F(Learning, SavedBytes) {
    const std::string unmissed = Bytes({{0, 0}, {1, 0}, {0, 0}});
    OpenFile("learn.tvt", unmissed);
    for (int command : {kAsk, kAsk, kRight, kUndo, kSelectQ1, kReset, kUndo, kSave}) Run(command);
    EXPECT_EQ(session.Document().testPath, dir.File("learn.TVT")) << "saved under the capital extension";
    EXPECT_EQ(testing_support::ReadAll(dir.File("learn.TVT")), unmissed);
    // The undone mark leaves its question revealed and unanswered: Open counts it and asks.
    frame.answer = MessageAnswer::No;
    OpenFile("learn.tvt", unmissed);
    EXPECT_EQ(NodeLines(), Lines({{0, 0}, {1, 0}, {0, 0}}));
    for (int command : {kAsk, kWrong, kAsk, kSave}) Run(command);  // Q2 missed
    EXPECT_EQ(testing_support::ReadAll(dir.File("learn.TVT")), Bytes({{0, 0}, {1, 0}, {0, 1}}));
    EXPECT_NE(testing_support::ReadAll(dir.File("learn.TVT")).find("\r\n0 1\r\n"), std::string::npos);
}

TEST_F(Learning, UndoKeepsTheLatestHundredSteps) {
    OpenFile("learn.tvt", Bytes({{1, 0}}));
    for (int i = 0; i < 51; ++i) {  // two steps each: Reset Question, Mark as answered
        list.Select(0);
        for (int command : {kReset, kAsk, kRight}) Run(command);
    }
    int undone = 0;
    for (; session.CanUndo(); ++undone) session.Undo(frame);
    EXPECT_EQ(undone, 100);
}

// Answer 1 to 5 click the marker of a row that is shown, while the answer is not.
TEST_F(Learning, AnswerKeysAndTheStoredChoice) {
    OpenFile("learn.tvt", Bytes({{0, 0}}));
    EXPECT_FALSE(Enabled(IDM_TEST_ANSWER_1));
    Run(kAsk);
    EXPECT_TRUE(Enabled(IDM_TEST_ANSWER_5));
    for (int id = IDM_TEST_ANSWER_1; id <= IDM_TEST_ANSWER_5; ++id) FindMainCommand(id)->run(session, frame);
    EXPECT_EQ(frame.clickedRows, (std::vector<int>{0, 1})) << "two answer rows";
    Run(kShow);
    EXPECT_FALSE(Enabled(IDM_TEST_ANSWER_1));
    FindMainCommand(IDM_TEST_ANSWER_1)->run(session, frame);
    EXPECT_EQ(frame.clickedRows.size(), 2u);
    FindMainCommand(IDM_TEST_MISSED_FIRST)->run(session, frame);
    FindMainCommand(IDM_TEST_MISSED_FIRST)->run(session, frame);
    const std::vector<std::pair<std::string, std::string>> written = {{kValueMissedFirst, "1"},
                                                                      {kValueMissedFirst, "0"}};
    EXPECT_EQ(frame.settings, written);
}

}  // namespace
}  // namespace qb
