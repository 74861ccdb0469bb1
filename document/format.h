// The test-file format: the record layout shared by test files and the change
// journal, how its header lines are read and written, and how a test file
// begins and ends. Every reader and writer of the format goes through here.
//
// A test file is the magic line, the records back to back and, behind at
// least one record, a closing empty line. A record is a keyword line, ten
// length lines, a status line and then ten slots of exactly the given byte
// lengths. Texts (slots 0 to 5) store LF as 0x01 and CR as 0x02, so no slot
// ever holds a line end; file names (slots 6 to 9) are stored as they are.
// Every line ends in CR LF on disk.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "base/byte_stream.h"
#include "base/path_limits.h"

namespace qb {

enum Slot {
    kSlotQuestion = 0,
    kSlotRightAnswer = 1,
    kSlotWrongAnswer1 = 2,  // wrong answers 1 to 4 are slots 2 to 5
    kSlotQuestionTextFile = 6,
    kSlotQuestionPictureFile = 7,
    kSlotAnswerTextFile = 8,
    kSlotAnswerPictureFile = 9,
};
constexpr int kSlotCount = 10;
constexpr int kFirstFileSlot = 6;  // slots before it hold texts
constexpr int kFileSlotCount = kSlotCount - kFirstFileSlot;
constexpr int kWrongAnswerCount = 4;
// Keyword, ten lengths, status.
constexpr int kHeaderLineCount = 2 + kSlotCount;

constexpr size_t kMaxKeywordLength = 20;
// The program's readers take header lines with fgets-style buffers of this size.
constexpr size_t kHeaderLineBuffer = 22;
// Creator's export reads a test's lines with a line buffer of this size.
constexpr size_t kLenientLineBuffer = 256;
// The widest number a header line holds: a sign and 19 digits.
constexpr size_t kMaxNumberChars = 20;
// The first line of a test file.
constexpr const char* kMagicLine = "QBKX0101A";
constexpr size_t kMagicLineBuffer = 11;

// Bit masks for the slots a reader wants; the others are skipped by seeking.
constexpr unsigned SlotBit(int slot) {
    return 1u << slot;
}
constexpr unsigned kAllSlots = (1u << kSlotCount) - 1;
constexpr unsigned kTextSlots = (1u << kFirstFileSlot) - 1;
constexpr unsigned kFileSlots = kAllSlots & ~kTextSlots;

// The most misses a question counts; a larger stored count is read as this.
constexpr int32_t kMaxMisses = 99999;

// What the status line says about a question: "status" or "status misses",
// the miss count separated by one blank and written only when above 0, so a
// reader that takes the status alone stops at the blank.
struct RecordStatus {
    int answered = 0;    // 0 not answered, 1 answered (any stored value above 0)
    int32_t misses = 0;  // 0 to kMaxMisses
};

// How a status line holds its miss count when not as the writer writes it.
// The line is read all the same; the check reports it.
enum class MissCountNote {
    None,
    NotANumber,  // "1 abc", "0 -4": read as 0
    TooLarge,    // "0 999999999999": read as kMaxMisses
    MoreText,    // "0 3 7": read as 3, the rest ignored
};

// The twelve header lines of a record, checked against the file they lie in.
struct RecordHeader {
    std::string keyword;
    std::array<int64_t, kSlotCount> lengths{};
    int status = 0;          // normalised: 1 for any stored value above 0, else 0
    int32_t misses = 0;      // 0 to kMaxMisses
    MissCountNote missNote = MissCountNote::None;
    int64_t slotsStart = 0;  // position of slot 0
    int64_t end = 0;         // position just behind the last slot

