// The Test pane: the keyword label, the question row and the answer rows of
// the displayed question. Clicks on its markers reveal and judge the answers.
#pragma once
#include <windows.h>

#include <string>

#include "common/scoped_handles.h"
#include "shell/session/display_scale.h"
#include "shell/session/layout_core.h"
#include "shell/session/session.h"

namespace qb {

// Class name of the pane's window class.
extern const char kTestClass[];

class TestPaneView {
public:
    // The pane and its controls in parent, the main window, to which the
    // marker clicks send Show answer and Mark as answered after asking the
    // session for its judgement.
    bool Create(TestSession& session, HWND parent, HINSTANCE module, const DisplayScale& scale);
    HWND Handle() const { return pane_; }
    void Move(int x, int y, int width, int height);
    // Gives the keyword label and the six boxes the question font.
    void SetFont(HFONT font);

    // Hides every control: the question shown belonged to a test given up.
    void Hide();
    // Before the next question: the keyword label collapsed.
    void CollapseLabel();
    // What was read of the question; the rows of the previous one never stay.
    void ShowQuestion(const ShownQuestion& shown);
    // Show answer: the question and the first answer row share the pane.
    void RevealAnswer(const std::string& answer);
    // Lays the rows of a displayed question out again (nothing when none is shown).
    void Relayout(const ShownQuestion& shown);

    // The marker control ids: -1 for the question marker, 0 to 4 for the answer markers.
    static bool IsMarker(int controlId);
    static int MarkerIndex(int controlId);
    std::string AnswerText(int index) const;
    // Not stored: the marker's next repaint restores it, a second inversion undoes it.
    void InvertMarker(int index) const;
    void OnMarkerClicked(int controlId);

private:
    SIZE ClientSize() const;
    void HideQuestionRows();
    void HideAnswerRows(int fromRow);

    TestSession* session_ = nullptr;
    DisplayScale scale_;
    HWND mainWindow_ = nullptr;
    HWND pane_ = nullptr;
    HWND questionMarker_ = nullptr;
    HWND answerMarkers_[kMaxAnswerRows] = {};
    HWND questionBox_ = nullptr;
    HWND answerBoxes_[kMaxAnswerRows] = {};
    HWND keywordLabel_ = nullptr;
    ScopedIcon questionMarkerIcon_;
    ScopedIcon answerMarkerIcon_;
};

LRESULT CALLBACK TestPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qb
