#include "shell/session/display_scale.h"

#include <algorithm>
#include <cstdint>

namespace qb {

DisplayScale::DisplayScale(int dpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

int DisplayScale::Pixels(int basePixels) const {
    const int64_t scaled = static_cast<int64_t>(basePixels < 0 ? -basePixels : basePixels) * dpi_;
    const int magnitude = static_cast<int>((scaled + kBaseDpi / 2) / kBaseDpi);
    return basePixels < 0 ? -magnitude : magnitude;
}

int DisplayScale::ArtIndex() const {
    const int wanted = Pixels(kArtSizes[0]);
    for (int i = 0; i < kArtSizeCount; ++i) {
        if (kArtSizes[i] >= wanted) return i;
    }
    return kArtSizeCount - 1;
}

namespace {

// The start of a span of the given length moved into [areaStart, areaStart + areaLength).
int MovedInto(int start, int length, int areaStart, int areaLength) {
    const int latest = areaStart + areaLength - length;
    return std::max(areaStart, std::min(start, latest));
}

}  // namespace

ScreenRect MovedOnto(const ScreenRect& window, const ScreenRect& workArea) {
    ScreenRect moved = window;
    moved.x = MovedInto(window.x, window.width, workArea.x, workArea.width);
    moved.y = MovedInto(window.y, window.height, workArea.y, workArea.height);
    return moved;
}

}  // namespace qb
