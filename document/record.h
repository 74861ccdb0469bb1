// The question record: the layout shared by test files and the change journal.
//
// A record is a keyword line, ten length lines, a status line and then ten
// slots of exactly the given byte lengths. Texts (slots 0 to 5) store LF as
// 0x01 and CR as 0x02, so no slot ever holds a line end; file names (slots 6
// to 9) are stored as they are. Every line ends in CR LF on disk.
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

constexpr size_t kMaxKeywordLength = 20;
// Readers take header lines with fgets-style buffers of this size.
constexpr size_t kHeaderLineBuffer = 22;
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

// One question as the program holds it: texts with their CR LF line breaks,
// file names as stored (a "*" name still unresolved).
struct QuestionRecord {
    std::string keyword;
    std::array<std::string, kSlotCount> slots;
    int status = 0;  // 0 not answered, 1 answered
};

// The twelve header lines of a record, checked against the file they lie in.
struct RecordHeader {
    std::string keyword;
    std::array<int64_t, kSlotCount> lengths{};
    int status = 0;          // normalised: 1 for any stored value above 0, else 0
    int64_t slotsStart = 0;  // position of slot 0
    int64_t end = 0;         // position just behind the last slot

    int64_t SlotPosition(int slot) const;
    // More than one of slots 1 to 5 is filled: a multiple-choice question.
    bool IsMultipleChoice() const;
};

// LF -> 0x01, CR -> 0x02 (length unchanged), and back.
std::string EncodeLineBreaks(const std::string& text);
std::string DecodeLineBreaks(const std::string& stored);

// True when the record can be written so that every reader reads it back:
// keyword of at most 20 characters without CR or LF, names of at most 259
// bytes. (Empty question text or answer is the dialog's business, not the
// format's.)
bool IsWritableRecord(const QuestionRecord& record);

// Appends the record at the end of stream (the change journal) with status 0,
// the number lines in the writer's three groups, and only the non-empty
// wrong answers and names. Returns the position the record starts at, or -1
// when the position cannot be taken, the record is not writable or a write
// (including the flush that ends it) fails. Bytes of a failed write stay in
// the journal unreferenced.
int64_t WriteQuestionRecord(ByteStream& stream, const QuestionRecord& record);
// The same with the record's own status (0, or 1 for any value above 0), for
// tools that rewrite whole tests and must keep what was answered.
int64_t WriteQuestionRecordWithStatus(ByteStream& stream, const QuestionRecord& record);

// Size of the stream in bytes (its position is restored), or -1.
int64_t StreamSize(ByteStream& stream);

// Reads the header of the record at position. False, like a record cut
// short, when a line is missing or overlong (the keyword line must end in a
// line end within the 22-byte buffer), a number line holds no number, a
// length is negative, a name is longer than 259 bytes, or the slots run past
// fileSize. On success the stream stands at slot 0.
bool ReadRecordHeader(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header);

// Reads the record at position: the header, then the slots named in wanted
// (decoded for texts), seeking over the others. Slots not wanted are left
// empty. False when the header is refused or a wanted slot cannot be read
// whole.
bool ReadQuestionRecord(ByteStream& stream, int64_t position, QuestionRecord& record, unsigned wanted = kAllSlots);
// The same in a file whose size is known: tools that read every record of a
// file spare asking for the size each time.
bool ReadQuestionRecordOfSize(ByteStream& stream, int64_t position, int64_t fileSize, QuestionRecord& record,
                              unsigned wanted = kAllSlots);

// True when every number line of the record header at position holds only
// decimal digits before its line end, as the writer writes them. Readers
// take more (blanks, signs, trailing characters); salvage asks for this to
// tell a record from bytes that merely parse as one.
bool HasPlainNumberLines(ByteStream& stream, int64_t position);

// A text slot longer than this can never be held by the 32-bit program, so
// reading it fails for want of memory in every build.
constexpr int64_t kMaxSlotLength = INT32_MAX;

enum class RecordRead { Complete, FileError, NoMemory };

// What a reader in slot order got of a record before it ended.
struct RecordProgress {
    RecordRead outcome = RecordRead::FileError;
    bool headerRead = false;  // keyword, lengths and status
    std::array<int64_t, kSlotCount> lengths{};
    int slotsRead = 0;  // slots 0 to slotsRead - 1 are in the record
};

// Reads the record at position as it is shown and edited: the header lines,
// then every slot in order (texts decoded). A failure leaves in record what was
// read before it. A slot beyond kMaxSlotLength fails with NoMemory, one running
// past the end of the file with FileError, both before anything of it is read.
RecordProgress ReadRecordInOrder(ByteStream& stream, int64_t position, QuestionRecord& record);

// A stored "*name" becomes programDirectory + "\" + name; other names are
// returned unchanged.
std::string ResolveAttachmentName(const std::string& storedName, const std::string& programDirectory);

// The file an attachment is read from. The stored name after the "*" rule
// when that file exists; else the file of the same name in the folder of
// testPath (the test file itself), when that one exists, so a test that was
// moved or copied keeps its attachments; else the name after the "*" rule,
// which the caller then fails to open. The stored name itself never
// changes. Empty for an empty stored name.
std::string LocateAttachment(FileSystem& files, const std::string& storedName, const std::string& programDirectory,
                             const std::string& testPath);

// The first line of a test, read with an 11-byte buffer and its LF dropped,
// is accepted when it is not empty and ends in "A".
bool IsAcceptedMagicLine(const std::string& firstLine);

// The path with its last three characters replaced by suffix ("TMP", "BAK",
// "TVT"). Empty when the path is too short or its last three characters
// include a directory or drive separator.
std::string CompanionName(const std::string& path, const char* suffix);

// Paths that name the same file, as Windows compares names: without regard
// to case. Both must be full paths for the answer to hold.
bool SamePath(const std::string& a, const std::string& b);

// The change journal's path in the program directory ("%s\\CHANGINGS.TMP").
std::string JournalPathFor(const std::string& programDirectory);

}  // namespace qb
