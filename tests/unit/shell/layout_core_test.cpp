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
        TestPaneLayout layout = LayOutRows(500, 400, f.rows, DisplayScale());
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
    TestPaneLayout layout = LayOutShownAnswer(500, 400, DisplayScale());
    EXPECT_RECT(layout.questionBox, 36, 35, 454, 175);
    EXPECT_RECT(layout.answerBoxes[0], 36, 220, 454, 175);
    EXPECT_RECT(layout.answerMarkers[0], 10, 220, 16, 16);
    EXPECT_EQ(layout.answerRows, 1);
    TestPaneLayout odd = LayOutShownAnswer(300, 251, DisplayScale());
    EXPECT_RECT(odd.questionBox, 36, 35, 254, 100);
    EXPECT_RECT(odd.answerBoxes[0], 36, 145, 254, 100);
}

TEST(RowLayout, TinyPaneGetsEmptyBoxesRatherThanNegativeSizes) {
    TestPaneLayout layout = LayOutRows(20, 30, 6, DisplayScale());
    EXPECT_EQ(layout.questionBox.width, 0);
    EXPECT_EQ(layout.questionBox.height, 0);
    EXPECT_EQ(layout.keywordLabel.width, 0);
    for (int k = 0; k < layout.answerRows; ++k) EXPECT_EQ(layout.answerBoxes[k].height, 0);
    EXPECT_EQ(layout.answerBoxes[4].y, 45 + 4 * 5);
    TestPaneLayout shown = LayOutShownAnswer(10, 10, DisplayScale());
    EXPECT_EQ(shown.answerBoxes[0].height, 0);
    EXPECT_EQ(shown.answerBoxes[0].y, 45);
}

TEST(DisplayScale, FiguresAndArtSizeFollowTheResolution) {
    struct Case {
        int dpi;
        int marker;    // 16 at 96 DPI
        int box;       // 169 at 96 DPI
        int negative;  // -5 at 96 DPI
        int art;
    };
    const Case cases[] = {
        {96, 16, 169, -5, 16},   {120, 20, 211, -6, 24},  {144, 24, 254, -8, 24}, {168, 28, 296, -9, 32},
        {192, 32, 338, -10, 32}, {288, 48, 507, -15, 32}, {0, 16, 169, -5, 16},   {72, 12, 127, -4, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " DPI");
        const DisplayScale scale(c.dpi);
        EXPECT_EQ(scale.Pixels(16), c.marker);
        EXPECT_EQ(scale.Pixels(169), c.box);
        EXPECT_EQ(scale.Pixels(-5), c.negative);
        EXPECT_EQ(scale.ArtSize(), c.art);
        EXPECT_EQ(kArtSizes[scale.ArtIndex()], c.art);
    }
}

TEST(DisplayScale, WindowOffEveryMonitorMovesOntoTheWorkArea) {
    const ScreenRect work = {0, 0, 1280, 994};
    struct Case {
        ScreenRect window;
        ScreenRect expected;
    };
    const Case cases[] = {
        {{3000, 200, 400, 300}, {880, 200, 400, 300}},   // right of the monitor: in by its width
        {{-900, -700, 400, 300}, {0, 0, 400, 300}},      // above and left
        {{100, 2000, 400, 300}, {100, 694, 400, 300}},   // below
        {{5000, 5000, 2000, 1200}, {0, 0, 2000, 1200}},  // larger than the area: top-left corner in
        {{10, 20, 400, 300}, {10, 20, 400, 300}},        // already inside
    };
    for (const Case& c : cases) {
        const ScreenRect moved = MovedOnto(c.window, work);
        EXPECT_EQ(moved.x, c.expected.x);
        EXPECT_EQ(moved.y, c.expected.y);
        EXPECT_EQ(moved.width, c.expected.width);
        EXPECT_EQ(moved.height, c.expected.height);
    }
}

// At a higher resolution the pane is the 96-DPI pane scaled, and every row is
// the 96-DPI row scaled: sizes within a pixel, positions within a pixel plus
// one per row above (the rounding of each gap adds up).
void ExpectScaled(const PaneRect& actual, const PaneRect& base, double ratio, int rowsAbove) {
    EXPECT_NEAR(actual.width, base.width * ratio, 1.0);
    EXPECT_NEAR(actual.height, base.height * ratio, 1.0);
    EXPECT_NEAR(actual.x, base.x * ratio, 1.0);
    EXPECT_NEAR(actual.y, base.y * ratio, 1.0 + rowsAbove);
}

TEST(RowLayout, HigherResolutionsScaleTheWholePane) {
    for (int dpi : {120, 144, 168, 192}) {
        const double ratio = dpi / 96.0;
        for (int rows = 2; rows <= 6; ++rows) {
            SCOPED_TRACE(testing::Message() << dpi << " DPI, " << rows << " rows");
            const TestPaneLayout base = LayOutRows(500, 400, rows, DisplayScale());
            const TestPaneLayout scaled =
                LayOutRows(static_cast<int>(500 * ratio), static_cast<int>(400 * ratio), rows, DisplayScale(dpi));
            ExpectScaled(scaled.keywordLabel, base.keywordLabel, ratio, 0);
            ExpectScaled(scaled.questionBox, base.questionBox, ratio, 0);
            ExpectScaled(scaled.questionMarker, base.questionMarker, ratio, 0);
            for (int k = 0; k < base.answerRows; ++k) {
                ExpectScaled(scaled.answerBoxes[k], base.answerBoxes[k], ratio, k + 1);
                ExpectScaled(scaled.answerMarkers[k], base.answerMarkers[k], ratio, k + 1);
            }
        }
        const TestPaneLayout shown = LayOutShownAnswer(720, 600, DisplayScale(dpi));
        EXPECT_LE(shown.answerBoxes[0].y + shown.answerBoxes[0].height, 600) << dpi << " DPI";
    }
}

}  // namespace
}  // namespace qb
