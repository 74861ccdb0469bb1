// Sizes in pixels for the display's resolution. Every pixel figure of the
// main window's layout is written for 96 DPI and grows by DPI / 96; the art
// is drawn at a few fixed sizes and the one that fits is taken.
#pragma once

namespace qb {

constexpr int kBaseDpi = 96;

// The sizes the toolbar, list and marker art is drawn at, smallest first.
constexpr int kArtSizes[] = {16, 24, 32};
constexpr int kArtSizeCount = 3;

class DisplayScale {
public:
    // A resolution of 0 or below (unknown) is taken as 96 DPI.
    explicit DisplayScale(int dpi = kBaseDpi);

    int Dpi() const { return dpi_; }

    // A figure of the 96-DPI layout at this resolution, rounded to the
    // nearest pixel (halves away from zero).
    int Pixels(int basePixels) const;

    // Which of kArtSizes the 16-pixel art is shown at: the smallest that is
    // at least Pixels(16), or the largest (at 120 DPI: 20 pixels, art of 24).
    int ArtIndex() const;
    int ArtSize() const { return kArtSizes[ArtIndex()]; }

private:
    int dpi_;
};

// A window rectangle (corner and size) and a monitor's work area.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// A window that lies on no monitor moved onto the work area of the nearest
// one: as little as it takes to bring all of it in, its top-left corner
// first where it is larger than the area. Its size stays.
ScreenRect MovedOnto(const ScreenRect& window, const ScreenRect& workArea);

}  // namespace qb
