#include "document/byte_stream.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace qb {
namespace {

std::string TempPath(const char* name) {
    return testing::TempDir() + name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

TEST(ByteStream, WriteLineEndsWithCrLf) {
    std::string path = TempPath("lines.txt");
    auto stream = RealFileSystem().Open(path, OpenMode::CreateWrite);
    ASSERT_TRUE(stream);
    EXPECT_TRUE(stream->WriteLine("QBKX0101A"));
    EXPECT_TRUE(stream->WriteLine(""));
    EXPECT_TRUE(stream->Close());
    EXPECT_EQ(ReadAll(path), "QBKX0101A\r\n\r\n");
}

TEST(ByteStream, ReadLineBehavesLikeFgetsOnTextMode) {
    std::string path = TempPath("read.txt");
    WriteAll(path, "abc\r\nxy\nlongerline\r\n\rz");
    auto stream = RealFileSystem().Open(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    std::string line;
    ASSERT_TRUE(ReadLine(*stream, 22, line));
    EXPECT_EQ(line, "abc\n");
    ASSERT_TRUE(ReadLine(*stream, 22, line));
    EXPECT_EQ(line, "xy\n");
    // A buffer of 5 bytes takes four characters at a time.
    ASSERT_TRUE(ReadLine(*stream, 5, line));
    EXPECT_EQ(line, "long");
    ASSERT_TRUE(ReadLine(*stream, 22, line));
    EXPECT_EQ(line, "erline\n");
    // A CR not followed by LF stays a character of the line.
    ASSERT_TRUE(ReadLine(*stream, 22, line));
    EXPECT_EQ(line, "\rz");
    EXPECT_FALSE(ReadLine(*stream, 22, line));
}

TEST(ByteStream, PositionsAreByteOffsets) {
    std::string path = TempPath("pos.txt");
    WriteAll(path, "one\r\ntwo\r\n");
    auto stream = RealFileSystem().Open(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    std::string line;
    ReadLine(*stream, 22, line);
    EXPECT_EQ(stream->Tell(), 5);
    ASSERT_TRUE(stream->Seek(5));
    ReadLine(*stream, 22, line);
    EXPECT_EQ(line, "two\n");
}

TEST(ByteStream, ExclusiveOpenRefusesSecondOpenAndKeepsContent) {
    std::string path = TempPath("journal.tmp");
    auto first = RealFileSystem().Open(path, OpenMode::CreateReadWrite, true);
    ASSERT_TRUE(first);
    first->WriteLine("kept");
    first->Flush();
    auto second = RealFileSystem().Open(path, OpenMode::CreateReadWrite, true);
    EXPECT_FALSE(second);
    EXPECT_EQ(ReadAll(path), "kept\r\n");
}

TEST(ParseDecimal, ConvertsLikeAtoi) {
    EXPECT_EQ(ParseDecimal("  42\n"), 42);
    EXPECT_EQ(ParseDecimal("-7x"), -7);
    EXPECT_EQ(ParseDecimal("+3"), 3);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("99999999999999999999999"), LLONG_MAX);
}

}  // namespace
}  // namespace qb
