#include "media/dib_section.h"

#include <cstring>
#include <vector>

namespace qb {

namespace {

constexpr size_t kMaxSectionColours = 256;

// The information header and, behind it, the colour table or the three masks.
std::vector<unsigned char> SectionInfo(const DibImage& image) {
    std::vector<unsigned char> storage(sizeof(BITMAPINFOHEADER) + kMaxSectionColours * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = image.width;
    info->bmiHeader.biHeight = image.height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = image.bitsPerPixel;
    info->bmiHeader.biCompression = image.compression == kBitmapBitFields ? BI_BITFIELDS : BI_RGB;
    info->bmiHeader.biClrUsed = static_cast<DWORD>(image.colours.size());
    if (image.compression == kBitmapBitFields) {
        std::memcpy(info->bmiColors, image.masks.data(), sizeof(DWORD) * image.masks.size());
        return storage;
    }
    for (size_t i = 0; i < image.colours.size() && i < kMaxSectionColours; ++i) {
        info->bmiColors[i].rgbRed = image.colours[i].red;
        info->bmiColors[i].rgbGreen = image.colours[i].green;
        info->bmiColors[i].rgbBlue = image.colours[i].blue;
        info->bmiColors[i].rgbReserved = 0;
    }
    return storage;
}

}  // namespace

HBITMAP CreatePictureSection(const DibImage& image) {
    const std::vector<unsigned char> info = SectionInfo(image);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS,
                                       &bits, nullptr, 0);
    if (section == nullptr || bits == nullptr) {
        if (section != nullptr) DeleteObject(section);
        return nullptr;
    }
    if (!image.pixels.empty()) std::memcpy(bits, image.pixels.data(), image.pixels.size());
    return section;
}

}  // namespace qb
