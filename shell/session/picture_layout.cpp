#include "shell/session/picture_layout.h"

#include <algorithm>

namespace qb {
namespace {

void FitAxis(ScrollAxis& axis, int picture, int view) {
    axis.view = view;
    if (view >= picture) {
        axis.position = 0;
        axis.maximum = 0;
        axis.offset = (view - picture) / 2;
    } else {
        axis.offset = 0;
        axis.maximum = picture - view;
        axis.position = std::clamp(axis.position, 0, axis.maximum);
    }
}

}  // namespace

void LayOutPicture(PictureView& view, const PaneMetrics& metrics) {
    const int fullWidth = metrics.clientWidth + (metrics.verticalBarShown ? metrics.verticalBarWidth : 0);
    const int fullHeight = metrics.clientHeight + (metrics.horizontalBarShown ? metrics.horizontalBarHeight : 0);
    if (!view.hasPicture) {
        view.horizontal = {std::max(0, fullWidth), 0, 0, 0};
        view.vertical = {std::max(0, fullHeight), 0, 0, 0};
        return;
    }
    // A bar taken by one axis can make the other axis overflow too; two
    // rounds settle it because the need for a bar only ever grows.
    bool needVertical = false;
    bool needHorizontal = false;
    for (int round = 0; round < 2; ++round) {
        const int width = fullWidth - (needVertical ? metrics.verticalBarWidth : 0);
        const int height = fullHeight - (needHorizontal ? metrics.horizontalBarHeight : 0);
        needHorizontal = view.pictureWidth > width;
        needVertical = view.pictureHeight > height;
    }
    const int viewWidth = std::max(0, fullWidth - (needVertical ? metrics.verticalBarWidth : 0));
    const int viewHeight = std::max(0, fullHeight - (needHorizontal ? metrics.horizontalBarHeight : 0));
    FitAxis(view.horizontal, view.pictureWidth, viewWidth);
    FitAxis(view.vertical, view.pictureHeight, viewHeight);
}

int ScrollTo(const ScrollAxis& axis, ScrollRequest request, int thumbPosition) {
    int position = axis.position;
    switch (request) {
    case ScrollRequest::LineBack: position -= axis.view / 10; break;
    case ScrollRequest::LineForward: position += axis.view / 10; break;
    case ScrollRequest::PageBack: position -= axis.view; break;
    case ScrollRequest::PageForward: position += axis.view; break;
    case ScrollRequest::Thumb: position = thumbPosition; break;
    case ScrollRequest::Start: position = 0; break;
    case ScrollRequest::End: position = axis.maximum; break;
    case ScrollRequest::Other: return axis.position;
    }
    return std::clamp(position, 0, std::max(0, axis.maximum));
}

}  // namespace qb
