#include "document/record.h"

#include <cctype>
#include <cstdint>
#include <memory>
#include <new>

namespace qb {

namespace {

bool WriteNumberLine(ByteStream& stream, int64_t value) {
    return stream.WriteLine(std::to_string(value));
}

// A header number line: it must have its line end (a longer line would shift
// every following line) and hold at least one digit after blanks and a sign.
// The value is taken as atoi takes it, saturated instead of overflowing.
// line: size characters without the line end.
bool ParseNumber(const char* line, size_t size, int64_t& value) {
    size_t i = 0;
    while (i < size && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool negative = false;
    if (i < size && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    if (i >= size || line[i] < '0' || line[i] > '9') return false;
    int64_t number = 0;
    for (; i < size && line[i] >= '0' && line[i] <= '9'; ++i) {
        const int digit = line[i] - '0';
        number = number > (INT64_MAX - digit) / 10 ? INT64_MAX : number * 10 + digit;
    }
    value = negative ? -number : number;
    return true;
}

bool ParseNumberLine(const std::string& line, int64_t& value) {
    return !line.empty() && line.back() == '\n' && ParseNumber(line.data(), line.size() - 1, value);
}

// line is the caller's, so that its memory is reused from line to line.
bool ReadNumberLine(ByteStream& stream, std::string& line, int64_t& value) {
    return ReadLine(stream, kHeaderLineBuffer, line) && ParseNumberLine(line, value);
}

bool ReadSlot(ByteStream& stream, int64_t length, std::string& bytes) {
    if (static_cast<uint64_t>(length) > SIZE_MAX / 2) return false;  // more than memory can hold
    bytes.assign(static_cast<size_t>(length), '\0');
    return length == 0 || stream.Read(&bytes[0], bytes.size()) == bytes.size();
}

}  // namespace

int64_t RecordHeader::SlotPosition(int slot) const {
    int64_t position = slotsStart;
    for (int k = 0; k < slot; ++k) position += lengths[k];
    return position;
}

bool RecordHeader::IsMultipleChoice() const {
    int filled = 0;
    for (int k = kSlotRightAnswer; k < kFirstFileSlot; ++k)
        if (lengths[k] > 0) ++filled;
    return filled > 1;
}

std::string EncodeLineBreaks(const std::string& text) {
    std::string stored = text;
    for (char& c : stored) {
        if (c == '\n')
            c = '\x01';
        else if (c == '\r')
            c = '\x02';
    }
    return stored;
}

namespace {

void DecodeLineBreaksInPlace(std::string& text) {
    for (char& c : text) {
        if (c == '\x01')
            c = '\n';
        else if (c == '\x02')
            c = '\r';
    }
}

}  // namespace

std::string DecodeLineBreaks(const std::string& stored) {
    std::string text = stored;
    DecodeLineBreaksInPlace(text);
    return text;
}

bool IsWritableRecord(const QuestionRecord& record) {
    if (record.keyword.size() > kMaxKeywordLength) return false;
    if (record.keyword.find_first_of("\r\n") != std::string::npos) return false;
    for (int k = kFirstFileSlot; k < kSlotCount; ++k)
        if (record.slots[k].size() > kMaxPathLength) return false;
    return true;
}

namespace {

int64_t WriteRecordAtEnd(ByteStream& stream, const QuestionRecord& record, int status) {
    if (!IsWritableRecord(record)) return -1;
    if (!stream.SeekToEnd()) return -1;
    const int64_t position = stream.Tell();
    if (position < 0) return -1;
    bool ok = stream.WriteLine(record.keyword);
    for (int k = 0; k < kSlotCount; ++k)
        ok = ok && WriteNumberLine(stream, static_cast<int64_t>(record.slots[k].size()));
    ok = ok && WriteNumberLine(stream, status);
    for (int k = 0; k < kFirstFileSlot; ++k)
        if (!record.slots[k].empty()) ok = ok && stream.WriteText(EncodeLineBreaks(record.slots[k]));
    for (int k = kFirstFileSlot; k < kSlotCount; ++k)
        if (!record.slots[k].empty()) ok = ok && stream.WriteText(record.slots[k]);
    ok = ok && stream.Flush();
    return ok ? position : -1;
}

}  // namespace

int64_t WriteQuestionRecord(ByteStream& stream, const QuestionRecord& record) {
    return WriteRecordAtEnd(stream, record, 0);
}

int64_t WriteQuestionRecordWithStatus(ByteStream& stream, const QuestionRecord& record) {
    return WriteRecordAtEnd(stream, record, record.status > 0 ? 1 : 0);
}

int64_t StreamSize(ByteStream& stream) {
    const int64_t here = stream.Tell();
    if (here < 0 || !stream.SeekToEnd()) return -1;
    const int64_t size = stream.Tell();
    if (!stream.Seek(here)) return -1;
    return size;
}

namespace {

constexpr int kHeaderLineCount = 2 + kSlotCount;  // keyword, lengths, status

bool AcceptLength(int slot, int64_t length) {
    return length >= 0 && (slot < kFirstFileSlot || length <= static_cast<int64_t>(kMaxPathLength));
}

// The header lines read one by one, as ReadLine gives them.
bool ReadHeaderLines(ByteStream& stream, RecordHeader& header, int64_t& status) {
    std::string line;
    if (!ReadLine(stream, kHeaderLineBuffer, line) || line.back() != '\n') return false;
    DropLineFeed(line);
    header.keyword = line;
    for (int k = 0; k < kSlotCount; ++k) {
        int64_t length = 0;
        if (!ReadNumberLine(stream, line, length) || !AcceptLength(k, length)) return false;
        header.lengths[k] = length;
    }
    return ReadNumberLine(stream, line, status);
}

// Where a plain line that starts at line ends: size characters, then LF or
// CR LF at once, all within scan bytes and within the line buffer. The index
// behind its LF, or 0 when the line is not plain.
size_t PlainLineEnd(const char* line, size_t size, size_t scan) {
    size_t end = size;
    if (end < scan && line[end] == '\r') ++end;
    if (end >= scan || line[end] != '\n' || size + 1 > kHeaderLineBuffer - 1) return 0;
    return end + 1;
}

// A plain number line at bytes + used: blanks, a sign, digits and then its
// line end. 1 taken, 0 refused (no digit), -1 not plain; used moves behind
// a line that is taken or refused.
int TakeNumberLine(const char* bytes, size_t count, size_t& used, int64_t& value) {
    const char* line = bytes + used;
    const size_t scan = count - used < kHeaderLineBuffer ? count - used : kHeaderLineBuffer;
    size_t i = 0;
    while (i < scan && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool negative = false;
    if (i < scan && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    const size_t digits = i;
    int64_t number = 0;
    for (; i < scan && line[i] >= '0' && line[i] <= '9'; ++i) {
        const int digit = line[i] - '0';
        number = number > (INT64_MAX - digit) / 10 ? INT64_MAX : number * 10 + digit;
    }
    const size_t end = PlainLineEnd(line, i, scan);
    if (end == 0) return -1;
    used += end;
    if (i == digits) return 0;
    value = negative ? -number : number;
    return 1;
}

// The header lines taken in place from the stream's buffer. Only plain lines
// are taken here: each ends in CR LF or LF within the buffer, no line is
// longer than the line buffer, the keyword holds no CR and a number line
// nothing behind its digits. Such a line is exactly what ReadLine would
// give. 1 taken, 0 refused, -1 not plain (the caller reads the lines one by
// one instead).
int TakeHeaderLines(ByteStream& stream, RecordHeader& header, int64_t& status) {
    const char* bytes = nullptr;
    const size_t count = stream.Peek(&bytes);
    const size_t scan = count < kHeaderLineBuffer ? count : kHeaderLineBuffer;
    size_t size = 0;
    while (size < scan && bytes[size] != '\n' && bytes[size] != '\r') ++size;
    size_t used = PlainLineEnd(bytes, size, scan);
    if (used == 0) return -1;
    for (int k = 0; k < kSlotCount; ++k) {
        int64_t length = 0;
        const int taken = TakeNumberLine(bytes, count, used, length);
        if (taken <= 0) return taken;
        if (!AcceptLength(k, length)) return 0;
        header.lengths[k] = length;
    }
    const int taken = TakeNumberLine(bytes, count, used, status);
    if (taken <= 0) return taken;
    header.keyword.assign(bytes, size);
    stream.Skip(used);
    return 1;
}

}  // namespace

namespace {

// The twelve header lines at position, their lengths not yet checked against the file.
bool ReadRecordLines(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header) {
    if (position < 0 || position >= fileSize || !stream.Seek(position)) return false;
    int64_t status = 0;
    const int taken = TakeHeaderLines(stream, header, status);
    if (taken == 0) return false;
    if (taken < 0 && !ReadHeaderLines(stream, header, status)) return false;
    header.status = status > 0 ? 1 : 0;
    header.slotsStart = stream.Tell();
    return header.slotsStart >= 0;
}

}  // namespace

bool ReadRecordHeader(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header) {
    if (!ReadRecordLines(stream, position, fileSize, header)) return false;
    // Each length is checked before it is added, so the sum cannot overflow.
    int64_t end = header.slotsStart;
    for (int64_t length : header.lengths) {
        if (length > fileSize - end) return false;
        end += length;
    }
    header.end = end;
    return true;
}

namespace {

bool ReadWantedSlots(ByteStream& stream, int64_t position, int64_t size, QuestionRecord& record, unsigned wanted) {
    RecordHeader header;
    if (size < 0 || !ReadRecordHeader(stream, position, size, header)) return false;
    record.keyword = header.keyword;
    record.status = header.status;
    bool positioned = true;
    for (int k = 0; k < kSlotCount; ++k) {
        std::string& slot = record.slots[k];
        slot.clear();
        if (!(wanted & SlotBit(k))) {
            positioned = false;
            continue;
        }
        if (!positioned && !stream.Seek(header.SlotPosition(k))) return false;
        positioned = true;
        if (!ReadSlot(stream, header.lengths[k], slot)) return false;
        if (k < kFirstFileSlot) DecodeLineBreaksInPlace(slot);
    }
    return true;
}

}  // namespace

bool ReadQuestionRecord(ByteStream& stream, int64_t position, QuestionRecord& record, unsigned wanted) {
    return ReadQuestionRecordOfSize(stream, position, StreamSize(stream), record, wanted);
}

bool ReadQuestionRecordOfSize(ByteStream& stream, int64_t position, int64_t fileSize, QuestionRecord& record,
                              unsigned wanted) {
    try {
        return ReadWantedSlots(stream, position, fileSize, record, wanted);
    } catch (const std::bad_alloc&) {
        return false;  // a slot too large for memory is unreadable
    }
}

RecordProgress ReadRecordInOrder(ByteStream& stream, int64_t position, QuestionRecord& record) {
    RecordProgress progress;
    record = QuestionRecord{};
    const int64_t size = StreamSize(stream);
    RecordHeader header;
    if (size < 0 || !ReadRecordLines(stream, position, size, header)) return progress;
    record.keyword = header.keyword;
    record.status = header.status;
    progress.headerRead = true;
    progress.lengths = header.lengths;
    int64_t left = size - header.slotsStart;
    for (int k = 0; k < kSlotCount; ++k) {
        const int64_t length = header.lengths[k];
        if (length > kMaxSlotLength) {
            progress.outcome = RecordRead::NoMemory;
            return progress;
        }
        try {
            if (length > left || !ReadSlot(stream, length, record.slots[k])) {
                record.slots[k].clear();
                return progress;
            }
            if (k < kFirstFileSlot) record.slots[k] = DecodeLineBreaks(record.slots[k]);
        } catch (const std::bad_alloc&) {
            record.slots[k].clear();
            progress.outcome = RecordRead::NoMemory;
            return progress;
        }
        left -= length;
        progress.slotsRead = k + 1;
    }
    progress.outcome = RecordRead::Complete;
    return progress;
}

bool HasPlainNumberLines(ByteStream& stream, int64_t position) {
    std::string line;
    if (!stream.Seek(position) || !ReadLine(stream, kHeaderLineBuffer, line) || line.back() != '\n') return false;
    for (int k = 0; k < kHeaderLineCount - 1; ++k) {
        if (!ReadLine(stream, kHeaderLineBuffer, line) || line.size() < 2 || line.back() != '\n') return false;
        for (size_t i = 0; i + 1 < line.size(); ++i)
            if (line[i] < '0' || line[i] > '9') return false;
    }
    return true;
}

std::string ResolveAttachmentName(const std::string& storedName, const std::string& programDirectory) {
    if (storedName.empty() || storedName[0] != '*') return storedName;
    return programDirectory + "\\" + storedName.substr(1);
}

namespace {

// Where the folder part of a path ends: behind its last separator, 0 when it has none.
size_t FolderPartLength(const std::string& path) {
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

}  // namespace

std::string LocateAttachment(FileSystem& files, const std::string& storedName, const std::string& programDirectory,
                             const std::string& testPath) {
    const std::string resolved = ResolveAttachmentName(storedName, programDirectory);
    if (resolved.empty() || testPath.empty() || files.Exists(resolved)) return resolved;
    const std::string name = resolved.substr(FolderPartLength(resolved));
    if (name.empty()) return resolved;
    const std::string beside = testPath.substr(0, FolderPartLength(testPath)) + name;
    return files.Exists(beside) ? beside : resolved;
}

bool IsAcceptedMagicLine(const std::string& firstLine) {
    std::string line = firstLine.substr(0, kMagicLineBuffer - 1);
    DropLineFeed(line);
    return !line.empty() && line.back() == 'A';
}

std::string CompanionName(const std::string& path, const char* suffix) {
    if (path.size() < 3) return std::string();
    const std::string tail = path.substr(path.size() - 3);
    if (tail.find_first_of("\\/:") != std::string::npos) return std::string();
    return path.substr(0, path.size() - 3) + suffix;
}

bool SamePath(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) return false;
    }
    return true;
}

std::string JournalPathFor(const std::string& programDirectory) {
    return programDirectory + "\\CHANGINGS.TMP";
}

}  // namespace qb
