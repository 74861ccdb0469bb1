#include "base/read_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <random>

#include "document/record.h"
#include "tests/support/memory_files.h"

namespace qb {
namespace {

using testing_support::MemorySource;

// The plain reading every stream has, byte by byte, over the same bytes.
struct PlainStream {
    explicit PlainStream(const std::string& bytes) {
        files.SetContent("C:\\plain.bin", bytes);
        stream = files.Open("C:\\plain.bin", OpenMode::Read);
    }
    testing_support::MemoryFileSystem files;
    std::unique_ptr<ByteStream> stream;
};

std::unique_ptr<BufferedReadStream> StreamOver(const std::string& bytes, std::vector<size_t>* reads = nullptr) {
    return std::make_unique<BufferedReadStream>(std::make_unique<MemorySource>(bytes, reads));
}

// Bytes rich in what line reading must get right: CR, LF, CR LF, digits.
std::string LineBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    const char alphabet[] = "\r\n\r\n0123456789 -+abcXYZ\x01\x02";
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = alphabet[random() % (sizeof alphabet - 1)];
    return bytes;
}

// Random steps, reads and lines, the same on the buffered stream and on the
// plain one: every result and every position must agree.
TEST(BufferedReadStream, AgreesWithPlainReadingInEveryOperation) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const std::string bytes = LineBytes(300 * 1000, seed);
        auto buffered = StreamOver(bytes);
        PlainStream plainFile(bytes);
        ByteStream& plain = *plainFile.stream;
        std::mt19937 random(seed * 7919);
        for (int step = 0; step < 4000; ++step) {
            const int operation = static_cast<int>(random() % 9);
            SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step << " operation " << operation);
            if (operation == 0) {
                // A step anywhere, a little ahead, far ahead or back.
                const int64_t here = plain.Tell();
                const int64_t targets[] = {static_cast<int64_t>(random() % (bytes.size() + 10)),
                                           here + static_cast<int64_t>(random() % 5000),
                                           here + 70000 + static_cast<int64_t>(random() % 10000),
                                           std::max<int64_t>(0, here - static_cast<int64_t>(random() % 3000))};
                const int64_t target = targets[random() % 4];
                ASSERT_TRUE(buffered->Seek(target));
                plain.Seek(target);
            } else if (operation == 1) {
                const size_t sizes[] = {1, 7, 1000, 70000, 140000};
                const size_t count = sizes[random() % 5];
                std::string a(count, '\0'), b(count, '\0');
                const size_t gotA = buffered->Read(&a[0], count);
                const size_t gotB = plain.Read(&b[0], count);
                ASSERT_EQ(gotA, gotB);
                ASSERT_EQ(a.substr(0, gotA), b.substr(0, gotB));
            } else if (operation == 2) {
                const int byte = buffered->GetByte();
                ASSERT_EQ(byte, plain.GetByte());
                if (random() % 2) {
                    buffered->UngetByte(byte);
                    plain.UngetByte(byte);
                }
            } else if (operation <= 6) {
                const size_t sizes[] = {2, 11, 22, 260, 300};
                const size_t bufferSize = sizes[random() % 5];
                std::string a, b;
                ASSERT_EQ(ReadLine(*buffered, bufferSize, a), ReadLine(plain, bufferSize, b));
                ASSERT_EQ(a, b);
            } else if (operation == 7) {
                const char* peeked = nullptr;
                const size_t count = buffered->Peek(&peeked);
                const size_t skip = count ? random() % (count + 1) : 0;
                std::string expected(skip, '\0');
                ASSERT_EQ(plain.Read(&expected[0], skip), skip);
                ASSERT_EQ(std::string(peeked ? peeked : "", skip), expected);
                buffered->Skip(skip);
            } else {
                ASSERT_EQ(StreamSize(*buffered), static_cast<int64_t>(bytes.size()));
            }
            ASSERT_EQ(buffered->Tell(), plain.Tell());
        }
    }
}

// What loading a test does: a header, then a step over long texts. Each step
// far ahead reads one small block; reading on reads large blocks.
TEST(BufferedReadStream, ReadsSmallBlocksAfterLongStepsAndLargeOnesReadingOn) {
    std::vector<size_t> reads;
    auto stream = StreamOver(std::string(2000 * 1000, 'x'), &reads);
    for (int64_t position = 0; position < 1900 * 1000; position += 10240) {
        ASSERT_TRUE(stream->Seek(position));
        std::string line;
        ReadLine(*stream, 22, line);
    }
    ASSERT_FALSE(reads.empty());
    for (size_t size : reads) EXPECT_LE(size, BufferedReadStream::kJumpBlock);
    EXPECT_LE(reads.size(), 1900u * 1000 / 10240 + 1) << "one read per step";

    reads.clear();
    ASSERT_TRUE(stream->Seek(0));
    char piece[100];
    while (stream->Read(piece, sizeof piece) == sizeof piece) {}
    EXPECT_LE(reads.size(), 2000u * 1000 / BufferedReadStream::kSequentialBlock + 3) << "front to back in large blocks";
}

