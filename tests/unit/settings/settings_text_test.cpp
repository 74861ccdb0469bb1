#include "settings/settings_text.h"

#include <gtest/gtest.h>

namespace qb {
namespace {

StoredRect Rect(int32_t a, int32_t b, int32_t c, int32_t d) {
    StoredRect r;
    r.a = a;
    r.b = b;
    r.c = c;
    r.d = d;
    return r;
}

void ExpectRect(const StoredRect& actual, int32_t a, int32_t b, int32_t c, int32_t d, int line) {
    SCOPED_TRACE(testing::Message() << "called from line " << line);
    EXPECT_EQ(actual.a, a);
    EXPECT_EQ(actual.b, b);
    EXPECT_EQ(actual.c, c);
    EXPECT_EQ(actual.d, d);
}
#define EXPECT_RECT(actual, a, b, c, d) ExpectRect((actual), (a), (b), (c), (d), __LINE__)

TEST(RectText, PrintsFiveCharacterZeroPaddedFields) {
    EXPECT_EQ(FormatRect(Rect(0, 0, 1273, 682)), "00000,00000,01273,00682");
    EXPECT_EQ(FormatRect(Rect(345, 7, 99999, 12)), "00345,00007,99999,00012");
}

TEST(RectText, NegativeCoordinatesKeepTheirSignInsideTheField) {
    std::string text = FormatRect(Rect(-12, -9999, 40, -1));
    EXPECT_EQ(text, "-0012,-9999,00040,-0001");
    EXPECT_EQ(text.size(), kRectTextLength);
    EXPECT_RECT(ParseRect(text), -12, -9999, 40, -1);
}

TEST(RectText, CoordinatesBeyondFiveCharactersAreClampedSoTheTextStaysPositional) {
    std::string text = FormatRect(Rect(-32000, 123456, -10000, 100000));
    EXPECT_EQ(text, "-9999,99999,-9999,99999");
    EXPECT_RECT(ParseRect(text), -9999, 99999, -9999, 99999);
}

TEST(RectText, ParsesByPositionFromAtMost23Characters) {
    // Characters after the 23rd are never looked at, even digits.
    EXPECT_RECT(ParseRect("00010,00020,00030,0004077777"), 10, 20, 30, 40);
    // A field ends at its first non-digit, like atoi.
    EXPECT_RECT(ParseRect("12x45,00020,0003y,00040"), 12, 20, 3, 40);
}

TEST(RectText, ShortOrGarbledTextReadsMissingFieldsAsZero) {
    EXPECT_RECT(ParseRect("00100,00200"), 100, 200, 0, 0);
    EXPECT_RECT(ParseRect(""), 0, 0, 0, 0);
    EXPECT_RECT(ParseRect("abcde,fghij,klmno,pqrst"), 0, 0, 0, 0);
}

FontRecord SampleFont() {
    FontRecord f;
    f.height = -13;
    f.width = 0;
    f.escapement = 0;
    f.orientation = 0;
    f.weight = 700;
    f.italic = 1;
    f.underline = 0;
    f.strikeOut = 0;
    f.charSet = 0;
    f.outPrecision = 3;
    f.clipPrecision = 2;
    f.quality = 1;
    f.pitchAndFamily = 34;
    f.faceName = "Times New Roman";
    return f;
}

TEST(FontText, PrintsFourteenFieldsWithTheFaceNameLast) {
    EXPECT_EQ(FormatFont(SampleFont()), "-13,0,0,0,700,1,0,0,0,3,2,1,34,Times New Roman");
}

TEST(FontText, ByteFieldsPrintUnsigned) {
    FontRecord f = SampleFont();
    f.charSet = 255;
    f.faceName = "X";
    EXPECT_EQ(FormatFont(f), "-13,0,0,0,700,1,0,0,255,3,2,1,34,X");
}

TEST(FontText, ReadsBackWhatItPrints) {
    FontRecord parsed;
    ASSERT_TRUE(ParseFont(FormatFont(SampleFont()), parsed));
    EXPECT_EQ(parsed.height, -13);
    EXPECT_EQ(parsed.weight, 700);
    EXPECT_EQ(parsed.italic, 1);
    EXPECT_EQ(parsed.outPrecision, 3);
    EXPECT_EQ(parsed.clipPrecision, 2);
    EXPECT_EQ(parsed.quality, 1);
    EXPECT_EQ(parsed.pitchAndFamily, 34);
    EXPECT_EQ(parsed.faceName, "Times New Roman");
}

TEST(FontText, CommasAfterTheThirteenthBelongToTheFaceName) {
    FontRecord parsed;
    ASSERT_TRUE(ParseFont("16,8,0,0,400,0,1,1,0,0,0,0,0,Odd, Face,Name", parsed));
    EXPECT_EQ(parsed.height, 16);
    EXPECT_EQ(parsed.width, 8);
    EXPECT_EQ(parsed.underline, 1);
    EXPECT_EQ(parsed.strikeOut, 1);
    EXPECT_EQ(parsed.faceName, "Odd, Face,Name");
}

TEST(FontText, EmptyFaceNameAfterExactlyThirteenCommas) {
    FontRecord parsed = SampleFont();
    ASSERT_TRUE(ParseFont("1,2,3,4,5,6,7,8,9,10,11,12,13,", parsed));
    EXPECT_EQ(parsed.orientation, 4);
    EXPECT_EQ(parsed.pitchAndFamily, 13);
    EXPECT_EQ(parsed.faceName, "");
}

TEST(FontText, FewerThanThirteenCommasLeaveTheRecordUntouched) {
    FontRecord font = SampleFont();
    EXPECT_FALSE(ParseFont("1,2,3,4,5,6,7,8,9,10,11,12,Arial", font));
    EXPECT_FALSE(ParseFont("", font));
    EXPECT_EQ(FormatFont(font), FormatFont(SampleFont()));
}

TEST(FontText, OverlongFaceNameIsCutToTheRecordsRoom) {
    FontRecord parsed;
    std::string longName(50, 'F');
    ASSERT_TRUE(ParseFont("0,0,0,0,0,0,0,0,0,0,0,0,0," + longName, parsed));
    EXPECT_EQ(parsed.faceName, std::string(kFaceNameMax, 'F'));
    FontRecord printed = SampleFont();
    printed.faceName = longName;
    EXPECT_EQ(FormatFont(printed), "-13,0,0,0,700,1,0,0,0,3,2,1,34," + std::string(kFaceNameMax, 'F'));
}

TEST(FontText, ByteFieldsOutOfRangeWrapLikeAByte) {
    FontRecord parsed;
    ASSERT_TRUE(ParseFont("0,0,0,0,0,256,257,-1,0,0,0,0,0,A", parsed));
    EXPECT_EQ(parsed.italic, 0);
    EXPECT_EQ(parsed.underline, 1);
    EXPECT_EQ(parsed.strikeOut, 255);
}

}  // namespace
}  // namespace qb
