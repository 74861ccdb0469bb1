// What the Test pane shows for one question record: the keyword, the
// question, the answers of a multiple-choice question in drawn rows, and the
// attached files.
#pragma once
#include <array>
#include <string>

#include "base/paths.h"
#include "document/record.h"
#include "shell/session/layout_core.h"
#include "shell/session/random_source.h"

namespace qb {

struct QuestionDisplay {
    std::string keyword;
    std::string question;
    int rowCount = 0;  // 1 + the number of answers, 2 to 6
    // Answer text by row, filled for rows 0 to rowCount - 2 of a
    // multiple-choice question; a single-answer question shows none.
    std::array<std::string, kMaxAnswerRows> answerRows;
    int shownAnswerRows = 0;                           // rows that hold an answer
    std::array<bool, kMaxAnswerRows> answerRowRead{};  // of those, the rows whose answer was read
    bool questionRead = true;
    std::string rightAnswer;       // kept for Show answer and the judging
    std::string questionTextFile;  // resolved against the program directory
    std::string questionPictureFile;
    std::string answerTextFile;  // as stored
    std::string answerPictureFile;
};

// Plans the display of record (texts decoded): the right answer and the
// non-empty wrong answers in index order draw their rows, so empty wrong
// answers leave no gaps.
QuestionDisplay PlanQuestionDisplay(const QuestionRecord& record, const Directory& programDirectory,
                                    RandomSource& random);
// The same for a record read only in part: the rows are laid out for every
// answer its lengths announce, and only what was read is shown.
QuestionDisplay PlanQuestionDisplay(const QuestionRecord& record, const RecordProgress& progress,
                                    const Directory& programDirectory, RandomSource& random);

}  // namespace qb
