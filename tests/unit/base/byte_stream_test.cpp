#include "base/byte_stream.h"
#include "base/decimal.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include "tests/support/disk_files.h"

namespace qb {
namespace {

using testing_support::ReadAll;
using testing_support::WriteAll;

std::string TempPath(const char* name) {
    return testing::TempDir() + name;
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

TEST(ByteStream, ReadOnlyStreamSeeksForwardAndBack) {
    std::string path = TempPath("seek.txt");
    std::string bytes;
    for (int i = 0; i < 10000; ++i) bytes.push_back(static_cast<char>('a' + i % 26));
    WriteAll(path, bytes);
    auto stream = RealFileSystem().Open(path, OpenMode::Read);
    ASSERT_TRUE(stream);
    // Short steps, a step across the buffer, a long jump, a step back, past the end.
    for (int64_t target : {3, 10, 200, 4000, 8100, 8101, 9999, 50, 0}) {
        ASSERT_TRUE(stream->Seek(target));
        EXPECT_EQ(stream->Tell(), target);
        EXPECT_EQ(stream->GetByte(), bytes[static_cast<size_t>(target)]) << target;
    }
    EXPECT_TRUE(stream->Seek(10005));
    EXPECT_EQ(stream->GetByte(), -1);
}

// A stream whose reads fail at one chosen byte.
class FailingAt final : public ByteStream {
public:
    FailingAt(std::string bytes, size_t failAt) : bytes_(std::move(bytes)), failAt_(failAt) {}
    size_t Read(void*, size_t) override { return 0; }
    int GetByte() override {
        if (calls_++ == failAt_) return -1;
        return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1;
    }
    void UngetByte(int byte) override {
        if (byte >= 0) --position_;
    }
    bool Write(const void*, size_t) override { return false; }
    bool Seek(int64_t) override { return false; }
    bool SeekToEnd() override { return false; }
    int64_t Tell() override { return static_cast<int64_t>(position_); }
    bool Flush() override { return true; }
    bool Close() override { return true; }

private:
    std::string bytes_;
    size_t failAt_;
    size_t calls_ = 0;
    size_t position_ = 0;
};

TEST(ByteStream, FailedReadAfterCrEndsTheLine) {
    // The read of the LF fails: the line must not end in a line feed.
    FailingAt stream("key\r\nnext\r\n", 4);
    std::string line;
    ASSERT_TRUE(ReadLine(stream, 22, line));
    EXPECT_EQ(line, "key\r");
    ASSERT_TRUE(ReadLine(stream, 22, line));
    EXPECT_EQ(line, "\n");
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
