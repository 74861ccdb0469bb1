// What the frame hears from the session: every change the windows show.
// The session has one observer; it may be none (tests that look only at the
// session's own state).
#pragma once
#include <cstdint>
#include <string>

namespace qb {

// What status-bar part 0 to 2 are to show now.
enum class StatusShown {
    Counters,      // asked, correct and remaining
    StartupHints,  // the hints of a main window without a test
};

enum class DisplayChange {
    Hidden,         // the question shown belonged to a test given up
    Cleared,        // before the next question: label collapsed, panes emptied
    QuestionShown,  // a question was read (in whole or in part) and is to be shown
    AnswerShown,    // Show answer: the answer beside the question
};

class SessionObserver {
public:
    virtual ~SessionObserver() = default;
    // The index was built anew (Open) or emptied (New, Close, a failed Open).
    virtual void QuestionsReplaced() = 0;
    virtual void QuestionAdded(int32_t key) = 0;
    // Questions were added at the end of the index in one go (an import),
    // from the one of firstKey on.
    virtual void QuestionsAdded(int32_t firstKey) = 0;
    // Keyword or status (and so the row's image) of the question changed.
    virtual void QuestionChanged(int32_t key) = 0;
    virtual void QuestionRemoved(int32_t key) = 0;
    // The program clears the list selection of the question's row; the list
    // reports the change back through TestSession::TakeListChange.
    virtual void ListSelectionCleared(int32_t key) = 0;
    // The program selects the question's row and scrolls it into view; the
    // list reports the change as the user's selection.
    virtual void QuestionSelected(int32_t key) = 0;
    virtual void StatusChanged(StatusShown shown) = 0;
    virtual void DisplayChanged(DisplayChange change) = 0;
    // The question list switched between the plain list and the details
    // view (ShowsListDetails).
    virtual void ListDetailsChanged() = 0;
    // The window title's path; empty for none.
    virtual void TitleChanged(const std::string& path) = 0;
};

}  // namespace qb
