#include "editor/question_form.h"

namespace qb {

std::string StoredKeyword(const std::string& fieldText) {
    size_t end = fieldText.find_first_of("\r\n");
    if (end == std::string::npos) end = fieldText.size();
    if (end > kMaxKeywordLength) end = kMaxKeywordLength;
    return fieldText.substr(0, end);
}

MissingField FirstMissingField(const QuestionFields& fields) {
    if (fields.question.empty()) return MissingField::Question;
    if (fields.rightAnswer.empty()) return MissingField::RightAnswer;
    if (StoredKeyword(fields.keyword).empty()) return MissingField::Keyword;
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
