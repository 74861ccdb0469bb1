#include "shell/question_display_core.h"

#include <cctype>
#include <vector>

#include "shell/question_pick.h"

namespace qb {

QuestionDisplay PlanQuestionDisplay(const QuestionRecord& record, const std::string& programDirectory,
                                    RandomSource& random) {
    QuestionDisplay display;
    display.keyword = record.keyword;
    display.question = record.slots[kSlotQuestion];
    display.rightAnswer = record.slots[kSlotRightAnswer];
    std::vector<const std::string*> answers;
    for (int slot = kSlotRightAnswer; slot < kSlotQuestionTextFile; ++slot) {
        if (!record.slots[slot].empty()) answers.push_back(&record.slots[slot]);
    }
    // A record always has its right answer; a damaged one without it still
    // gets the two rows of a single-answer question.
    display.rowCount = 1 + (answers.empty() ? 1 : static_cast<int>(answers.size()));
    if (answers.size() > 1) {
        const std::vector<int> rows = DrawAnswerPlacement(static_cast<int>(answers.size()), random);
        for (size_t i = 0; i < answers.size(); ++i) display.answerRows[rows[i]] = *answers[i];
        display.shownAnswerRows = static_cast<int>(answers.size());
    }
    display.questionTextFile = ResolveAttachmentName(record.slots[kSlotQuestionTextFile], programDirectory);
    display.questionPictureFile = ResolveAttachmentName(record.slots[kSlotQuestionPictureFile], programDirectory);
    display.answerTextFile = record.slots[kSlotAnswerTextFile];
    display.answerPictureFile = record.slots[kSlotAnswerPictureFile];
    return display;
}

bool IsRichTextName(const std::string& name) {
    if (name.size() < 4) return false;
    const std::string tail = name.substr(name.size() - 4);
    return tail[0] == '.' && std::toupper(static_cast<unsigned char>(tail[1])) == 'R' &&
           std::toupper(static_cast<unsigned char>(tail[2])) == 'T' &&
           std::toupper(static_cast<unsigned char>(tail[3])) == 'F';
}

}  // namespace qb
