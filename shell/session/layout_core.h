// Where the controls of the Test pane go for a displayed question.
#pragma once
#include "shell/session/display_scale.h"

namespace qb {

struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

constexpr int kMaxAnswerRows = 5;
constexpr int kMarkerSize = 16;  // at 96 DPI

struct TestPaneLayout {
    PaneRect keywordLabel;
    PaneRect questionBox;
    PaneRect questionMarker;
    int answerRows = 0;  // rows placed below the question row
    PaneRect answerBoxes[kMaxAnswerRows];
    PaneRect answerMarkers[kMaxAnswerRows];
};

// rowCount rows (the question and rowCount - 1 answers, 2 to 6) in a pane of
// the given client size: the question row, 10 pixels, then the answer rows
// 5 pixels apart, all of the same height. Every figure is one of 96 DPI,
// scaled for the display. Sizes never go below 0 in a pane too small for them.
TestPaneLayout LayOutRows(int width, int height, int rowCount, const DisplayScale& scale);

// After Show answer: the question box and the first answer row share the pane
// in two halves. The keyword label keeps its place.
TestPaneLayout LayOutShownAnswer(int width, int height, const DisplayScale& scale);

}  // namespace qb
