#include "editor/question_form.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

QuestionFields Complete() {
    QuestionFields fields;
    fields.keyword = "Mars";
    fields.question = "Which planet is called the red planet?";
    fields.rightAnswer = "Mars";
    return fields;
}

TEST(AcceptChecks, EveryFieldEmptyReportsTheQuestionFirst) {
    EXPECT_EQ(FirstMissingField(QuestionFields{}), MissingField::Question);
}

TEST(AcceptChecks, QuestionAndKeywordWithoutAnswerReportTheAnswer) {
    QuestionFields fields = Complete();
    fields.rightAnswer.clear();
    EXPECT_EQ(FirstMissingField(fields), MissingField::RightAnswer);
}

TEST(AcceptChecks, KeywordIsCheckedLast) {
    QuestionFields fields = Complete();
    fields.keyword.clear();
    EXPECT_EQ(FirstMissingField(fields), MissingField::Keyword);
    fields.rightAnswer.clear();
    EXPECT_EQ(FirstMissingField(fields), MissingField::RightAnswer);
}

TEST(AcceptChecks, BlanksCountAsText) {
    QuestionFields fields;
    fields.keyword = " ";
    fields.question = "  ";
    fields.rightAnswer = "\r\n";
    EXPECT_EQ(FirstMissingField(fields), MissingField::None);
}

TEST(AcceptChecks, CompleteFieldsPass) {
    EXPECT_EQ(FirstMissingField(Complete()), MissingField::None);
}

TEST(AcceptChecks, KeywordThatIsOnlyALineBreakCountsAsEmpty) {
    QuestionFields fields = Complete();
    fields.keyword = "\r\nMars";
    EXPECT_EQ(FirstMissingField(fields), MissingField::Keyword);
}

TEST(StoredKeyword, KeepsAtMostTwentyCharacters) {
    EXPECT_EQ(StoredKeyword("12345678901234567890"), "12345678901234567890");
    EXPECT_EQ(StoredKeyword("123456789012345678901"), "12345678901234567890");
    EXPECT_EQ(StoredKeyword(""), "");
}

TEST(StoredKeyword, EndsBeforeALineBreak) {
    EXPECT_EQ(StoredKeyword("Moon\r\nphases"), "Moon");
    EXPECT_EQ(StoredKeyword("Sun\nrise"), "Sun");
}

TEST(StoredQuestionResult, CountsNonEmptyWrongAnswers) {
    QuestionFields fields = Complete();
    EXPECT_EQ(StoredQuestionResult(fields), 1);
    fields.wrongAnswers = {"Venus", "", "Jupiter", ""};
    EXPECT_EQ(StoredQuestionResult(fields), 3);
    fields.wrongAnswers = {"Venus", "Earth", "Jupiter", ""};
    EXPECT_EQ(StoredQuestionResult(fields), 4);
    fields.wrongAnswers = {"Venus", "Earth", "Jupiter", " "};
    EXPECT_EQ(StoredQuestionResult(fields), 5);
}

}  // namespace
}  // namespace qb
