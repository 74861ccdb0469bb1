// The Bild pane's pictures as the system draws them (run under Wine by
// run.sh): every pixel of the device-independent section made from a decoded
// bitmap has the colour the file gives it, whatever the header version, the
// row order, the depth or the compression.
#include <windows.h>

#include <string>
#include <vector>

#include "media/dib_section.h"
#include "tests/support/bitmap_bytes.h"
#include "tests/wine/wine_check.h"

namespace {

using qb::testing_support::BitmapBytes;
using qb::testing_support::PixelColour;

bool SectionShowsImage(const qb::DibImage& image) {
    HBITMAP section = qb::CreatePictureSection(image);
    if (section == nullptr) return false;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, section);
    const int rows = image.height < 0 ? -image.height : image.height;
    // The pane lays the picture out by the section's own size.
    BITMAP bitmap = {};
    bool same = GetObjectA(section, sizeof bitmap, &bitmap) != 0 && bitmap.bmWidth == image.width &&
                bitmap.bmHeight == rows;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const qb::PaletteColour want = PixelColour(image, x, y);
            const COLORREF got = GetPixel(dc, x, y);
            if (GetRValue(got) != want.red || GetGValue(got) != want.green || GetBValue(got) != want.blue) {
                std::printf("pixel %d,%d: %06lx, want %02x%02x%02x\n", x, y, static_cast<unsigned long>(got),
                            want.blue, want.green, want.red);
                same = false;
            }
        }
    }
    SelectObject(dc, previous);
    DeleteDC(dc);
    DeleteObject(section);
    return same;
}

bool FileShows(const char* name, COLORREF topLeft) {
    qb::BitmapHeader header;
    qb::DibImage image;
    const std::string path = std::string("Z:" QB_MEDIA_BITMAPS "/") + name;
    const bool read = qb::ReadBitmapFile(qb::RealFileSystem(), path, header, image);
    if (!read) std::printf("%s: not read\n", name);
    const qb::PaletteColour first = read ? PixelColour(image, 0, 0) : qb::PaletteColour{};
    return read && RGB(first.red, first.green, first.blue) == topLeft && SectionShowsImage(image);
}

bool BytesShow(const BitmapBytes& file) {
    qb::BitmapHeader header;
    qb::DibImage image;
    return qb::DecodeBitmap(file.data().data(), file.data().size(), header, image) && SectionShowsImage(image);
}

}  // namespace

int main() {
    for (const char* name : {"core_24.bmp", "core_4.bmp", "info_1.bmp", "info_4.bmp", "info_rle8.bmp", "v5_16.bmp",
                             "v5_24.bmp", "v5_32.bmp"})
        CHECK(FileShows(name, RGB(255, 255, 255)));
    // Top-down rows: the first row of the file is the top one.
    CHECK(BytesShow(BitmapBytes(40, 2, -2, 24, 0, {}, 0, 0, {0, 0, 255, 255, 255, 255, 0, 0, 255, 0, 0, 0, 0, 0, 0, 0})));
    // Run lengths of four bits, and the oldest header with 3-byte colours.
    const std::vector<qb::PaletteColour> colours = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    CHECK(BytesShow(BitmapBytes(40, 6, 2, 4, 4, colours, 0, qb::kBitmapRle4, {6, 0x12, 0, 0, 0, 4, 0x31, 0x20, 0, 1})));
    CHECK(BytesShow(BitmapBytes(12, 3, 1, 8, 0, colours, 0, 0, {1, 2, 3, 0})));
    return wine_check::Finish();
}
