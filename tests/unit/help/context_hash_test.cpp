#include <gtest/gtest.h>

#include "tools/hlpc/context_hash.h"

namespace {

using qb::help::ContextHash;
using qb::help::IsValidContextName;

// Values the viewer resolved links with.
TEST(ContextHash, KnownValues) {
    EXPECT_EQ(ContextHash("contents"), 0x25F4558Au);
    EXPECT_EQ(ContextHash("define_question"), 0x630209E8u);
    EXPECT_EQ(ContextHash("edit_question"), 0x4E9C8115u);
    EXPECT_EQ(ContextHash("attach_files"), 0xE4784E4Bu);
    EXPECT_EQ(ContextHash("A"), 0x11u);
    EXPECT_EQ(ContextHash("Z9"), 0x717u);
    EXPECT_EQ(ContextHash("x.y"), 0x12315u);
}

TEST(ContextHash, NegativeAsSignedNumber) {
    EXPECT_EQ(static_cast<int32_t>(ContextHash("attach_files")), -461877685);
}

TEST(ContextHash, LettersRegardlessOfCase) {
    EXPECT_EQ(ContextHash("Attach_Files"), ContextHash("attach_files"));
    EXPECT_EQ(ContextHash("a"), ContextHash("A"));
}

TEST(ContextHash, DigitZeroCountsTen) {
    EXPECT_EQ(ContextHash("0"), 10u);
    EXPECT_EQ(ContextHash("10"), 1u * 43u + 10u);
}

TEST(ContextHash, KnownClashingPair) {
    EXPECT_EQ(ContextHash("M359HPEHGW"), 0x863C2C95u);
    EXPECT_EQ(ContextHash("Y5VQEXZQVJ"), 0x863C2C95u);
}

TEST(ContextName, OnlyLettersDigitsDotAndUnderscore) {
    EXPECT_TRUE(IsValidContextName("define_question"));
    EXPECT_TRUE(IsValidContextName("a.b_C9"));
    EXPECT_FALSE(IsValidContextName(""));
    EXPECT_FALSE(IsValidContextName("two words"));
    EXPECT_FALSE(IsValidContextName("dash-name"));
    EXPECT_FALSE(IsValidContextName("\xE4rger"));
}

}  // namespace
