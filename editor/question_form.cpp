#include "editor/question_form.h"

namespace qb {

size_t StoredKeywordLength(const std::string& fieldText) {
    size_t end = 0;
    while (end < fieldText.size() && end < kMaxKeywordLength && fieldText[end] != '\r' && fieldText[end] != '\n')
        ++end;
    return end;
}

std::string StoredKeyword(const std::string& fieldText) {
    return fieldText.substr(0, StoredKeywordLength(fieldText));
}

MissingField FirstMissingField(const QuestionFields& fields) {
    if (fields.question.empty()) return MissingField::Question;
    if (fields.rightAnswer.empty()) return MissingField::RightAnswer;
    if (StoredKeywordLength(fields.keyword) == 0) return MissingField::Keyword;
    return MissingField::None;
}

int StoredQuestionResult(const QuestionFields& fields) {
    int result = 1;
    for (const std::string& answer : fields.wrongAnswers) {
        if (!answer.empty()) ++result;
    }
    return result;
}

}  // namespace qb
