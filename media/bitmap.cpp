#include "media/bitmap.h"

#include <algorithm>
#include <memory>

namespace qb {

namespace {

// Pictures whose pixels would need more memory are not shown.
constexpr uint64_t kMaxPixelBytes = 256u << 20;

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

PaletteColour ColourAt(const uint8_t* entry) {
    return {entry[2], entry[1], entry[0]};
}

bool ParseCoreHeader(const uint8_t* info, size_t available, BitmapHeader& header) {
    if (available < kCoreHeaderSize) return false;
    header.width = Read16(info + 4);
    header.height = Read16(info + 6);
    header.bitsPerPixel = Read16(info + 10);
    header.colourEntrySize = 3;
    return true;
}

bool ParseInfoHeader(const uint8_t* info, size_t available, BitmapHeader& header) {
    if (header.infoSize < kInfoHeaderSize || available < kInfoHeaderSize) return false;
    header.width = static_cast<int32_t>(Read32(info + 4));
    header.height = static_cast<int32_t>(Read32(info + 8));
    header.bitsPerPixel = Read16(info + 14);
    header.compression = Read32(info + 16);
    header.coloursUsed = Read32(info + 32);
    header.coloursImportant = Read32(info + 36);
    if (header.coloursImportant == 0) header.coloursImportant = header.coloursUsed;
    // The masks are part of later headers; behind a 40-byte one they follow it.
    const bool masksBehind = header.infoSize == kInfoHeaderSize && header.compression == kBitmapBitFields;
    const size_t masksAt = header.infoSize > kInfoHeaderSize ? kInfoHeaderSize : header.infoSize;
    if (available >= masksAt + 12 && (masksBehind || header.infoSize >= kInfoHeaderSize + 12)) {
        for (size_t i = 0; i < header.masks.size(); ++i) header.masks[i] = Read32(info + masksAt + 4 * i);
    }
    if (masksBehind) header.colourTableStart += 12;
    return true;
}

// The colour entries between the headers and the pixels, as far as they were read.
void TakeColourTable(const uint8_t* data, size_t size, BitmapHeader& header) {
    const size_t start = header.colourTableStart;
    if (start >= size || header.pixelOffset <= start) return;
    size_t bytes = std::min<size_t>(header.pixelOffset - start, kMaxColourTableBytes);
    bytes = std::min(bytes, size - start);
    for (size_t at = start; at + header.colourEntrySize <= start + bytes; at += header.colourEntrySize)
        header.colourTable.push_back(ColourAt(data + at));
}

bool HasKnownDepth(uint16_t depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

// The colour table of the section: 2^bits entries, or the used ones.
std::vector<PaletteColour> SectionColours(const uint8_t* data, size_t size, const BitmapHeader& header) {
    if (header.bitsPerPixel > 8) return {};
    size_t count = size_t{1} << header.bitsPerPixel;
    if (header.coloursUsed > 0 && header.coloursUsed < count) count = header.coloursUsed;
    std::vector<PaletteColour> colours(count);
    size_t end = size;
    if (header.pixelOffset > header.colourTableStart) end = std::min<size_t>(end, header.pixelOffset);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = header.colourTableStart + i * header.colourEntrySize;
        if (at + header.colourEntrySize > end) break;
        colours[i] = ColourAt(data + at);
    }
    return colours;
}

// Run-length pixels into bottom-up rows of 8 or 4 bits; whatever the runs do
// not reach stays colour 0.
class RunLengthDecoder {
public:
    RunLengthDecoder(DibImage& image, bool fourBits)
        : image_(image), fourBits_(fourBits), rowBytes_(DibRowBytes(image.width, image.bitsPerPixel)) {}

    void Decode(const uint8_t* runs, size_t size) {
        size_t i = 0;
        while (i + 1 < size && y_ < image_.height) {
            const uint8_t count = runs[i];
            const uint8_t value = runs[i + 1];
            i += 2;
            if (count > 0) {
                for (int k = 0; k < count; ++k) Put(fourBits_ ? Nibble(value, k) : value);
            } else if (value == 0) {
                x_ = 0;
                ++y_;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                if (i + 1 >= size) return;
                x_ += runs[i];
                y_ += runs[i + 1];
                i += 2;
            } else {
                i = TakeAbsolute(runs, size, i, value);
            }
        }
    }

private:
    static uint8_t Nibble(uint8_t pair, int k) { return k % 2 == 0 ? pair >> 4 : pair & 0x0F; }

    // value pixels given one by one, padded to a 16-bit boundary.
    size_t TakeAbsolute(const uint8_t* runs, size_t size, size_t i, int value) {
        const size_t bytes = fourBits_ ? (static_cast<size_t>(value) + 1) / 2 : static_cast<size_t>(value);
        for (int k = 0; k < value; ++k) {
            const size_t at = i + (fourBits_ ? static_cast<size_t>(k) / 2 : static_cast<size_t>(k));
            if (at >= size) break;
            Put(fourBits_ ? Nibble(runs[at], k) : runs[at]);
        }
        return i + bytes + (bytes & 1);
    }

