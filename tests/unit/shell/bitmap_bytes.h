// Bitmap files for tests, written field by field.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "shell/session/picture_layout.h"

namespace qb {
namespace testing_support {

// A bitmap file's first bytes, written field by field.
class BitmapBytes {
public:
    BitmapBytes(uint32_t infoSize, int32_t width, int32_t height, uint16_t bits, uint32_t used,
                const std::vector<PaletteColour>& table, uint32_t extraTableBytes = 0) {
        const uint32_t tableBytes = static_cast<uint32_t>(table.size() * 4) + extraTableBytes;
        const uint32_t pixelOffset = 14 + infoSize + tableBytes;
        Bytes("BM");
        U32(pixelOffset + 4);
        U32(0);
        U32(pixelOffset);
        U32(infoSize);
        U32(static_cast<uint32_t>(width));
        U32(static_cast<uint32_t>(height));
        U16(1);
        U16(bits);
        U32(0);  // uncompressed
        U32(4);
        U32(2835);
        U32(2835);
        U32(used);
        U32(0);
        while (data_.size() < 14 + infoSize) data_.push_back(0xEE);  // fields of later header versions
        for (const PaletteColour& c : table) {
            data_.push_back(c.blue);
            data_.push_back(c.green);
            data_.push_back(c.red);
            data_.push_back(0);
        }
        data_.insert(data_.end(), extraTableBytes, 0x55);
        U32(0);  // the pixels
    }
    const std::vector<uint8_t>& data() const { return data_; }

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
    const std::vector<uint8_t> bytes = BitmapBytes(40, width, height, bits, 0, {}).data();
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace testing_support
}  // namespace qb