    int64_t SlotPosition(int slot) const;
    // More than one of slots 1 to 5 is filled: a multiple-choice question.
    bool IsMultipleChoice() const;
};

// LF -> 0x01, CR -> 0x02 (length unchanged), and back.
std::string EncodeLineBreaks(const std::string& text);
// Writes text as EncodeLineBreaks stores it, piece by piece, without a copy of it.
bool WriteEncodedText(ByteStream& out, const std::string& text);
// The text holds a CR or an LF.
bool HasLineBreak(const std::string& text);
std::string DecodeLineBreaks(const std::string& stored);
void DecodeLineBreaksInPlace(std::string& text);

// Size of the stream in bytes (its position is restored), or -1.
int64_t StreamSize(ByteStream& stream);

// --- Reading header lines ---------------------------------------------------

// How a reader takes header lines.
enum class HeaderPolicy {
    // The program and qbtool: 22-byte lines; every line must end in its line
    // end, every number line must hold digits, lengths must not be negative
    // and names not longer than 259 bytes; the slots must lie in the file.
    Strict,
    // Creator's export: 256-byte lines taken as they come, a number line
    // without digits counting 0; the caller judges the values.
    Lenient,
};

// The header lines as a lenient reader read them, for a writer that copies
// them unchanged.
struct HeaderLinesAsRead {
    std::array<std::string, kHeaderLineCount> lines;  // each with its LF, if it had one
    std::array<int64_t, kHeaderLineCount> numbers{};  // the value of each number line (index 0 unused)
    int count = 0;                                    // lines read before the stream ended
    // The one line read was the test's closing empty line (OnlyClosingLineFollows).
    bool closingLine = false;
};

// Reads the header of the record at position. False, like a record cut
// short, when a line is missing or overlong (the keyword line must end in a
// line end within the 22-byte buffer), a number line holds no number, a
// length is negative, a name is longer than 259 bytes, or the slots run past
// fileSize. On success the stream stands at slot 0.
bool ReadRecordHeader(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header);

// The same without the check of the slots against the file's size (header.end
// is not set): readers that read the slots in order find a short one themselves.
bool ReadRecordHeaderLines(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header);

// Reads up to twelve header lines from the stream's position by the lenient
// policy; count tells how many there were before the stream ended.
void ReadHeaderLinesLeniently(ByteStream& stream, HeaderLinesAsRead& read);

// True when every number line of the record header at position holds only
// decimal digits before its line end (the status line may add one blank and
// the miss count's digits), as the writer writes them. Readers
// take more (blanks, signs, trailing characters); salvage asks for this to
// tell a record from bytes that merely parse as one.
bool HasPlainNumberLines(ByteStream& stream, int64_t position);

// --- Writing header lines ---------------------------------------------------

// Writes the header lines of a record in one write: the keyword, the ten
// lengths and the status, each with CR LF. False when the keyword is longer
// than kMaxKeywordLength or the write fails.
bool WriteRecordHeader(ByteStream& out, const std::string& keyword, const std::array<int64_t, kSlotCount>& lengths,
                       RecordStatus status);

// Writes lines of a lenient reading unchanged, from first up to (not
// including) last, each LF as CR LF.
bool WriteHeaderLinesAsRead(ByteStream& out, const HeaderLinesAsRead& read, int first, int last);

// Writes values as number lines, each with CR LF; then the status line.
bool WriteNumberLines(ByteStream& out, const int64_t* values, size_t count, RecordStatus status);

// --- The start and the end of a test file -----------------------------------

enum class MagicLineRead { Accepted, Missing, Refused };

// Reads the first line of a test, with an 11-byte buffer and its LF dropped:
// accepted when it is not empty and ends in "A", missing when the file has no
// first line at all. The stream then stands behind it.
MagicLineRead ReadMagicLine(ByteStream& stream);
bool IsAcceptedMagicLine(const std::string& firstLine);

// True when the bytes from position to fileSize are at most the closing empty
// line: nothing, CR LF, LF, or a lone CR (a closing line cut short behind its
// CR holds no question, so the test before it is whole). A file of unknown
// size may hold anything.
bool OnlyClosingLineFollows(ByteStream& stream, int64_t position, int64_t fileSize);

// Writes a test file: the magic line, then the records, then the closing
// empty line when at least one record was written.
//
// A copy of a test read by the lenient policy (Creator's export) starts with
// the source's own first line instead, and closes only where the source had
// its closing line: a source without one, or cut short, is copied without one.
class TestFileWriter {
public:
    explicit TestFileWriter(ByteStream& out) : out_(out) {}

    bool Start() { return out_.WriteLine(kMagicLine); }
    // Starts a copy with the source's first line as the lenient reader read
    // it, its LF as CR LF.
    bool Start(const std::string& magicLineAsRead);
    // The stream the records are written to; the caller counts them.
    ByteStream& Out() { return out_; }
    void Counted(int64_t records) { records_ += records; }
    // The copied source's closing line was read.
    void SourceClosed() { sourceClosed_ = true; }
    bool Finish() { return !Closes() || out_.WriteLine(""); }

private:
    bool Closes() const { return copy_ ? sourceClosed_ : records_ > 0; }

    ByteStream& out_;
    int64_t records_ = 0;
    bool copy_ = false;
    bool sourceClosed_ = false;
};

}  // namespace qb
