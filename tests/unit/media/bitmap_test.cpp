#include "media/bitmap.h"

#include <gtest/gtest.h>

#include <vector>

#include "media/rich_text.h"
#include "tests/support/bitmap_bytes.h"

namespace qb {
namespace {

using testing_support::BitmapBytes;
using testing_support::BitmapFile;
using testing_support::PixelColour;

const std::vector<PaletteColour> kThreeColours = {{255, 0, 0}, {0, 128, 0}, {10, 20, 30}};

bool SameColours(const std::vector<PaletteColour>& a, const std::vector<PaletteColour>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].red != b[i].red || a[i].green != b[i].green || a[i].blue != b[i].blue) return false;
    }
    return true;
}

TEST(BitmapHeaderTest, ReadsSizeDepthAndColourTable) {
    BitmapBytes file(40, 120, -80, 8, 3, kThreeColours);
    BitmapHeader header;
    ASSERT_TRUE(ParseBitmapHeader(file.data().data(), file.data().size(), header));
    EXPECT_EQ(header.width, 120);
    EXPECT_EQ(header.height, -80);
    EXPECT_EQ(header.bitsPerPixel, 8);
    EXPECT_EQ(header.coloursUsed, 3u);
    EXPECT_EQ(header.coloursImportant, 3u) << "0 means all used colours are important";
    EXPECT_TRUE(SameColours(PictureColours(header), kThreeColours));
}

TEST(BitmapHeaderTest, ColourTableFollowsALaterHeaderVersion) {
    BitmapBytes file(124, 16, 16, 4, 3, kThreeColours);
    BitmapHeader header;
    ASSERT_TRUE(ParseBitmapHeader(file.data().data(), file.data().size(), header));
    EXPECT_TRUE(SameColours(PictureColours(header), kThreeColours));
}

TEST(BitmapHeaderTest, NoPaletteWhenNoColoursAreDeclaredUsed) {
    BitmapBytes file(40, 16, 16, 8, 0, kThreeColours);
    BitmapHeader header;
    ASSERT_TRUE(ParseBitmapHeader(file.data().data(), file.data().size(), header));
    EXPECT_EQ(header.colourTable.size(), 3u);
    EXPECT_TRUE(PictureColours(header).empty());
}

TEST(BitmapHeaderTest, OversizedColourAreaAndCountStayWithinTheTable) {
    std::vector<PaletteColour> table(256, PaletteColour{1, 2, 3});
    BitmapBytes file(40, 16, 16, 8, 100000, table, 4000);
    BitmapHeader header;
    ASSERT_TRUE(ParseBitmapHeader(file.data().data(), file.data().size(), header));
    EXPECT_EQ(header.colourTable.size(), kMaxColourTableBytes / 4);
    EXPECT_EQ(PictureColours(header).size(), kMaxColourTableBytes / 4);
}

TEST(BitmapHeaderTest, RefusesWhatIsNoBitmapHeader) {
    BitmapHeader header;
    std::vector<uint8_t> text = {'H', 'e', 'l', 'l', 'o'};
    text.resize(80, 'x');
    EXPECT_FALSE(ParseBitmapHeader(text.data(), text.size(), header));
    BitmapBytes file(40, 16, 16, 24, 0, {});
    EXPECT_FALSE(ParseBitmapHeader(file.data().data(), 40, header)) << "cut short";
    std::vector<uint8_t> tiny = file.data();
    tiny[14] = 20;  // an information header of no version
    EXPECT_FALSE(ParseBitmapHeader(tiny.data(), tiny.size(), header));
}

TEST(BitmapHeaderTest, HugeHeaderSizeGivesNoColourTable) {
    BitmapBytes file(40, 16, 16, 8, 3, kThreeColours);
    std::vector<uint8_t> bytes = file.data();
    bytes[14] = bytes[15] = bytes[16] = bytes[17] = 0xFF;
    BitmapHeader header;
    ASSERT_TRUE(ParseBitmapHeader(bytes.data(), bytes.size(), header));
    EXPECT_TRUE(header.colourTable.empty());
}

