// The commands of the Test menu and the clicks on the Test pane's markers,
// as decisions over the test-run state and the document. Everything the
// commands do to windows goes through TestRunView, which the main window
// implements with its controls and tests implement in memory.
#pragma once
#include <cstdint>
#include <string>

#include "document/document.h"
#include "shell/random_source.h"
#include "shell/practice_state.h"

namespace qb {

enum class RunMessage {
    NoQuestionAvailable,  // "No question available !"
    DisplayFailed,        // "Error in file structure. The question cannot be displayed !"
    NoQuestionDisplayed,  // "There is no question displayed !"
    AllAnswered,          // "All questions are answered ..."
};

enum class BusyText {
    Question,   // "SEARCHING FOR QUESTION ..."
    Answer,     // "SEARCHING FOR ANSWER ..."
    Resetting,  // "RESETTING ALL QUESTIONS ..."
};

enum class RunCommand {
    Ask,
    ShowAnswer,
    MarkAnswered,
    ResetQuestion,
    ResetAll,
    EditQuestion,
    RemoveQuestion,
};

class TestRunView {
public:
    virtual ~TestRunView() = default;
    // An information box with the caption "Attention:".
    virtual void ShowMessage(RunMessage message) = 0;
    // Menu item and toolbar button together.
    virtual void EnableCommand(RunCommand command, bool enabled) = 0;
    // Wait cursor and the busy text in status-bar part 0; EndBusy restores the cursor.
    virtual void BeginBusy(BusyText text) = 0;
    virtual void EndBusy() = 0;
    virtual void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) = 0;
    // Adds delta to the image index of the list item whose parameter is key.
    virtual void ChangeListImage(int32_t key, int delta) = 0;
    // Before a question is displayed: focus to the main window, keyword label
    // collapsed, Text pane emptied, picture released.
    virtual void ClearForQuestion() = 0;
    // Shows node's question and fills the display fields of the state
    // (heldAnswer, file names, rowCount); false after reporting a failure.
    virtual bool DisplayQuestion(QuestionNode* node) = 0;
    // The two-row layout with answer in the first answer box.
    virtual void RevealAnswer(const std::string& answer) = 0;
    // A stored attachment name of the answer ("*" names not yet resolved).
    virtual void ShowAttachedText(const std::string& storedName) = 0;
    virtual void ShowAttachedPicture(const std::string& storedName) = 0;
    // Whether the list item at index is selected or focused, so that clearing
    // it will cause an item-changed notification.
    virtual bool ListItemHasSelection(int32_t item) = 0;
    // Sets the item at index to neither selected nor focused.
    virtual void ClearListItemState(int32_t item) = 0;
};

// Ask a Question: the selected question, or a random unanswered one.
void AskQuestion(TestRunState& run, TestDocument& document, RandomSource& random, TestRunView& view);
void ShowAnswer(TestRunState& run, TestRunView& view);
void MarkAsAnswered(TestRunState& run, TestDocument& document, TestRunView& view);
// Reset Question works on the question selected in the list.
void ResetQuestion(TestRunState& run, TestDocument& document, TestRunView& view);
void ResetAllQuestions(TestRunState& run, TestDocument& document, TestRunView& view);

// Clears the list selection so that the notification it causes is known as
// the program's own. Nothing is pending when the item had no selection (no
// notification would come to take the flag back).
void ClearOwnSelection(TestRunState& run, const TestDocument& document, TestRunView& view);

enum class MarkerClick {
    Ignored,      // nothing is held for judging (no question, or its answer is shown)
    ShowAnswer,   // the question marker: reveal the answer
    RightAnswer,  // beep, then Show answer and Mark as answered
    WrongAnswer,  // marker inverted, question sound; wrongChoice is now set
};

// The question marker is index -1, the answer markers 0 to 4; boxText is the
// whole text of the answer box beside the clicked marker.
MarkerClick JudgeMarkerClick(TestRunState& run, int markerIndex, const std::string& boxText);

}  // namespace qb
