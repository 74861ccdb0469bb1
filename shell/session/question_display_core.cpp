#include "shell/session/question_display_core.h"

#include <vector>

#include "document/attachments.h"
#include "shell/session/question_pick.h"

namespace qb {

QuestionDisplay PlanQuestionDisplay(const QuestionRecord& record, const Directory& programDirectory,
                                    RandomSource& random) {
    RecordProgress complete;
    complete.outcome = RecordRead::Complete;
    complete.headerRead = true;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        complete.lengths[slot] = static_cast<int64_t>(record.slots[slot].size());
    }
    complete.slotsRead = kSlotCount;
    return PlanQuestionDisplay(record, complete, programDirectory, random);
}

QuestionDisplay PlanQuestionDisplay(const QuestionRecord& record, const RecordProgress& progress,
                                    const Directory& programDirectory, RandomSource& random) {
    QuestionDisplay display;
    display.keyword = record.keyword;
    display.question = record.slots[kSlotQuestion];
    display.questionRead = progress.slotsRead > kSlotQuestion;
    display.rightAnswer = record.slots[kSlotRightAnswer];
    std::vector<int> answerSlots;
    for (int slot = kSlotRightAnswer; slot < kSlotQuestionTextFile; ++slot) {
        if (progress.lengths[slot] > 0) answerSlots.push_back(slot);
    }
    // A record always has its right answer; a damaged one without it still
    // gets the two rows of a single-answer question.
    display.rowCount = 1 + (answerSlots.empty() ? 1 : static_cast<int>(answerSlots.size()));
    if (answerSlots.size() > 1) {
        const std::vector<int> rows = DrawAnswerPlacement(static_cast<int>(answerSlots.size()), random);
        for (size_t i = 0; i < answerSlots.size(); ++i) {
            display.answerRows[rows[i]] = record.slots[answerSlots[i]];
            display.answerRowRead[rows[i]] = progress.slotsRead > answerSlots[i];
        }
        display.shownAnswerRows = static_cast<int>(answerSlots.size());
    }
    display.questionTextFile = ResolveAttachmentName(record.slots[kSlotQuestionTextFile], programDirectory);
    display.questionPictureFile = ResolveAttachmentName(record.slots[kSlotQuestionPictureFile], programDirectory);
    display.answerTextFile = record.slots[kSlotAnswerTextFile];
    display.answerPictureFile = record.slots[kSlotAnswerPictureFile];
    return display;
}

}  // namespace qb
