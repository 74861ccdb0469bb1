// The question record as the program holds it, and the reading and writing
// of whole records in the layout of document/format.h.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_stream.h"
#include "base/path_limits.h"
#include "document/format.h"

namespace qb {

// One question as the program holds it: texts with their CR LF line breaks,
// file names as stored (a "*" name still unresolved).
struct QuestionRecord {
    std::string keyword;
    std::array<std::string, kSlotCount> slots;
    int status = 0;      // 0 not answered, 1 answered
    int32_t misses = 0;  // 0 to kMaxMisses
};

// True when the record can be written so that every reader reads it back:
// keyword of at most 20 characters without CR or LF, names of at most 259
// bytes. (Empty question text or answer is the dialog's business, not the
// format's.)
bool IsWritableRecord(const QuestionRecord& record);

// Appends the record at the end of stream (the change journal) with status 0
// and the record's miss count (an edited question keeps its count), the number lines in the writer's three groups, and only the non-empty
// wrong answers and names. Returns the position the record starts at, or -1
// when the position cannot be taken, the record is not writable or a write
// (including the flush that ends it) fails. Bytes of a failed write stay in
// the journal unreferenced.
int64_t WriteQuestionRecord(ByteStream& stream, const QuestionRecord& record);
// The same with the record's own status (0, or 1 for any value above 0), for
// tools that rewrite whole tests and must keep what was answered.
int64_t WriteQuestionRecordWithStatus(ByteStream& stream, const QuestionRecord& record);

// Which status a whole test's writer gives its records.
enum class StatusWritten { Zero, Kept };

// Writes a whole test file of records (TestFileWriter). False when a record
// is not writable or a write fails.
bool WriteTestFile(ByteStream& out, const std::vector<QuestionRecord>& records, StatusWritten status);

// Reads the record at position: the header, then the slots named in wanted
// (decoded for texts), seeking over the others. Slots not wanted are left
// empty. False when the header is refused or a wanted slot cannot be read
// whole.
bool ReadQuestionRecord(ByteStream& stream, int64_t position, QuestionRecord& record, unsigned wanted = kAllSlots);
// The same in a file whose size is known: tools that read every record of a
// file spare asking for the size each time.
bool ReadQuestionRecordOfSize(ByteStream& stream, int64_t position, int64_t fileSize, QuestionRecord& record,
                              unsigned wanted = kAllSlots);

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

}  // namespace qb
