// The state of practising a test: the counters, the questions on display and
// last asked, what the displayed question still holds for Show answer, and
// the rows of the Test pane in use. One instance lives in the main window;
// nothing of it is saved.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "document/document.h"

namespace qb {

struct TestRunState {
    int32_t askedCount = 0;
    int32_t correctCount = 0;
    int32_t remainingCount = 0;               // questions whose status is 0
    QuestionNode* currentQuestion = nullptr;  // may still be shown and marked; the random walk starts here
    QuestionNode* lastAsked = nullptr;
    bool ownDeselectPending = false;  // the next item-changed notification is our own deselection

    // From the display of a question until Show answer.
    std::optional<std::string> heldAnswer;
    bool wrongChoice = false;    // a wrong answer was clicked since the latest Ask a Question
    std::string answerTextFile;  // as stored: a "*" name is resolved when it is shown
    std::string answerPictureFile;

    // The Test pane: 0 while nothing is displayed, else 1 + the number of answers.
    int rowCount = 0;
    bool answerShown = false;      // the pane uses the two rows of Show answer
    std::string questionTextFile;  // resolved names of the displayed question's files
    std::string questionPictureFile;

    // New, Open and Close start the counting afresh; the nodes are gone.
    void ForgetQuestions(int32_t remaining) {
        askedCount = 0;
        correctCount = 0;
        remainingCount = remaining;
        currentQuestion = nullptr;
        lastAsked = nullptr;
    }
};

}  // namespace qb