TEST(BufferedReadStream, AFailedReadIsReportedNotInvented) {
    auto source = std::make_unique<MemorySource>(LineBytes(200 * 1000, 3));
    MemorySource* raw = source.get();
    BufferedReadStream stream(std::move(source));
    raw->failFrom = 1;  // the first read succeeds, every later one fails
    std::string line;
    char bytes[100000];
    EXPECT_EQ(stream.Read(bytes, 1000), 1000u);
    EXPECT_LT(stream.Read(bytes, sizeof bytes), sizeof bytes);
    ASSERT_TRUE(stream.Seek(150000));
    EXPECT_EQ(stream.GetByte(), -1);
    EXPECT_FALSE(ReadLine(stream, 22, line));
    const char* peeked = nullptr;
    EXPECT_EQ(stream.Peek(&peeked), 0u);
}

// Record headers read in place from the buffer must be exactly the headers
// read line by line: plain ones, and ones with bare CRs, LF-only line ends,
// overlong lines and lines cut by the end of the buffer.
TEST(BufferedReadStream, RecordHeadersReadInPlaceAreTheHeadersReadLineByLine) {
    std::mt19937 random(99);
    const char* const numberLines[] = {"0\r\n",
                                       "12\r\n",
                                       "3\n",
                                       " 7\r\n",
                                       "-1\r\n",
                                       "5\r6\r\n",
                                       "\r\n",
                                       "4x\r\n",
                                       "+9\r\n",
                                       "12345678901234567890\r\n",
                                       "123456789012345678901\r\n",
                                       "123456789012345678901\n"};
    const char* const keywordLines[] = {"Moon\r\n",
                                        "Moon\n",
                                        "Mo\ron\r\n",
                                        "12345678901234567890\r\n",
                                        "123456789012345678901\r\n",
                                        "123456789012345678901\n",
                                        "\r\n",
                                        "Zebra\r\r\n"};
    for (int trial = 0; trial < 3000; ++trial) {
        std::string header = keywordLines[random() % 8];
        for (int k = 0; k < kSlotCount + 1; ++k) header += random() % 4 ? "2\r\n" : numberLines[random() % 12];
        // Put the header where a buffer block ends now and then.
        const size_t before = trial % 3 == 0 ? BufferedReadStream::kSequentialBlock - random() % 200 : random() % 50;
        std::string bytes = std::string(before, 'p') + header + std::string(100, 's');
        auto buffered = StreamOver(bytes);
        PlainStream plainFile(bytes);
        ByteStream& plain = *plainFile.stream;
        buffered->Seek(static_cast<int64_t>(before > 20 ? before - 20 : 0));
        buffered->GetByte();  // the buffer starts before the header
        RecordHeader a, b;
        const int64_t size = static_cast<int64_t>(bytes.size());
        const bool readA = ReadRecordHeader(*buffered, static_cast<int64_t>(before), size, a);
        const bool readB = ReadRecordHeader(plain, static_cast<int64_t>(before), size, b);
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        ASSERT_EQ(readA, readB);
        if (!readA) continue;
        EXPECT_EQ(a.keyword, b.keyword);
        EXPECT_EQ(a.lengths, b.lengths);
        EXPECT_EQ(a.status, b.status);
        EXPECT_EQ(a.slotsStart, b.slotsStart);
        EXPECT_EQ(a.end, b.end);
    }
}

TEST(BufferedReadStream, FileStreamReadsTheFileAndRefusesASecondExclusiveOpen) {
    const std::string path = ::testing::TempDir() + "read_stream_file.bin";
    const std::string bytes = LineBytes(100 * 1000, 5);
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(file);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    auto stream = OpenFileReadStream(path);
    ASSERT_TRUE(stream);
    EXPECT_EQ(StreamSize(*stream), static_cast<int64_t>(bytes.size()));
    std::string read(bytes.size(), '\0');
    EXPECT_EQ(stream->Read(&read[0], read.size()), bytes.size());
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(stream->Write("x", 1));

    auto held = OpenFileReadStream(path, true);
    ASSERT_TRUE(held);
    EXPECT_FALSE(OpenFileReadStream(path, true));
    held.reset();
    EXPECT_TRUE(OpenFileReadStream(path, true));
    EXPECT_FALSE(OpenFileReadStream(path + ".missing"));
    std::remove(path.c_str());
}

}  // namespace
}  // namespace qb
