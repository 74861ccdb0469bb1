// Placement and scrolling of the picture in the Bild pane.
#pragma once
namespace qb {

// One axis of the pane: the visible extent, the scroll position and range
// (0 to maximum) and the offset at which a picture that fits is drawn.
struct ScrollAxis {
    int view = 0;
    int position = 0;
    int maximum = 0;
    int offset = 0;
};

struct PictureView {
    bool hasPicture = false;
    int pictureWidth = 0;
    int pictureHeight = 0;
    ScrollAxis horizontal;
    ScrollAxis vertical;
};

// The pane's client area as the window reports it (without the scroll bars
// currently shown) and the thickness of each bar.
struct PaneMetrics {
    int clientWidth = 0;
    int clientHeight = 0;
    bool verticalBarShown = false;
    bool horizontalBarShown = false;
    int verticalBarWidth = 0;
    int horizontalBarHeight = 0;
};

// Lays the picture out for the pane: a bar is given room only on the axis
// where the picture does not fit; a fitting axis is centred with no range, a
// larger one scrolls from 0 to picture - view and keeps its position within
// that range. Without a picture both ranges and offsets are 0.
void LayOutPicture(PictureView& view, const PaneMetrics& metrics);

enum class ScrollRequest {
    LineBack,  // line up / left: a tenth of the view
    LineForward,
    PageBack,  // a whole view
    PageForward,
    Thumb,  // the position the thumb was dragged to
    Start,  // top / left end
    End,    // bottom / right end
    Other,  // end of scrolling: no change
};

// The new position after a scroll request, never outside 0 to maximum.
int ScrollTo(const ScrollAxis& axis, ScrollRequest request, int thumbPosition);

}  // namespace qb
