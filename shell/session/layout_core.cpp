#include "shell/session/layout_core.h"

#include <algorithm>

namespace qb {
namespace {

// The pane's figures at 96 DPI; each is scaled for the display.
constexpr int kBoxLeft = 36;
constexpr int kMarkerLeft = 10;
constexpr int kQuestionTop = 35;
constexpr int kFirstAnswerGap = 45;  // from the pane's top to the first answer row, less one row
constexpr int kRowGap = 5;
constexpr int kRowsMargin = 50;  // above the question row and below the last row
constexpr int kBoxRightMargin = 46;
constexpr int kLabelLeft = 10;
constexpr int kLabelTop = 5;
constexpr int kLabelRightMargin = 36;
constexpr int kLabelHeight = 20;

int BoxWidth(int paneWidth, const DisplayScale& scale) {
    return std::max(0, paneWidth - scale.Pixels(kBoxRightMargin));
}

PaneRect KeywordLabel(int width, const DisplayScale& scale) {
    return {scale.Pixels(kLabelLeft), scale.Pixels(kLabelTop), std::max(0, width - scale.Pixels(kLabelRightMargin)),
            scale.Pixels(kLabelHeight)};
}

PaneRect Marker(int top, const DisplayScale& scale) {
    return {scale.Pixels(kMarkerLeft), top, scale.Pixels(kMarkerSize), scale.Pixels(kMarkerSize)};
}

void PlaceQuestionRow(TestPaneLayout& layout, int width, int rowHeight, const DisplayScale& scale) {
    const int top = scale.Pixels(kQuestionTop);
    layout.questionBox = {scale.Pixels(kBoxLeft), top, BoxWidth(width, scale), rowHeight};
    layout.questionMarker = Marker(top, scale);
}

void PlaceAnswerRow(TestPaneLayout& layout, int index, int width, int top, int rowHeight, const DisplayScale& scale) {
    layout.answerBoxes[index] = {scale.Pixels(kBoxLeft), top, BoxWidth(width, scale), rowHeight};
    layout.answerMarkers[index] = Marker(top, scale);
}

}  // namespace

TestPaneLayout LayOutRows(int width, int height, int rowCount, const DisplayScale& scale) {
    TestPaneLayout layout;
    const int rows = std::clamp(rowCount, 1, kMaxAnswerRows + 1);
    const int gap = scale.Pixels(kRowGap);
    const int rowHeight = std::max(0, (height - gap * (rows / 2) - scale.Pixels(kRowsMargin)) / rows);
    layout.keywordLabel = KeywordLabel(width, scale);
    PlaceQuestionRow(layout, width, rowHeight, scale);
    layout.answerRows = rows - 1;
    const int firstTop = scale.Pixels(kFirstAnswerGap) + rowHeight;
    for (int k = 1; k < rows; ++k) {
        PlaceAnswerRow(layout, k - 1, width, firstTop + (k - 1) * (rowHeight + gap), rowHeight, scale);
    }
    return layout;
}

TestPaneLayout LayOutShownAnswer(int width, int height, const DisplayScale& scale) {
    TestPaneLayout layout;
    const int rowHeight = std::max(0, (height - scale.Pixels(kRowsMargin)) / 2);
    layout.keywordLabel = KeywordLabel(width, scale);
    PlaceQuestionRow(layout, width, rowHeight, scale);
    layout.answerRows = 1;
    PlaceAnswerRow(layout, 0, width, scale.Pixels(kFirstAnswerGap) + rowHeight, rowHeight, scale);
    return layout;
}

}  // namespace qb