// Only what the pane can show is loaded; the check of a test names every
// other picture.
TEST(BitmapHeaderTest, ShowableDepthsAndSizes) {
    struct Case {
        int32_t width, height;
        uint16_t bits;
        bool showable;
    } cases[] = {
        {16, 16, 1, true},  {16, 16, 4, true},   {16, -16, 8, true}, {16, 16, 16, true},
        {16, 16, 24, true}, {16, 16, 32, true},  {16, 16, 2, false}, {16, 16, 0, false},
        {0, 16, 24, false}, {-4, 16, 24, false}, {16, 0, 24, false},
    };
    for (const Case& c : cases) {
        const std::string file = BitmapFile(c.width, c.height, c.bits);
        BitmapHeader header;
        ASSERT_TRUE(ParseBitmapHeader(reinterpret_cast<const uint8_t*>(file.data()), file.size(), header));
        EXPECT_EQ(IsShowableBitmap(header), c.showable) << c.width << "x" << c.height << "x" << c.bits;
    }
}



bool SameColour(const PaletteColour& a, const PaletteColour& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

TEST(BitmapHeaderTest, EveryHeaderVersion) {
    const std::array<uint32_t, 3> masks = {0xF800, 0x07E0, 0x001F};
    for (uint32_t infoSize : {12u, 40u, 52u, 56u, 108u, 124u}) {
        const bool core = infoSize == kCoreHeaderSize;
        BitmapBytes file(infoSize, 3, core ? 2 : -2, 8, core ? 0 : 3, kThreeColours);
        BitmapHeader header;
        ASSERT_TRUE(ParseBitmapHeader(file.data().data(), file.data().size(), header)) << infoSize;
        EXPECT_EQ(header.width, 3) << infoSize;
        EXPECT_EQ(header.height, core ? 2 : -2) << infoSize;
        EXPECT_EQ(header.bitsPerPixel, 8) << infoSize;
        EXPECT_EQ(header.colourEntrySize, core ? 3u : 4u) << infoSize;
        EXPECT_TRUE(SameColours(header.colourTable, kThreeColours)) << infoSize;
        if (core) continue;
        BitmapBytes fields(infoSize, 3, 2, 16, 0, {}, 0, kBitmapBitFields, {0, 0, 0, 0}, masks);
        ASSERT_TRUE(ParseBitmapHeader(fields.data().data(), fields.data().size(), header)) << infoSize;
        EXPECT_EQ(header.masks, masks) << infoSize << ": masks behind or inside the header";
    }
}

// A 2x2 picture: white and red on top, blue and black below (the one-bit
// picture: black and white on top, white and black below).
const std::vector<PaletteColour> kFourColours = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 0, 255}};
const int kTopLeft = 1, kTopRight = 2, kBottomLeft = 3, kBottomRight = 0;

int IndexAt(int x, int y, int bits) {
    const int index = y == 0 ? (x == 0 ? kTopLeft : kTopRight) : (x == 0 ? kBottomLeft : kBottomRight);
    return bits == 1 ? (x + y) % 2 : index;
}

// The rows of the picture as a file holds them, in the order height gives.
std::vector<uint8_t> PictureRows(int bits, bool topDown) {
    std::vector<uint8_t> pixels;
    for (int row = 0; row < 2; ++row) {
        const int y = topDown ? row : 1 - row;
        std::vector<uint8_t> line(4, 0);
        for (int x = 0; x < 2; ++x) {
            const int index = IndexAt(x, y, bits);
            const PaletteColour c = kFourColours[index];
            if (bits <= 8) {
                line[x * bits / 8] |= static_cast<uint8_t>(index << (8 - bits - x * bits % 8));
            } else if (bits == 16) {
                const int value = (c.red >> 3) << 10 | (c.green >> 3) << 5 | c.blue >> 3;
                line[x * 2] = static_cast<uint8_t>(value);
                line[x * 2 + 1] = static_cast<uint8_t>(value >> 8);
            } else {
                line.resize(8, 0);
                const int size = bits / 8;
                line[x * size] = c.blue;
                line[x * size + 1] = c.green;
                line[x * size + 2] = c.red;
            }
        }
        pixels.insert(pixels.end(), line.begin(), line.end());
    }
    return pixels;
}

