#include "shell/session/picture_layout.h"

#include <gtest/gtest.h>


namespace qb {
namespace {


constexpr int kBar = 17;

#define EXPECT_AXIS(axis, view, position, maximum, offset) ExpectAxis(axis, view, position, maximum, offset, __LINE__)

void ExpectAxis(const ScrollAxis& a, int view, int position, int maximum, int offset, int line) {
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(a.view, view);
    EXPECT_EQ(a.position, position);
    EXPECT_EQ(a.maximum, maximum);
    EXPECT_EQ(a.offset, offset);
}

PictureView Picture(int width, int height) {
    PictureView view;
    view.hasPicture = true;
    view.pictureWidth = width;
    view.pictureHeight = height;
    return view;
}

PaneMetrics Pane(int width, int height, bool verticalShown = false, bool horizontalShown = false) {
    PaneMetrics m;
    m.clientWidth = width;
    m.clientHeight = height;
    m.verticalBarShown = verticalShown;
    m.horizontalBarShown = horizontalShown;
    m.verticalBarWidth = kBar;
    m.horizontalBarHeight = kBar;
    return m;
}

TEST(PictureLayout, SmallerPictureIsCentredWithoutScrollRange) {
    PictureView view = Picture(100, 50);
    LayOutPicture(view, Pane(300, 200));
    EXPECT_AXIS(view.horizontal, 300, 0, 0, 100);
    EXPECT_AXIS(view.vertical, 200, 0, 0, 75);
    // The bars of an earlier picture are still shown: their room counts too.
    PictureView again = Picture(100, 50);
    LayOutPicture(again, Pane(300 - kBar, 200 - kBar, true, true));
    EXPECT_AXIS(again.horizontal, 300, 0, 0, 100);
    EXPECT_AXIS(again.vertical, 200, 0, 0, 75);
}

TEST(PictureLayout, TallerPictureScrollsVerticallyAndIsCentredAcross) {
    PictureView view = Picture(100, 500);
    LayOutPicture(view, Pane(300, 200));
    EXPECT_AXIS(view.horizontal, 300 - kBar, 0, 0, (300 - kBar - 100) / 2);
    EXPECT_AXIS(view.vertical, 200, 0, 300, 0);
}

TEST(PictureLayout, VerticalBarCanMakeThePictureTooWideAsWell) {
    PictureView view = Picture(290, 500);
    LayOutPicture(view, Pane(300, 200));
    EXPECT_AXIS(view.horizontal, 300 - kBar, 0, 290 - (300 - kBar), 0);
    EXPECT_AXIS(view.vertical, 200 - kBar, 0, 500 - (200 - kBar), 0);
}

TEST(PictureLayout, ResizingUntilThePictureFitsRemovesTheRangeAndCentres) {
    PictureView view = Picture(400, 300);
    LayOutPicture(view, Pane(300, 200));
    EXPECT_AXIS(view.horizontal, 283, 0, 117, 0);
    EXPECT_AXIS(view.vertical, 183, 0, 117, 0);
    view.vertical.position = 100;
    view.horizontal.position = 50;
    // Taller pane: the height fits, the width still scrolls within its new range.
    LayOutPicture(view, Pane(300 - kBar, 400 - kBar, true, true));
    EXPECT_AXIS(view.vertical, 400 - kBar, 0, 0, (400 - kBar - 300) / 2);
    EXPECT_AXIS(view.horizontal, 300, 50, 100, 0);
    // Wider still: the position never lies beyond the new maximum.
    LayOutPicture(view, Pane(380, 400 - kBar, false, true));
    EXPECT_AXIS(view.horizontal, 380, 20, 20, 0);
    LayOutPicture(view, Pane(500, 500, false, true));
    EXPECT_AXIS(view.horizontal, 500, 0, 0, 50);
    EXPECT_AXIS(view.vertical, 500 + kBar, 0, 0, (500 + kBar - 300) / 2);
}

TEST(PictureLayout, NoPictureLeavesNothingToScroll) {
    PictureView view = Picture(400, 300);
    LayOutPicture(view, Pane(300, 200));
    view.hasPicture = false;
    LayOutPicture(view, Pane(283, 183, true, true));
    EXPECT_AXIS(view.horizontal, 300, 0, 0, 0);
    EXPECT_AXIS(view.vertical, 200, 0, 0, 0);
}

ScrollAxis Axis(int view, int position, int maximum) {
    ScrollAxis a;
    a.view = view;
    a.position = position;
    a.maximum = maximum;
    return a;
}

TEST(PictureScroll, LinesAreATenthAndPagesAWholeView) {
    const ScrollAxis a = Axis(183, 100, 317);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::LineForward, 0), 118);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::LineBack, 0), 82);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::PageForward, 0), 283);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::PageBack, 0), 0);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::Thumb, 250), 250);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::Other, 250), 100);
}

TEST(PictureScroll, HomeAndEndJumpToTheEnds) {
    const ScrollAxis a = Axis(183, 100, 317);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::Start, 0), 0);
    EXPECT_EQ(ScrollTo(a, ScrollRequest::End, 0), 317);
}

TEST(PictureScroll, NeverPastEitherEnd) {
    EXPECT_EQ(ScrollTo(Axis(183, 310, 317), ScrollRequest::LineForward, 0), 317);
    EXPECT_EQ(ScrollTo(Axis(183, 300, 317), ScrollRequest::PageForward, 0), 317);
    EXPECT_EQ(ScrollTo(Axis(183, 5, 317), ScrollRequest::LineBack, 0), 0);
    EXPECT_EQ(ScrollTo(Axis(183, 5, 317), ScrollRequest::Thumb, 9000), 317);
    EXPECT_EQ(ScrollTo(Axis(183, 5, 317), ScrollRequest::Thumb, -4), 0);
    // Without a picture the positions stay at 0.
    EXPECT_EQ(ScrollTo(Axis(200, 0, 0), ScrollRequest::PageForward, 0), 0);
    EXPECT_EQ(ScrollTo(Axis(200, 0, 0), ScrollRequest::End, 0), 0);
}

}  // namespace
}  // namespace qb