    void Put(uint8_t index) {
        if (x_ < image_.width && y_ < image_.height) {
            uint8_t& byte = image_.pixels[static_cast<size_t>(y_) * rowBytes_ + static_cast<size_t>(x_) / (fourBits_ ? 2 : 1)];
            if (!fourBits_)
                byte = index;
            else if (x_ % 2 == 0)
                byte = static_cast<uint8_t>((byte & 0x0F) | (index << 4));
            else
                byte = static_cast<uint8_t>((byte & 0xF0) | (index & 0x0F));
        }
        ++x_;
    }

    DibImage& image_;
    const bool fourBits_;
    const uint64_t rowBytes_;
    int64_t x_ = 0;
    int64_t y_ = 0;
};

}  // namespace

bool ParseBitmapHeader(const uint8_t* data, size_t size, BitmapHeader& header) {
    header = BitmapHeader();
    if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
    header.pixelOffset = Read32(data + 10);
    const uint8_t* info = data + kFileHeaderSize;
    const size_t available = size - kFileHeaderSize;
    header.infoSize = Read32(info);
    header.colourTableStart = kFileHeaderSize + static_cast<size_t>(header.infoSize);
    const bool parsed = header.infoSize == kCoreHeaderSize ? ParseCoreHeader(info, available, header)
                                                           : ParseInfoHeader(info, available, header);
    if (!parsed) return false;
    TakeColourTable(data, size, header);
    return true;
}

bool ReadBitmapHeaderFile(FileSystem& files, const std::string& path, BitmapHeader& header) {
    std::unique_ptr<ByteStream> file = files.Open(path, OpenMode::Read);
    if (!file) return false;
    std::vector<uint8_t> bytes(kBitmapHeaderReadSize);
    size_t got = 0;
    for (size_t n; got < bytes.size() && (n = file->Read(bytes.data() + got, bytes.size() - got)) > 0;) got += n;
    file->Close();
    return ParseBitmapHeader(bytes.data(), got, header);
}

bool IsShowableBitmap(const BitmapHeader& header) {
    const uint16_t depth = header.bitsPerPixel;
    if (header.width <= 0 || header.height == 0 || !HasKnownDepth(depth)) return false;
    switch (header.compression) {
    case kBitmapRgb: return true;
    case kBitmapRle8: return depth == 8 && header.height > 0;
    case kBitmapRle4: return depth == 4 && header.height > 0;
    case kBitmapBitFields: return depth == 16 || depth == 32;
    default: return false;
    }
}

std::vector<PaletteColour> PictureColours(const BitmapHeader& header) {
    const size_t count = std::min<size_t>(header.coloursUsed, header.colourTable.size());
    return std::vector<PaletteColour>(header.colourTable.begin(), header.colourTable.begin() + count);
}

uint64_t DibRowBytes(int32_t width, uint16_t bitsPerPixel) {
    return (static_cast<uint64_t>(width > 0 ? width : 0) * bitsPerPixel + 31) / 32 * 4;
}

bool DecodeBitmap(const uint8_t* data, size_t size, BitmapHeader& header, DibImage& image) {
    image = DibImage();
    if (!ParseBitmapHeader(data, size, header) || !IsShowableBitmap(header)) return false;
    const uint64_t rows = header.height < 0 ? 0 - static_cast<int64_t>(header.height) : header.height;
    const uint64_t bytes = DibRowBytes(header.width, header.bitsPerPixel) * rows;
    if (bytes > kMaxPixelBytes || header.pixelOffset > size) return false;
    const bool runs = header.compression == kBitmapRle8 || header.compression == kBitmapRle4;
    if (!runs && bytes > size - header.pixelOffset) return false;
    image.width = header.width;
    image.height = header.height;
    image.bitsPerPixel = header.bitsPerPixel;
    image.compression = runs ? kBitmapRgb : header.compression;
    image.masks = header.masks;
    image.colours = SectionColours(data, size, header);
    if (!runs) {
        image.pixels.assign(data + header.pixelOffset, data + header.pixelOffset + bytes);
        return true;
    }
    image.pixels.assign(static_cast<size_t>(bytes), 0);
    RunLengthDecoder(image, header.compression == kBitmapRle4).Decode(data + header.pixelOffset, size - header.pixelOffset);
    return true;
}

bool ReadBitmapFile(FileSystem& files, const std::string& path, BitmapHeader& header, DibImage& image) {
    std::unique_ptr<ByteStream> file = files.Open(path, OpenMode::Read);
    if (!file) return false;
    std::vector<uint8_t> bytes;
    std::vector<uint8_t> block(64 * 1024);
    for (size_t n; (n = file->Read(block.data(), block.size())) > 0;) {
        if (bytes.size() + n > kMaxPixelBytes + kBitmapHeaderReadSize) return false;
        bytes.insert(bytes.end(), block.begin(), block.begin() + static_cast<std::ptrdiff_t>(n));
    }
    file->Close();
    return DecodeBitmap(bytes.data(), bytes.size(), header, image);
}

}  // namespace qb
