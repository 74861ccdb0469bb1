// The e2e stand-in for the help viewer decodes WinHelpA's block; its decoding
// is checked here on blocks written byte by byte.
#include <gtest/gtest.h>

#include "test_projects.h"
#include "tests/e2e/winhelp_receiver/help_call.h"

namespace {

std::string Block(uint16_t command, int32_t data, const std::string& file, const std::string& key) {
    std::string block;
    const size_t fileAt = 16;
    const size_t keyAt = key.empty() ? 0 : fileAt + file.size() + 1;
    const size_t size = 16 + file.size() + 1 + (key.empty() ? 0 : key.size() + 1);
    for (const uint32_t word : {static_cast<uint32_t>(size), static_cast<uint32_t>(command)}) {
        block.push_back(static_cast<char>(word & 0xFF));
        block.push_back(static_cast<char>(word >> 8));
    }
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<char>((static_cast<uint32_t>(data) >> (8 * i)) & 0xFF));
    block += std::string(4, '\0');
    for (const size_t word : {fileAt, keyAt}) {
        block.push_back(static_cast<char>(word & 0xFF));
        block.push_back(static_cast<char>(word >> 8));
    }
    block += file + '\0';
    if (!key.empty()) block += key + '\0';
    return block;
}

TEST(HelpCall, KeywordCall) {
    const std::string block = Block(0x0101, 0x12345678, "C:\\Q\\Quorbelind.hlp", "Attaching Files");
    qbtest::HelpCall call;
    ASSERT_TRUE(qbtest::DecodeHelpCall(block.data(), block.size(), call));
    EXPECT_EQ(call.command, 0x0101);
    EXPECT_EQ(call.data, 0x12345678);
    EXPECT_EQ(call.file, "C:\\Q\\Quorbelind.hlp");
    EXPECT_EQ(call.key, "Attaching Files");
    EXPECT_EQ(qbtest::HelpCallLine(call), "command=0x0101 file=C:\\Q\\Quorbelind.hlp key=Attaching Files");
}

TEST(HelpCall, ContentsCallHasNoKey) {
    const std::string block = Block(0x0003, 0, "C:\\Q\\Quorbelind.hlp", "");
    qbtest::HelpCall call;
    ASSERT_TRUE(qbtest::DecodeHelpCall(block.data(), block.size(), call));
    EXPECT_EQ(qbtest::HelpCallLine(call), "command=0x0003 file=C:\\Q\\Quorbelind.hlp key=");
}

TEST(HelpCall, DamagedBlocksRefused) {
    qbtest::HelpCall call;
    const std::string block = Block(0x0101, 0, "f.hlp", "k");
    EXPECT_FALSE(qbtest::DecodeHelpCall(block.data(), 15, call));
    std::string unterminated = block.substr(0, block.size() - 1);
    unterminated[0] = static_cast<char>(unterminated.size());
    EXPECT_FALSE(qbtest::DecodeHelpCall(unterminated.data(), unterminated.size(), call));
    std::string pastEnd = block;
    pastEnd[14] = static_cast<char>(200);
    EXPECT_FALSE(qbtest::DecodeHelpCall(pastEnd.data(), pastEnd.size(), call));
}

}  // namespace
