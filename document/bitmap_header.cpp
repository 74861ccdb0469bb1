#include "document/bitmap_header.h"

#include <algorithm>
#include <memory>

namespace qb {
namespace {

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

bool ParseBitmapHeader(const uint8_t* data, size_t size, BitmapHeader& header) {
    header = BitmapHeader();
    if (size < kFileHeaderSize + kInfoHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
    const uint32_t pixelOffset = Read32(data + 10);
    const uint8_t* info = data + kFileHeaderSize;
    const uint32_t infoSize = Read32(info);
    if (infoSize < kInfoHeaderSize) return false;
    header.width = static_cast<int32_t>(Read32(info + 4));
    header.height = static_cast<int32_t>(Read32(info + 8));
    header.bitsPerPixel = Read16(info + 14);
    header.coloursUsed = Read32(info + 32);
    header.coloursImportant = Read32(info + 36);
    if (header.coloursImportant == 0) header.coloursImportant = header.coloursUsed;
    // A version header larger than what was read leaves no colour table to take.
    if (infoSize >= size - kFileHeaderSize) return true;
    const size_t tableStart = kFileHeaderSize + infoSize;
    if (pixelOffset <= tableStart) return true;
    size_t tableBytes = std::min<size_t>(pixelOffset - tableStart, kMaxColourTableBytes);
    tableBytes = std::min(tableBytes, size - tableStart);
    for (size_t at = tableStart; at + 4 <= tableStart + tableBytes; at += 4) {
        header.colourTable.push_back({data[at + 2], data[at + 1], data[at]});
    }
    return true;
}

bool ReadBitmapHeaderFile(FileSystem& files, const std::string& path, BitmapHeader& header) {
    std::unique_ptr<ByteStream> file = files.Open(path, OpenMode::Read);
    if (!file) return false;
    std::vector<uint8_t> bytes(kBitmapHeaderReadSize);
    size_t got = 0;
    while (got < bytes.size()) {
        const size_t n = file->Read(bytes.data() + got, bytes.size() - got);
        if (n == 0) break;
        got += n;
    }
    file->Close();
    return ParseBitmapHeader(bytes.data(), got, header);
}

bool IsShowableBitmap(const BitmapHeader& header) {
    const uint16_t depth = header.bitsPerPixel;
    const bool knownDepth = depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
    return header.width > 0 && header.height != 0 && knownDepth;
}

std::vector<PaletteColour> PictureColours(const BitmapHeader& header) {
    const size_t count = std::min<size_t>(header.coloursUsed, header.colourTable.size());
    return std::vector<PaletteColour>(header.colourTable.begin(), header.colourTable.begin() + count);
}

}  // namespace qb