TEST(BitmapDecode, RowsAndColoursOfEveryDepthOrderAndHeader) {
    for (uint32_t infoSize : {12u, 40u, 108u}) {
        for (int bits : {1, 4, 8, 16, 24, 32}) {
            for (bool topDown : {false, true}) {
                if (infoSize == kCoreHeaderSize && (topDown || bits == 16 || bits == 32)) continue;
                const size_t colours = bits <= 8 ? std::min<size_t>(4, size_t{1} << bits) : 0;
                const std::vector<PaletteColour> table(kFourColours.begin(), kFourColours.begin() + colours);
                const BitmapBytes file(infoSize, 2, topDown ? -2 : 2, static_cast<uint16_t>(bits), 0, table, 0, 0,
                                       PictureRows(bits, topDown));
                BitmapHeader header;
                DibImage image;
                SCOPED_TRACE(testing::Message() << infoSize << "-byte header, " << bits << " bits, "
                                                << (topDown ? "top-down" : "bottom-up"));
                ASSERT_TRUE(DecodeBitmap(file.data().data(), file.data().size(), header, image));
                EXPECT_EQ(image.height, topDown ? -2 : 2);
                for (int y = 0; y < 2; ++y)
                    for (int x = 0; x < 2; ++x)
                        EXPECT_TRUE(SameColour(PixelColour(image, x, y), kFourColours[IndexAt(x, y, bits)]))
                            << "pixel " << x << "," << y;
            }
        }
    }
}

TEST(BitmapDecode, RunLengthsOfEightAndFourBits) {
    const std::vector<PaletteColour> table(16);
    // A run, a jump, a pixel, a line end, three given pixels with their pad
    // byte, a run cut at the right edge, the end.
    const std::vector<uint8_t> runs8 = {2, 5, 0, 2, 1, 1, 1, 7, 0, 0, 0, 3, 9, 8, 7, 0, 5, 6, 0, 1};
    const BitmapBytes rle8(40, 4, 3, 8, 16, table, 0, kBitmapRle8, runs8);
    BitmapHeader header;
    DibImage image;
    ASSERT_TRUE(DecodeBitmap(rle8.data().data(), rle8.data().size(), header, image));
    EXPECT_EQ(image.compression, kBitmapRgb);
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{5, 5, 0, 0, 0, 0, 0, 7, 9, 8, 7, 6})) << "bottom row first";
    // Five pixels of alternating nibbles, then three given ones.
    const std::vector<uint8_t> runs4 = {5, 0x12, 0, 3, 0xAB, 0xC0, 0, 1};
    const BitmapBytes rle4(40, 8, 1, 4, 16, table, 0, kBitmapRle4, runs4);
    ASSERT_TRUE(DecodeBitmap(rle4.data().data(), rle4.data().size(), header, image));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{0x12, 0x12, 0x1A, 0xBC}));
    // Runs that end early leave colour 0; top-down runs do not exist.
    const BitmapBytes cut(40, 4, 2, 8, 16, table, 0, kBitmapRle8, {2, 5});
    ASSERT_TRUE(DecodeBitmap(cut.data().data(), cut.data().size(), header, image));
    EXPECT_EQ(image.pixels, (std::vector<uint8_t>{5, 5, 0, 0, 0, 0, 0, 0}));
    const BitmapBytes topDown(40, 4, -2, 8, 16, table, 0, kBitmapRle8, runs8);
    EXPECT_FALSE(DecodeBitmap(topDown.data().data(), topDown.data().size(), header, image));
}

