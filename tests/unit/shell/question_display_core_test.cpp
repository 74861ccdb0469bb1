#include "shell/session/question_display_core.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/unit/shell/sequence_random.h"

namespace qb {
namespace {

QuestionRecord Record(const std::string& right, const std::array<std::string, 4>& wrong) {
    QuestionRecord record;
    record.keyword = "Mars";
    record.slots[kSlotQuestion] = "Which planet is red?\r\nName it.";
    record.slots[kSlotRightAnswer] = right;
    for (int i = 0; i < 4; ++i) record.slots[kSlotWrongAnswer1 + i] = wrong[i];
    return record;
}

TEST(DisplayPlan, SingleAnswerQuestionShowsNoAnswerRows) {
    SequenceRandom random({});
    QuestionDisplay display = PlanQuestionDisplay(Record("Mars", {}), Directory("C:\\Q"), random);
    EXPECT_EQ(display.keyword, "Mars");
    EXPECT_EQ(display.question, "Which planet is red?\r\nName it.");
    EXPECT_EQ(display.rowCount, 2);
    EXPECT_EQ(display.shownAnswerRows, 0);
    for (const std::string& row : display.answerRows) EXPECT_EQ(row, "");
    EXPECT_EQ(display.rightAnswer, "Mars");
    EXPECT_EQ(random.Used(), 0u);
}

TEST(DisplayPlan, TwoAnswersAppearInEitherOrder) {
    SequenceRandom rightFirst({DrawForPosition(0, 2), DrawForPosition(1, 2)});
    QuestionDisplay a = PlanQuestionDisplay(Record("Mars", {"Venus", "", "", ""}), Directory(), rightFirst);
    EXPECT_EQ(a.rowCount, 3);
    EXPECT_EQ(a.shownAnswerRows, 2);
    EXPECT_EQ(a.answerRows[0], "Mars");
    EXPECT_EQ(a.answerRows[1], "Venus");
    SequenceRandom rightSecond({DrawForPosition(1, 2), DrawForPosition(0, 2)});
    QuestionDisplay b = PlanQuestionDisplay(Record("Mars", {"Venus", "", "", ""}), Directory(), rightSecond);
    EXPECT_EQ(b.answerRows[0], "Venus");
    EXPECT_EQ(b.answerRows[1], "Mars");
}

TEST(DisplayPlan, EmptyWrongAnswersLeaveNoGaps) {
    // Wrong answers 1 and 3 empty: three answers in rows 0 to 2.
    SequenceRandom random({DrawForPosition(2, 3), DrawForPosition(0, 3), DrawForPosition(1, 3)});
    QuestionDisplay display = PlanQuestionDisplay(Record("Mars", {"", "Venus", "", "Pluto"}), Directory(), random);
    EXPECT_EQ(display.rowCount, 4);
    EXPECT_EQ(display.shownAnswerRows, 3);
    EXPECT_EQ(display.answerRows[0], "Venus");
    EXPECT_EQ(display.answerRows[1], "Pluto");
    EXPECT_EQ(display.answerRows[2], "Mars");
    EXPECT_EQ(display.answerRows[3], "");
    EXPECT_EQ(display.answerRows[4], "");
}

TEST(DisplayPlan, FiveAnswersFillEveryRow) {
    SequenceRandom random({DrawForPosition(4, 5), DrawForPosition(3, 5), DrawForPosition(2, 5), DrawForPosition(1, 5),
                           DrawForPosition(0, 5)});
    QuestionDisplay display = PlanQuestionDisplay(Record("R", {"W1", "W2", "W3", "W4"}), Directory(), random);
    EXPECT_EQ(display.rowCount, 6);
    std::set<std::string> shown(display.answerRows.begin(), display.answerRows.end());
    EXPECT_EQ(shown, (std::set<std::string>{"R", "W1", "W2", "W3", "W4"}));
    EXPECT_EQ(display.answerRows[4], "R");
    EXPECT_EQ(display.answerRows[0], "W4");
}

TEST(DisplayPlan, QuestionFilesAreResolvedAnswerFilesKeptAsStored) {
    QuestionRecord record = Record("Mars", {});
    record.slots[kSlotQuestionTextFile] = "*intro.rtf";
    record.slots[kSlotQuestionPictureFile] = "D:\\pics\\mars.bmp";
    record.slots[kSlotAnswerTextFile] = "*answer.txt";
    record.slots[kSlotAnswerPictureFile] = "*answer.bmp";
    SequenceRandom random({});
    QuestionDisplay display = PlanQuestionDisplay(record, Directory("C:\\Q"), random);
    EXPECT_EQ(display.questionTextFile, "C:\\Q\\intro.rtf");
    EXPECT_EQ(display.questionPictureFile, "D:\\pics\\mars.bmp");
    EXPECT_EQ(display.answerTextFile, "*answer.txt");
    EXPECT_EQ(display.answerPictureFile, "*answer.bmp");
}

// A record read only up to a failure: the rows are laid out for every answer
// its lengths announce, and only the question and answers read are shown.
TEST(DisplayPlan, PartlyReadRecordShowsWhatWasRead) {
    QuestionRecord record = Record("Mars", {});
    RecordProgress progress;
    progress.headerRead = true;
    progress.lengths = {29, 4, 5, 0, 5, 0, 0, 0, 0, 0};
    for (int slotsRead : {2, 0}) {
        progress.slotsRead = slotsRead;
        SequenceRandom random({DrawForPosition(1, 3), DrawForPosition(0, 3), DrawForPosition(2, 3)});
        const QuestionDisplay display = PlanQuestionDisplay(record, progress, Directory(), random);
        EXPECT_EQ(display.keyword, "Mars");
        EXPECT_EQ(display.rowCount, 4);
        EXPECT_EQ(display.shownAnswerRows, 3);
        EXPECT_EQ(display.questionRead, slotsRead > 0);
        EXPECT_EQ(display.answerRows[1], "Mars");
        EXPECT_EQ(display.answerRowRead[1], slotsRead > 1) << "the right answer, read";
        EXPECT_FALSE(display.answerRowRead[0]) << "wrong answer 1, not read";
        EXPECT_FALSE(display.answerRowRead[2]) << "wrong answer 3, not read";
    }
}

}  // namespace
}  // namespace qb
