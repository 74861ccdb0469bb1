// Placement and scrolling of the picture in the Bild pane, and the parts of a
// bitmap file's header the pane needs for its palette.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_stream.h"

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

struct PaletteColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// What the pane reads from the start of a bitmap file.
struct BitmapHeader {
    int32_t width = 0;
    int32_t height = 0;  // negative for a top-down bitmap
    uint16_t bitsPerPixel = 0;
    uint32_t coloursUsed = 0;
    uint32_t coloursImportant = 0;
    std::vector<PaletteColour> colourTable;  // the entries the file holds
};

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
// Room for the colour table behind the information header (257 entries).
constexpr size_t kMaxColourTableBytes = 1028;

// Parses the file header, the information header and the colour table from
// the first bytes of a bitmap file. The colour table is taken from behind the
// whole information header, whatever its version, and never beyond
// kMaxColourTableBytes. False when the bytes are not a bitmap header.
bool ParseBitmapHeader(const uint8_t* data, size_t size, BitmapHeader& header);

// How many bytes of a file ParseBitmapHeader may need.
constexpr size_t kBitmapHeaderReadSize = kFileHeaderSize + 124 + kMaxColourTableBytes;

// Reads the start of the file at path and parses it as ParseBitmapHeader
// does. False when the file cannot be opened or is not a bitmap.
bool ReadBitmapHeaderFile(FileSystem& files, const std::string& path, BitmapHeader& header);

// A header the pane loads a picture for: a width above 0, a height other
// than 0 and a pixel depth the system's bitmap loader knows.
bool IsShowableBitmap(const BitmapHeader& header);

// The palette a palette display realises for the picture: one entry per used
// colour of the table (colours-used entries, as far as the table reaches);
// empty when the header declares no used colours.
std::vector<PaletteColour> PictureColours(const BitmapHeader& header);

}  // namespace qb
