#include "shell/session/layout_core.h"

#include <gtest/gtest.h>

#include <vector>

namespace qb {
namespace {

#define EXPECT_RECT(actual, x, y, w, h) ExpectRect(actual, x, y, w, h, __LINE__)

void ExpectRect(const PaneRect& r, int x, int y, int w, int h, int line) {
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, w);
    EXPECT_EQ(r.height, h);
}

struct RowFigures {
    int rows;
    int rowHeight;
    std::vector<int> answerTops;
};

// Figures for a pane of 500 x 400, worked out by hand: the question row at 35,
// 10 pixels to the first answer row, 5 between answer rows.
const RowFigures kFigures[] = {
    {2, 172, {217}},
    {3, 115, {160, 280}},
    {4, 85, {130, 220, 310}},
    {5, 68, {113, 186, 259, 332}},
    {6, 55, {100, 160, 220, 280, 340}},
};

TEST(RowLayout, FiguresForTwoToSixRows) {
    for (const RowFigures& f : kFigures) {
        SCOPED_TRACE(testing::Message() << f.rows << " rows");
        TestPaneLayout layout = LayOutRows(500, 400, f.rows);
        EXPECT_RECT(layout.keywordLabel, 10, 5, 464, 20);
        EXPECT_RECT(layout.questionBox, 36, 35, 454, f.rowHeight);
        EXPECT_RECT(layout.questionMarker, 10, 35, 16, 16);
        ASSERT_EQ(layout.answerRows, f.rows - 1);
        for (int k = 0; k < layout.answerRows; ++k) {
            EXPECT_RECT(layout.answerBoxes[k], 36, f.answerTops[k], 454, f.rowHeight);
            EXPECT_RECT(layout.answerMarkers[k], 10, f.answerTops[k], 16, 16);
        }
        const PaneRect& last = layout.answerBoxes[layout.answerRows - 1];
        EXPECT_LE(last.y + last.height, 400) << "the last row stays inside the pane";
    }
}

TEST(RowLayout, ShownAnswerSplitsThePaneInTwo) {
    TestPaneLayout layout = LayOutShownAnswer(500, 400);
    EXPECT_RECT(layout.questionBox, 36, 35, 454, 175);
    EXPECT_RECT(layout.answerBoxes[0], 36, 220, 454, 175);
    EXPECT_RECT(layout.answerMarkers[0], 10, 220, 16, 16);
    EXPECT_EQ(layout.answerRows, 1);
    TestPaneLayout odd = LayOutShownAnswer(300, 251);
    EXPECT_RECT(odd.questionBox, 36, 35, 254, 100);
    EXPECT_RECT(odd.answerBoxes[0], 36, 145, 254, 100);
}

TEST(RowLayout, TinyPaneGetsEmptyBoxesRatherThanNegativeSizes) {
    TestPaneLayout layout = LayOutRows(20, 30, 6);
    EXPECT_EQ(layout.questionBox.width, 0);
    EXPECT_EQ(layout.questionBox.height, 0);
    EXPECT_EQ(layout.keywordLabel.width, 0);
    for (int k = 0; k < layout.answerRows; ++k) EXPECT_EQ(layout.answerBoxes[k].height, 0);
    EXPECT_EQ(layout.answerBoxes[4].y, 45 + 4 * 5);
    TestPaneLayout shown = LayOutShownAnswer(10, 10);
    EXPECT_EQ(shown.answerBoxes[0].height, 0);
    EXPECT_EQ(shown.answerBoxes[0].y, 45);
}

}  // namespace
}  // namespace qb
