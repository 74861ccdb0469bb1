// The Edit menu: New Question, Edit Question and Remove Question, as decisions
// over the document and the test-run state. The question dialog, the list
// view and the message boxes are reached through QuestionChangesView, which
// the main window implements with its controls and tests in memory.
#pragma once
#include <cstdint>
#include <string>

#include "document/document.h"
#include "editor/question_form.h"
#include "shell/practice_core.h"
#include "shell/practice_state.h"

namespace qb {

// Information boxes with the caption "Define a new Question".
enum class ChangeMessage {
    NotPossibleNow,  // "Not possible right now ..."
    NeedOpenTest,    // "For this action a test must already be opened or newly created ..."
};

class QuestionChangesView {
public:
    virtual ~QuestionChangesView() = default;
    // Menu item and toolbar button together.
    virtual void EnableCommand(RunCommand command, bool enabled) = 0;
    virtual void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) = 0;
    // Clears the selection of the list item at document.selectedItem as the
    // program's own deselection (no selection is taken from it).
    virtual void ClearOwnSelection() = 0;
    virtual void ShowChangeMessage(ChangeMessage message) = 0;
    // "... no memory available !" with the caption "An error occured ...".
    virtual void ShowNoMemory() = 0;
    // Runs the question dialog on document.pendingNode; returns its result
    // (0: nothing stored) and leaves the stored keyword in keyword.
    virtual int RunQuestionDialog(EditorMode mode, std::string& keyword) = 0;
    // Text of the list item at index, at most 20 characters.
    virtual std::string ListItemText(int32_t item) = 0;
    // The question sound, then "Should the selected question really be
    // deleted for ever ?" captioned "Delete Question: <keyword>"; true for Yes.
    virtual bool ConfirmRemoval(const std::string& keyword) = 0;
    // The list places a new item by its keyword. False when it could not be
    // inserted.
    virtual bool InsertListItem(const std::string& keyword, int image, int32_t key) = 0;
    // Rewrites the item at index in place.
    virtual void SetListItem(int32_t item, const std::string& keyword, int image, int32_t key) = 0;
    virtual void DeleteListItem(int32_t item) = 0;
};

// The list image of a question the dialog has just stored: not answered,
// multiple choice when the dialog's result is above 1.
int ImageOfStoredQuestion(int dialogResult);

void NewQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view);
void EditQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view);
void RemoveQuestion(TestDocument& document, TestRunState& run, QuestionChangesView& view);

}  // namespace qb
