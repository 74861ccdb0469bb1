#include "document/record.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/batched_write_stream.h"
#include "base/read_stream.h"
#include "tests/support/memory_files.h"
#include "tests/support/test_records.h"

namespace qb {
namespace {

using testing_support::MakeRecord;
using testing_support::MemoryFileSystem;

// A record header exactly as the format lays it out, CR LF after each line.
std::string HeaderBytes(const std::string& keyword, const std::vector<std::string>& numbers) {
    std::string bytes = keyword + "\r\n";
    for (const std::string& number : numbers) bytes += number + "\r\n";
    return bytes;
}

// Writes record into an empty journal of fs and returns the journal's bytes.
std::string WrittenBytes(const QuestionRecord& record) {
    MemoryFileSystem fs;
    auto journal = fs.Open("journal", OpenMode::CreateReadWrite);
    EXPECT_EQ(WriteQuestionRecord(*journal, record), 0);
    journal->Close();
    return fs.Content("journal");
}

TEST(LineBreaks, StoredAsControlBytesAndRestored) {
    EXPECT_EQ(EncodeLineBreaks("one\r\ntwo\r\n"), std::string("one\x02\x01two\x02\x01"));
    EXPECT_EQ(DecodeLineBreaks("one\x02\x01two"), "one\r\ntwo");
    // Bytes 0x01 and 0x02 typed into a text come back as line breaks.
    EXPECT_EQ(DecodeLineBreaks(std::string("a\x01"
                                           "b\x02"
                                           "c")),
              "a\nb\rc");
    // Written piece by piece: the same bytes, a line break across each piece's end included.
    std::string longText(9000, 'x');
    for (size_t at : {0u, 4095u, 4096u, 8191u, 8999u}) longText[at] = at % 2 ? '\r' : '\n';
    MemoryFileSystem fs;
    auto out = fs.Open("text", OpenMode::CreateReadWrite);
    ASSERT_TRUE(WriteEncodedText(*out, longText));
    out->Close();
    EXPECT_EQ(fs.Content("text"), EncodeLineBreaks(longText));
}

// The batch an import's records go through: the writer's flush after each
// record hands nothing on until the batch holds its size, HandOn hands on
// everything, and once the file refuses a batch every later write fails.
TEST(BatchedWriteStream, HandsOnWhenFullOrAsked) {
    MemoryFileSystem fs;
    fs.Faults("journal").writeLimit = 110;
    auto file = fs.Open("journal", OpenMode::CreateReadWrite);
    BatchedWriteStream batch(*file, 0, 8);
    ASSERT_TRUE(batch.WriteText("abc") && batch.Flush());
    EXPECT_EQ(fs.Content("journal"), "");
    EXPECT_EQ(batch.Held(), 3u);
    ASSERT_TRUE(batch.WriteText("defgh"));
    EXPECT_EQ(fs.Content("journal"), "abcdefgh");
    EXPECT_EQ(batch.Tell(), 8);

    BatchedWriteStream held(*file, 8, SIZE_MAX);
    ASSERT_TRUE(held.WriteText(std::string(100, 'z')) && held.Flush());
    EXPECT_EQ(fs.Content("journal").size(), 8u);
    ASSERT_TRUE(held.HandOn());
    EXPECT_EQ(fs.Content("journal").size(), 108u);

    ASSERT_TRUE(held.WriteText("12345"));  // past the file's 110 bytes
    EXPECT_FALSE(held.HandOn());
    EXPECT_FALSE(held.WriteText("6"));
    EXPECT_EQ(held.Held(), 0u);
}

TEST(RecordWriter, WritesLayoutByteForByte) {
    QuestionRecord record = MakeRecord("Mars", "Which planet\r\nis red?", "Mars");
    record.slots[kSlotQuestionTextFile] = "*mars.rtf";
    const std::string expected = HeaderBytes("Mars", {"21", "4", "0", "0", "0", "0", "9", "0", "0", "0", "0"}) +
                                 "Which planet\x02\x01is red?" + "Mars" + "*mars.rtf";
    EXPECT_EQ(WrittenBytes(record), expected);
}

TEST(RecordWriter, OnlyWrongAnswerThreeFollowsDirectly) {
    QuestionRecord record = MakeRecord("Moons", "How many moons has Mars?", "Two");
    record.slots[kSlotWrongAnswer1 + 2] = "None";
    const std::string expected = HeaderBytes("Moons", {"24", "3", "0", "0", "4", "0", "0", "0", "0", "0", "0"}) +
                                 "How many moons has Mars?" + "Two" + "None";
    EXPECT_EQ(WrittenBytes(record), expected);
}

TEST(RecordWriter, ReturnsPositionAtEndOfJournal) {
    MemoryFileSystem fs;
    auto journal = fs.Open("journal", OpenMode::CreateReadWrite);
    ASSERT_TRUE(journal->WriteLine("C:\\T\\exam.tvt"));
    const int64_t first = WriteQuestionRecord(*journal, MakeRecord("A", "q", "a"));
    EXPECT_EQ(first, 15);
    // Reading in between must not move where the next record goes.
    QuestionRecord back;
    ASSERT_TRUE(ReadQuestionRecord(*journal, first, back));
    const int64_t sizeBefore = static_cast<int64_t>(fs.Content("journal").size());
    EXPECT_EQ(WriteQuestionRecord(*journal, MakeRecord("B", "q2", "a2")), sizeBefore);
}

TEST(RecordWriter, RefusesWhatNoReaderCouldReadBack) {
    MemoryFileSystem fs;
    auto journal = fs.Open("journal", OpenMode::CreateReadWrite);
    EXPECT_EQ(WriteQuestionRecord(*journal, MakeRecord(std::string(21, 'k'), "q", "a")), -1);
    EXPECT_EQ(WriteQuestionRecord(*journal, MakeRecord("two\nlines", "q", "a")), -1);
    QuestionRecord longName = MakeRecord("k", "q", "a");
    longName.slots[kSlotAnswerPictureFile] = std::string(260, 'n');
    EXPECT_EQ(WriteQuestionRecord(*journal, longName), -1);
    EXPECT_EQ(fs.Content("journal"), "");
    longName.slots[kSlotAnswerPictureFile] = std::string(259, 'n');
    EXPECT_EQ(WriteQuestionRecord(*journal, longName), 0);
}

TEST(RecordReader, RoundTripOfEverySlot) {
    QuestionRecord record = MakeRecord(std::string(20, 'K'), "Line one\r\nLine two\r\n", "Answer\r\nwith break");
    record.slots[3] = "wrong \x01 two";
    record.slots[5] = "wrong four";
    record.slots[6] = "C:\\texts\\q.rtf";
    record.slots[9] = "*answer.bmp";
    MemoryFileSystem fs;
    auto journal = fs.Open("journal", OpenMode::CreateReadWrite);
    const int64_t position = WriteQuestionRecord(*journal, record);
    ASSERT_GE(position, 0);
    QuestionRecord back;
    ASSERT_TRUE(ReadQuestionRecord(*journal, position, back));
    EXPECT_EQ(back.keyword, std::string(20, 'K'));
    for (int k = 0; k < kSlotCount; ++k) {
        // The stored 0x01 of slot 3 comes back as a line feed.
        const std::string expected = k == 3 ? "wrong \n two" : record.slots[k];
        EXPECT_EQ(back.slots[k], expected) << "slot " << k;
    }
    EXPECT_EQ(back.status, 0);
}

TEST(RecordReader, ReadsOnlyWantedSlots) {
    QuestionRecord record = MakeRecord("Sun", "What is the Sun?", "A star");
    record.slots[2] = "A planet";
    record.slots[7] = "sun.bmp";
    record.slots[8] = "sun.txt";
    MemoryFileSystem fs;
    auto journal = fs.Open("journal", OpenMode::CreateReadWrite);
    const int64_t position = WriteQuestionRecord(*journal, record);
    QuestionRecord back;
    ASSERT_TRUE(ReadQuestionRecord(*journal, position, back, SlotBit(kSlotRightAnswer) | SlotBit(8)));
    EXPECT_EQ(back.slots[kSlotQuestion], "");
    EXPECT_EQ(back.slots[kSlotRightAnswer], "A star");
    EXPECT_EQ(back.slots[7], "");
    EXPECT_EQ(back.slots[8], "sun.txt");
}

// One record in a file whose header holds the given number lines and whose
// slots are the given bytes; returns whether the header is accepted.
bool HeaderAccepted(const std::string& keyword, const std::vector<std::string>& numbers, const std::string& slots) {
    const std::string bytes = HeaderBytes(keyword, numbers) + slots;
    MemoryFileSystem fs;
    fs.SetContent("t", bytes);
    auto stream = fs.Open("t", OpenMode::Read);
    RecordHeader header;
    const bool accepted = ReadRecordHeader(*stream, 0, StreamSize(*stream), header);
    // The buffered stream takes the lines in place: it must judge them alike.
    BufferedReadStream buffered(std::make_unique<testing_support::MemorySource>(bytes));
    EXPECT_EQ(ReadRecordHeader(buffered, 0, StreamSize(buffered), header), accepted) << keyword;
    return accepted;
}

TEST(RecordReader, HostileHeadersEndTheReading) {
    const std::vector<std::string> good = {"1", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    EXPECT_TRUE(HeaderAccepted("k", good, "qa"));
    auto with = [&](size_t line, const std::string& value) {
        std::vector<std::string> numbers = good;
        numbers[line] = value;
        return numbers;
    };
    EXPECT_FALSE(HeaderAccepted("k", with(0, "-1"), "qa")) << "negative length";
    EXPECT_FALSE(HeaderAccepted("k", with(1, "abc"), "qa")) << "no number";
    EXPECT_FALSE(HeaderAccepted("k", with(1, ""), "qa")) << "empty line";
    EXPECT_FALSE(HeaderAccepted("k", with(10, "x"), "qa")) << "status without a number";
    EXPECT_FALSE(HeaderAccepted("k", with(1, "3"), "qa")) << "past the end";
    EXPECT_FALSE(HeaderAccepted("k", with(1, "99999999999999999999"), "qa")) << "huge";
    EXPECT_FALSE(HeaderAccepted("k", with(0, "123456789012345678901234"), "qa")) << "overlong line";
    EXPECT_FALSE(HeaderAccepted(std::string(21, 'k'), good, "qa")) << "keyword of 21 characters";
    EXPECT_TRUE(HeaderAccepted(std::string(20, 'k'), good, "qa"));
    EXPECT_TRUE(HeaderAccepted("k", with(1, "  +1"), "qa")) << "blanks and a sign, as atoi takes them";
    EXPECT_TRUE(HeaderAccepted("k", with(1, "1 x"), "qa")) << "the number ends at the first other character";
    EXPECT_TRUE(HeaderAccepted("k\ry", good, "qa")) << "a lone CR belongs to the line";
    // Names: 259 bytes is the longest a reader's buffer holds.
    std::vector<std::string> name = with(9, "259");
    EXPECT_TRUE(HeaderAccepted("k", name, "qa" + std::string(259, 'n')));
    name = with(9, "260");
    EXPECT_FALSE(HeaderAccepted("k", name, "qa" + std::string(260, 'n')));
}

// Salvage trusts only number lines as the writer writes them.
TEST(RecordReader, PlainNumberLinesAreDigitsAlone) {
    const std::vector<std::string> good = {"1", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    const struct {
        size_t line;
        const char* value;
        bool plain;
    } cases[] = {{0, "1", true},   {10, "1", true},   {0, "01", true}, {1, " 1", false},
                 {1, "+1", false}, {10, "0x", false}, {10, "", false}, {10, "0 3", true},
                 {10, "1 12", true}, {10, "0 3 7", false}, {10, "0 ", false}, {10, "0 -4", false}};
    for (const auto& c : cases) {
        std::vector<std::string> numbers = good;
        numbers[c.line] = c.value;
        MemoryFileSystem fs;
        fs.SetContent("t", HeaderBytes("k", numbers) + "qa");
        auto stream = fs.Open("t", OpenMode::Read);
        EXPECT_EQ(HasPlainNumberLines(*stream, 0), c.plain) << "line " << c.line << " \"" << c.value << "\"";
    }
}

TEST(RecordWriter, WithStatusKeepsWhatWasAnsweredAndMissed) {
    const struct {
        int status;
        int32_t misses;
        const char* line;
    } cases[] = {{7, 0, "1"}, {0, 0, "0"}, {0, 3, "0 3"}, {1, 12, "1 12"}, {1, kMaxMisses + 5, "1 99999"}};
    for (const auto& c : cases) {
        MemoryFileSystem fs;
        auto out = fs.Open("t", OpenMode::CreateReadWrite);
        QuestionRecord record = MakeRecord("k", "q", "a", c.status);
        record.misses = c.misses;
        ASSERT_EQ(WriteQuestionRecordWithStatus(*out, record), 0);
        QuestionRecord back;
        ASSERT_TRUE(ReadQuestionRecord(*out, 0, back));
        EXPECT_EQ(back.status, c.status > 0 ? 1 : 0) << c.line;
        EXPECT_EQ(back.misses, std::min(c.misses, kMaxMisses)) << c.line;
        EXPECT_EQ(fs.Content("t"), HeaderBytes("k", {"1", "1", "0", "0", "0", "0", "0", "0", "0", "0", c.line}) + "qa");
    }
}

// Older readers stop at the blank; this one takes the count and notes what
// the check must report, and never refuses the record for it.
TEST(RecordReader, StatusLineCarriesTheMissCount) {
    const struct {
        const char* line;
        int status;
        int32_t misses;
        MissCountNote note;
    } cases[] = {
        {"0", 0, 0, MissCountNote::None},           {"1 12", 1, 12, MissCountNote::None},
        {"0 3", 0, 3, MissCountNote::None},         {"1 abc", 1, 0, MissCountNote::NotANumber},
        {"0 -4", 0, 0, MissCountNote::NotANumber},  {"0 ", 0, 0, MissCountNote::NotANumber},
        {"0 999999999999", 0, kMaxMisses, MissCountNote::TooLarge},
        {"0 3 7", 0, 3, MissCountNote::MoreText},   {"1x", 1, 0, MissCountNote::None},
        {"0 99999", 0, 99999, MissCountNote::None}, {"0 100000", 0, kMaxMisses, MissCountNote::TooLarge},
    };
    for (const auto& c : cases) {
        const std::string bytes = HeaderBytes("k", {"1", "1", "0", "0", "0", "0", "0", "0", "0", "0", c.line}) + "qa";
        MemoryFileSystem fs;
        fs.SetContent("t", bytes);
        auto stream = fs.Open("t", OpenMode::Read);
        BufferedReadStream buffered(std::make_unique<testing_support::MemorySource>(bytes));
        for (ByteStream* read : {static_cast<ByteStream*>(stream.get()), static_cast<ByteStream*>(&buffered)}) {
            RecordHeader header;
            ASSERT_TRUE(ReadRecordHeader(*read, 0, StreamSize(*read), header)) << c.line;
            EXPECT_EQ(header.status, c.status) << c.line;
            EXPECT_EQ(header.misses, c.misses) << c.line;
            EXPECT_EQ(header.missNote, c.note) << c.line;
        }
    }
}

TEST(RecordReader, StatusAboveZeroIsAnswered) {
    MemoryFileSystem fs;
    fs.SetContent("t", HeaderBytes("k", {"1", "1", "0", "0", "0", "0", "0", "0", "0", "0", "7"}) + "qa" +
                           HeaderBytes("k", {"1", "1", "0", "0", "0", "0", "0", "0", "0", "0", "-3"}) + "qa");
    auto stream = fs.Open("t", OpenMode::Read);
    RecordHeader header;
    ASSERT_TRUE(ReadRecordHeader(*stream, 0, StreamSize(*stream), header));
    EXPECT_EQ(header.status, 1);
    ASSERT_TRUE(ReadRecordHeader(*stream, header.end, StreamSize(*stream), header));
    EXPECT_EQ(header.status, 0);
}

TEST(RecordReader, ShortSlotIsUnreadable) {
    MemoryFileSystem fs;
    fs.SetContent("t", HeaderBytes("k", {"5", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"}) + "abc");
    auto stream = fs.Open("t", OpenMode::Read);
    QuestionRecord record;
    EXPECT_FALSE(ReadQuestionRecord(*stream, 0, record));
    EXPECT_FALSE(ReadQuestionRecord(*stream, 3000, record));
    EXPECT_FALSE(ReadQuestionRecord(*stream, -1, record));
}

// Reading in slot order keeps what came before a failure, and tells a slot
// no memory can hold from one the file cannot supply.
TEST(RecordReader, InOrderKeepsWhatWasReadBeforeAFailure) {
    struct Case {
        const char* what;
        std::vector<std::string> numbers;
        std::string slots;
        RecordRead outcome;
        int slotsRead;
    };
    const Case cases[] = {
        {"whole",
         {"2", "1", "1", "0", "0", "0", "0", "0", "0", "0", "0"},
         "q\x01"
         "ab",
         RecordRead::Complete,
         10},
        {"wrong answer past the end",
         {"2", "1", "5", "0", "0", "0", "0", "0", "0", "0", "0"},
         "q\x01"
         "abc",
         RecordRead::FileError,
         2},
        {"question past the end",
         {"9", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
         "q\x01"
         "a",
         RecordRead::FileError,
         0},
        {"answer beyond memory",
         {"2", "3000000000", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
         "q\x01"
         "a",
         RecordRead::NoMemory,
         1},
        {"question beyond memory",
         {"9999999999", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"},
         "",
         RecordRead::NoMemory,
         0},
    };
    for (const Case& c : cases) {
        MemoryFileSystem fs;
        fs.SetContent("t", HeaderBytes("Moon", c.numbers) + c.slots);
        auto stream = fs.Open("t", OpenMode::Read);
        QuestionRecord record;
        const RecordProgress progress = ReadRecordInOrder(*stream, 0, record);
        EXPECT_EQ(progress.outcome, c.outcome) << c.what;
        EXPECT_TRUE(progress.headerRead) << c.what;
        EXPECT_EQ(progress.slotsRead, c.slotsRead) << c.what;
        EXPECT_EQ(record.keyword, "Moon") << c.what;
        EXPECT_EQ(record.slots[kSlotQuestion], c.slotsRead > 0 ? "q\n" : "") << c.what;
        EXPECT_EQ(record.slots[kSlotRightAnswer], c.slotsRead > 1 ? "a" : "") << c.what;
        EXPECT_EQ(record.slots[kSlotWrongAnswer1], c.slotsRead > 2 ? "b" : "") << c.what;
    }
    MemoryFileSystem fs;
    fs.SetContent("t", "Moon\r\n1\r\n");
    auto stream = fs.Open("t", OpenMode::Read);
    QuestionRecord record;
    const RecordProgress progress = ReadRecordInOrder(*stream, 0, record);
    EXPECT_EQ(progress.outcome, RecordRead::FileError);
    EXPECT_FALSE(progress.headerRead);
}

// Creator's lenient reader tells the closing line by the loader's rule: a
// line end alone at the end, not bytes that merely read as an empty line.
TEST(LenientReader, ClosingLineIsALineEndAloneAtTheEnd) {
    const struct {
        std::string rest;
        int count;
        bool closing;
    } cases[] = {
        {"\r\n", 1, true},   {"\n", 1, true}, {"\r", 1, true},        {"\r\r\n", 1, false},
        {" \r\n", 1, false}, {"x", 1, false}, {"\r\n\r\n", 2, false}, {"", 0, false},
    };
    for (const auto& c : cases) {
        MemoryFileSystem fs;
        fs.SetContent("t", "QBKX0101A\r\n" + c.rest);
        auto stream = fs.Open("t", OpenMode::Read);
        std::string magic;
        ASSERT_TRUE(ReadLine(*stream, kLenientLineBuffer, magic));
        HeaderLinesAsRead read;
        ReadHeaderLinesLeniently(*stream, read);
        EXPECT_EQ(read.count, c.count) << testing::PrintToString(c.rest);
        EXPECT_EQ(read.closingLine, c.closing) << testing::PrintToString(c.rest);
    }
}

TEST(MagicLine, AcceptsLinesEndingInA) {
    EXPECT_TRUE(IsAcceptedMagicLine("QBKX0101A\n"));
    EXPECT_TRUE(IsAcceptedMagicLine("QBKX0101A"));
    EXPECT_FALSE(IsAcceptedMagicLine("QBKX0101B\n"));
    EXPECT_FALSE(IsAcceptedMagicLine("\n"));
    EXPECT_FALSE(IsAcceptedMagicLine(""));
    // Only the first ten characters count.
    EXPECT_TRUE(IsAcceptedMagicLine("QBKX0101BAxyz\n"));
    EXPECT_FALSE(IsAcceptedMagicLine("QBKX0101AXA\n"));
}

}  // namespace
}  // namespace qb
