#include "shell/session/layout_core.h"

#include <algorithm>

namespace qb {
namespace {

constexpr int kBoxLeft = 36;
constexpr int kMarkerLeft = 10;
constexpr int kQuestionTop = 35;

int BoxWidth(int paneWidth) {
    return std::max(0, paneWidth - 46);
}

void PlaceQuestionRow(TestPaneLayout& layout, int width, int rowHeight) {
    layout.questionBox = {kBoxLeft, kQuestionTop, BoxWidth(width), rowHeight};
    layout.questionMarker = {kMarkerLeft, kQuestionTop, kMarkerSize, kMarkerSize};
}

void PlaceAnswerRow(TestPaneLayout& layout, int index, int width, int top, int rowHeight) {
    layout.answerBoxes[index] = {kBoxLeft, top, BoxWidth(width), rowHeight};
    layout.answerMarkers[index] = {kMarkerLeft, top, kMarkerSize, kMarkerSize};
}

}  // namespace

TestPaneLayout LayOutRows(int width, int height, int rowCount) {
    TestPaneLayout layout;
    const int rows = std::clamp(rowCount, 1, kMaxAnswerRows + 1);
    const int rowHeight = std::max(0, (height - 5 * (rows / 2) - 50) / rows);
    layout.keywordLabel = {10, 5, std::max(0, width - 36), 20};
    PlaceQuestionRow(layout, width, rowHeight);
    layout.answerRows = rows - 1;
    for (int k = 1; k < rows; ++k) {
        PlaceAnswerRow(layout, k - 1, width, 45 + rowHeight + (k - 1) * (rowHeight + 5), rowHeight);
    }
    return layout;
}

TestPaneLayout LayOutShownAnswer(int width, int height) {
    TestPaneLayout layout;
    const int rowHeight = std::max(0, (height - 50) / 2);
    layout.keywordLabel = {10, 5, std::max(0, width - 36), 20};
    PlaceQuestionRow(layout, width, rowHeight);
    layout.answerRows = 1;
    PlaceAnswerRow(layout, 0, width, rowHeight + 45, rowHeight);
    return layout;
}

}  // namespace qb
