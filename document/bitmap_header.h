// The parts of a bitmap file's header that the picture pane needs to show a
// picture with its palette, and that a test's check needs to tell whether the
// pane can show an attached picture at all.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_stream.h"

namespace qb {

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