TEST(BitmapDecode, PixelsBehindAColourAreaLargerThanThePalette) {
    std::vector<PaletteColour> table(256, PaletteColour{1, 2, 3});
    table[1] = {200, 100, 50};
    const BitmapBytes file(40, 2, 1, 8, 300, table, 4000, 0, {1, 0, 0, 0});
    BitmapHeader header;
    DibImage image;
    ASSERT_TRUE(DecodeBitmap(file.data().data(), file.data().size(), header, image));
    EXPECT_EQ(image.colours.size(), 256u);
    EXPECT_TRUE(SameColour(PixelColour(image, 0, 0), table[1]));
    EXPECT_TRUE(SameColour(PixelColour(image, 1, 0), table[0]));
    EXPECT_EQ(PictureColours(header).size(), kMaxColourTableBytes / 4) << "the palette keeps its first entries";
}

TEST(BitmapDecode, RefusesMissingPixelsAndUnknownCompressions) {
    BitmapHeader header;
    DibImage image;
    const BitmapBytes cut(40, 16, 16, 24, 0, {});
    EXPECT_FALSE(DecodeBitmap(cut.data().data(), cut.data().size(), header, image)) << "pixels cut short";
    const BitmapBytes jpeg(40, 1, 1, 24, 0, {}, 0, 4);
    EXPECT_FALSE(DecodeBitmap(jpeg.data().data(), jpeg.data().size(), header, image));
    const BitmapBytes huge(40, 60000, 60000, 32, 0, {}, 0, kBitmapRle8);
    EXPECT_FALSE(DecodeBitmap(huge.data().data(), huge.data().size(), header, image));
}

// Pictures as ImageMagick writes them: 6x4, red, the right half blue, the
// top-left pixel white (black and white in the one-bit picture).
TEST(BitmapDecode, PicturesWrittenByImageMagick) {
    const PaletteColour white{255, 255, 255}, red{255, 0, 0}, blue{0, 0, 255}, black{0, 0, 0};
    const struct {
        const char* file;
        uint32_t infoSize;
        uint16_t bits;
        PaletteColour left, right;
    } cases[] = {
        {"core_24.bmp", 12, 24, red, blue},   {"core_4.bmp", 12, 4, red, blue},    {"info_1.bmp", 40, 1, black, white},
        {"info_4.bmp", 40, 4, red, blue},     {"info_rle8.bmp", 40, 8, red, blue}, {"v5_16.bmp", 124, 16, red, blue},
        {"v5_24.bmp", 124, 24, red, blue},    {"v5_32.bmp", 124, 32, red, blue},
    };
    for (const auto& c : cases) {
        BitmapHeader header;
        DibImage image;
        ASSERT_TRUE(ReadBitmapFile(RealFileSystem(), std::string(QB_MEDIA_BITMAPS "/") + c.file, header, image))
            << c.file;
        EXPECT_EQ(header.infoSize, c.infoSize) << c.file;
        EXPECT_EQ(image.bitsPerPixel, c.bits) << c.file;
        EXPECT_TRUE(SameColour(PixelColour(image, 0, 0), white)) << c.file;
        EXPECT_TRUE(SameColour(PixelColour(image, 1, 3), c.left)) << c.file;
        EXPECT_TRUE(SameColour(PixelColour(image, 5, 3), c.right)) << c.file;
    }
}

TEST(RichTextName, DotRtfInAnyCase) {
    EXPECT_TRUE(IsRichTextName("C:\\a\\intro.rtf"));
    EXPECT_TRUE(IsRichTextName("intro.RTF"));
    EXPECT_TRUE(IsRichTextName("intro.rTf"));
    EXPECT_TRUE(IsRichTextName(".rtf"));
    EXPECT_FALSE(IsRichTextName("intro.txt"));
    EXPECT_FALSE(IsRichTextName("intro"));
    EXPECT_FALSE(IsRichTextName("rtf"));
    EXPECT_FALSE(IsRichTextName("intrortf"));
    EXPECT_FALSE(IsRichTextName("intro.rtf2"));
}

}  // namespace
}  // namespace qb
