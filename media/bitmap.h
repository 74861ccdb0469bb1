// Bitmap files (.bmp) as the Bild pane shows them and qbtool checks them: the
// header of every version, the rule for what can be shown, and the pixels in
// the form a device-independent section takes them.
#pragma once
#include <array>
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

// The compression field of an information header.
enum BitmapCompression : uint32_t {
    kBitmapRgb = 0,
    kBitmapRle8 = 1,
    kBitmapRle4 = 2,
    kBitmapBitFields = 3,
};

constexpr size_t kFileHeaderSize = 14;
// The oldest information header: 16-bit sizes, 3-byte colour entries.
constexpr uint32_t kCoreHeaderSize = 12;
// The information header every later version begins with.
constexpr uint32_t kInfoHeaderSize = 40;
// Room for the colour table the pane's palette is built from (257 entries).
constexpr size_t kMaxColourTableBytes = 1028;

// What is read from the start of a bitmap file.
struct BitmapHeader {
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;  // negative for a top-down bitmap
    uint16_t bitsPerPixel = 0;
    uint32_t compression = kBitmapRgb;
    uint32_t coloursUsed = 0;
    uint32_t coloursImportant = 0;  // coloursUsed where the file says 0
    uint32_t pixelOffset = 0;
    std::array<uint32_t, 3> masks{};  // red, green, blue of a bit-fields bitmap
    size_t colourEntrySize = 4;       // 3 behind a 12-byte header
    size_t colourTableStart = 0;      // in the file
    // The colour entries the file holds, at most kMaxColourTableBytes of them.
    std::vector<PaletteColour> colourTable;
};

// Parses the file header, the information header (12, 40, 52, 56, 108 or 124
// bytes, or another of at least 40) and the colour table from the first bytes
// of a bitmap file. False when the bytes are not a bitmap header.
bool ParseBitmapHeader(const uint8_t* data, size_t size, BitmapHeader& header);

// How many bytes of a file ParseBitmapHeader may need.
constexpr size_t kBitmapHeaderReadSize = kFileHeaderSize + 124 + 12 + kMaxColourTableBytes;

// Reads the start of the file at path and parses it. False when the file
// cannot be opened or is not a bitmap.
bool ReadBitmapHeaderFile(FileSystem& files, const std::string& path, BitmapHeader& header);

// A bitmap the pane can show: a width above 0, a height other than 0, a pixel
// depth of 1, 4, 8, 16, 24 or 32 bits and a compression that goes with it
// (run lengths only bottom-up, of 8 bits for RLE8 and 4 for RLE4; bit fields
// only of 16 or 32 bits).
bool IsShowableBitmap(const BitmapHeader& header);

// The palette a palette display realises for the picture: one entry per used
// colour of the table (colours-used entries, as far as the table reaches);
// empty when the header declares no used colours.
std::vector<PaletteColour> PictureColours(const BitmapHeader& header);

// A picture as a device-independent section takes it: uncompressed rows
// (run lengths decoded), a colour table of at most 2^bits entries.
struct DibImage {
    int32_t width = 0;
    int32_t height = 0;  // negative: the first row is the top one
    uint16_t bitsPerPixel = 0;
    uint32_t compression = kBitmapRgb;  // kBitmapRgb or kBitmapBitFields
    std::array<uint32_t, 3> masks{};
    std::vector<PaletteColour> colours;
    std::vector<uint8_t> pixels;  // rows of DibRowBytes each
};

// Bytes of one row: whole 32-bit words.
uint64_t DibRowBytes(int32_t width, uint16_t bitsPerPixel);

// Decodes a whole bitmap file. False when it is not showable or its pixels
// are not all in the file (run lengths may end early: the rest stays colour 0).
bool DecodeBitmap(const uint8_t* data, size_t size, BitmapHeader& header, DibImage& image);

// Reads and decodes the file at path.
bool ReadBitmapFile(FileSystem& files, const std::string& path, BitmapHeader& header, DibImage& image);

}  // namespace qb
