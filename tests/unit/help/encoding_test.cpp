#include <gtest/gtest.h>

#include "test_projects.h"
#include "tools/hlpc/bytes.h"
#include "encoding/cp1252.h"

namespace {

using hlptest::BytesOf;
using qb::help::Bytes;

Bytes UShort(uint32_t v) {
    Bytes b;
    qb::help::PutCompressedUShort(b, v);
    return b;
}
Bytes Short(int32_t v) {
    Bytes b;
    qb::help::PutCompressedShort(b, v);
    return b;
}
Bytes Long(int32_t v) {
    Bytes b;
    qb::help::PutCompressedLong(b, v);
    return b;
}

TEST(CompressedIntegers, KnownEncodings) {
    EXPECT_EQ(UShort(7), BytesOf({0x0E}));
    EXPECT_EQ(UShort(200), BytesOf({0x91, 0x01}));
    EXPECT_EQ(Short(6), BytesOf({0x8C}));
    EXPECT_EQ(Short(-1), BytesOf({0x7E}));
    EXPECT_EQ(Short(64), BytesOf({0x81, 0x80}));
    EXPECT_EQ(Long(11), BytesOf({0x16, 0x80}));
    EXPECT_EQ(Long(16384), BytesOf({0x01, 0x80, 0x00, 0x80}));
}

TEST(CompressedIntegers, FormChangesAtTheLimits) {
    EXPECT_EQ(UShort(127).size(), 1u);
    EXPECT_EQ(UShort(128).size(), 2u);
    EXPECT_EQ(Short(-64).size(), 1u);
    EXPECT_EQ(Short(63).size(), 1u);
    EXPECT_EQ(Short(-65).size(), 2u);
    EXPECT_EQ(Long(16383).size(), 2u);
    EXPECT_EQ(Long(-16384).size(), 2u);
    EXPECT_EQ(Long(-16385).size(), 4u);
}

TEST(CompressedIntegers, OutOfRangeRefused) {
    EXPECT_THROW(UShort(0x8000), std::length_error);
    EXPECT_THROW(Short(16384), std::length_error);
}

std::string Convert(const std::string& utf8, bool& ok, size_t& errorAt) {
    std::string out;
    ok = qb::Utf8ToCp1252(utf8, out, errorAt);
    return out;
}

TEST(Cp1252, ConvertsLatinAndTheHighPunctuation) {
    bool ok = false;
    size_t at = 0;
    EXPECT_EQ(Convert("Gr\xC3\xBC\xC3\x9F"
                      "e \xE2\x80\xA2 \xE2\x82\xAC \xE2\x80\x93",
                      ok, at),
              "Gr\xFC\xDF"
              "e \x95 \x80 \x96");
    EXPECT_TRUE(ok);
}

TEST(Cp1252, RefusesCharactersItCannotHold) {
    bool ok = true;
    size_t at = 0;
    Convert("ab\xE2\x86\x92", ok, at);  // a right arrow
    EXPECT_FALSE(ok);
    EXPECT_EQ(at, 2u);
}

TEST(Cp1252, RefusesMalformedUtf8) {
    bool ok = true;
    size_t at = 0;
    Convert("x\xC3", ok, at);
    EXPECT_FALSE(ok);
    Convert("\xC0\x80", ok, at);  // overlong NUL
    EXPECT_FALSE(ok);
    Convert("\xED\xA0\x80", ok, at);  // a surrogate
    EXPECT_FALSE(ok);
}

}  // namespace
