// Bitmap files for tests, written field by field, and the colour of a pixel
// of a decoded picture.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/bitmap.h"

namespace qb {
namespace testing_support {

// A bitmap file written field by field: a 12-byte header with 3-byte colour
// entries, or a later one whose fields beyond the first 40 bytes hold the
// masks (from 52 bytes on) and then filler.
class BitmapBytes {
public:
    BitmapBytes(uint32_t infoSize, int32_t width, int32_t height, uint16_t bits, uint32_t used,
                const std::vector<PaletteColour>& table, uint32_t extraTableBytes = 0, uint32_t compression = 0,
                const std::vector<uint8_t>& pixels = {0, 0, 0, 0}, const std::array<uint32_t, 3>& masks = {}) {
        const bool core = infoSize == kCoreHeaderSize;
        const uint32_t masksBehind = infoSize == kInfoHeaderSize && compression == kBitmapBitFields ? 12 : 0;
        const uint32_t tableBytes = static_cast<uint32_t>(table.size() * (core ? 3 : 4)) + extraTableBytes;
        const uint32_t pixelOffset = 14 + infoSize + masksBehind + tableBytes;
        Bytes("BM");
        U32(pixelOffset + static_cast<uint32_t>(pixels.size()));
        U32(0);
        U32(pixelOffset);
        U32(infoSize);
        if (core) {
            U16(static_cast<uint16_t>(width));
            U16(static_cast<uint16_t>(height));
            U16(1);
            U16(bits);
        } else {
            U32(static_cast<uint32_t>(width));
            U32(static_cast<uint32_t>(height));
            U16(1);
            U16(bits);
            U32(compression);
            U32(static_cast<uint32_t>(pixels.size()));
            U32(2835);
            U32(2835);
            U32(used);
            U32(0);
            if (masksBehind > 0 || infoSize >= kInfoHeaderSize + 12)
                for (uint32_t mask : masks) U32(mask);
        }
        while (data_.size() < 14 + infoSize) data_.push_back(0xEE);  // fields of later header versions
        for (const PaletteColour& c : table) {
            data_.push_back(c.blue);
            data_.push_back(c.green);
            data_.push_back(c.red);
            if (!core) data_.push_back(0);
        }
        data_.insert(data_.end(), extraTableBytes, 0x55);
        data_.insert(data_.end(), pixels.begin(), pixels.end());
    }
    const std::vector<uint8_t>& data() const { return data_; }
    std::string text() const { return std::string(data_.begin(), data_.end()); }

private:
    void Bytes(const char* text) {
        while (*text) data_.push_back(static_cast<uint8_t>(*text++));
    }
    void U16(uint16_t v) {
        data_.push_back(v & 0xFF);
        data_.push_back(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    std::vector<uint8_t> data_;
};

// The bytes as a string, for in-memory files.
inline std::string BitmapFile(int32_t width, int32_t height, uint16_t bits) {
    return BitmapBytes(40, width, height, bits, 0, {}).text();
}

// One channel of a masked pixel, scaled to 0 to 255.
inline uint8_t MaskedChannel(uint32_t pixel, uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    return static_cast<uint8_t>(((pixel & mask) >> shift) * 255 / (mask >> shift));
}

// The colour of the pixel at x, y (y counted from the top) of a decoded picture.
inline PaletteColour PixelColour(const DibImage& image, int x, int y) {
    const int rows = image.height < 0 ? -image.height : image.height;
    const int row = image.height < 0 ? y : rows - 1 - y;
    const uint8_t* line = image.pixels.data() + row * DibRowBytes(image.width, image.bitsPerPixel);
    const int bits = image.bitsPerPixel;
    if (bits <= 8) {
        const int perByte = 8 / bits;
        const int index = (line[x / perByte] >> ((perByte - 1 - x % perByte) * bits)) & ((1 << bits) - 1);
        return index < static_cast<int>(image.colours.size()) ? image.colours[index] : PaletteColour{};
    }
    if (bits == 24) return {line[x * 3 + 2], line[x * 3 + 1], line[x * 3]};
    uint32_t pixel = 0;
    for (int i = bits / 8 - 1; i >= 0; --i) pixel = pixel << 8 | line[x * bits / 8 + i];
    std::array<uint32_t, 3> masks = image.masks;
    if (image.compression == kBitmapRgb) masks = bits == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                                            : std::array<uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    return {MaskedChannel(pixel, masks[0]), MaskedChannel(pixel, masks[1]), MaskedChannel(pixel, masks[2])};
}

}  // namespace testing_support
}  // namespace qb
