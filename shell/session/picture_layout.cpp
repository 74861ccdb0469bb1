#include "shell/session/picture_layout.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

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

uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Read32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
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
