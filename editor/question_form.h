// The contents of the question dialog as plain data, and the rules Accept
// applies to them: which field must be filled, what the keyword line holds,
// and what the dialog reports to the command that opened it.
#pragma once
#include <array>
#include <string>

#include "document/format.h"

namespace qb {

enum class EditorMode { Define, Edit };

// Text of the dialog's fields as the edit controls hold them (CR LF line ends).
struct QuestionFields {
    std::string keyword;
    std::string question;
    std::string rightAnswer;
    std::array<std::string, 4> wrongAnswers;
};

// The first field Accept finds empty, in the order it checks them.
enum class MissingField { None, Question, RightAnswer, Keyword };

// The keyword as it is stored: at most 20 characters, ending before any line
// break, because a line break would end the keyword line early and shift
// every line after it.
std::string StoredKeyword(const std::string& fieldText);
// How many leading characters of the field StoredKeyword keeps.
size_t StoredKeywordLength(const std::string& fieldText);

// Question text, then right answer, then keyword; blanks count as text.
MissingField FirstMissingField(const QuestionFields& fields);

// 1 plus the number of non-empty wrong answers: what the dialog returns after
// storing the question. Above 1 marks a multiple-choice question.
int StoredQuestionResult(const QuestionFields& fields);

}  // namespace qb
