#include "document/format.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "base/decimal.h"

namespace qb {

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

namespace {

// The stored byte of a text's byte: LF -> 0x01, CR -> 0x02, others as they are.
char StoredByte(char c) {
    return c == '\n' ? '\x01' : (c == '\r' ? '\x02' : c);
}

}  // namespace

std::string EncodeLineBreaks(const std::string& text) {
    std::string stored = text;
    for (char& c : stored) c = StoredByte(c);
    return stored;
}

bool WriteEncodedText(ByteStream& out, const std::string& text) {
    char piece[4096];
    for (size_t at = 0; at < text.size();) {
        const size_t count = std::min(sizeof piece, text.size() - at);
        for (size_t i = 0; i < count; ++i) piece[i] = StoredByte(text[at + i]);
        if (!out.Write(piece, count)) return false;
        at += count;
    }
    return true;
}

bool HasLineBreak(const std::string& text) {
    for (char c : text)
        if (c == '\r' || c == '\n') return true;
    return false;
}

void DecodeLineBreaksInPlace(std::string& text) {
    for (char& c : text) {
        if (c == '\x01')
            c = '\n';
        else if (c == '\x02')
            c = '\r';
    }
}

std::string DecodeLineBreaks(const std::string& stored) {
    std::string text = stored;
    DecodeLineBreaksInPlace(text);
    return text;
}

int64_t StreamSize(ByteStream& stream) {
    const int64_t here = stream.Tell();
    if (here < 0 || !stream.SeekToEnd()) return -1;
    const int64_t size = stream.Tell();
    if (!stream.Seek(here)) return -1;
    return size;
}

namespace {

constexpr int kStatusLine = kHeaderLineCount - 1;

// One header line as ReadLine gives it: its characters without the line end,
// and whether it had one.
struct HeaderLine {
    const char* text = nullptr;
    size_t size = 0;
    bool ended = false;
};

HeaderLine LineOf(const std::string& read) {
    const bool ended = !read.empty() && read.back() == '\n';
    return {read.data(), read.size() - (ended ? 1 : 0), ended};
}

bool AcceptLength(int slot, int64_t length) {
    return length >= 0 && (slot < kFirstFileSlot || length <= static_cast<int64_t>(kMaxPathLength));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The miss count behind the status: from the blank at text[0] up to the next
// blank or the line's end, digits alone. Anything else after the status
// (older files may hold it) is left alone, as the status reading leaves it.
MissCountNote ParseMissCount(const char* text, size_t size, int32_t& misses) {
    misses = 0;
    if (size == 0 || text[0] != ' ') return MissCountNote::None;
    size_t end = 1;
    while (end < size && text[end] != ' ') ++end;
    const DecimalText count = ReadDecimal(text + 1, end - 1);
    MissCountNote note = end < size ? MissCountNote::MoreText : MissCountNote::None;
    if (!count.IsPlain(end - 1)) return MissCountNote::NotANumber;
    misses = static_cast<int32_t>(std::min<int64_t>(count.value, kMaxMisses));
    if (count.value > kMaxMisses) note = MissCountNote::TooLarge;
    return note;
}

// The status line, the one place that reads it.
bool ParseStatusLine(const HeaderLine& line, RecordStatus& status, MissCountNote& note) {
    const DecimalText number = ReadDecimal(line.text, line.size);
    if (!line.ended || !number.HasDigits()) return false;
    status.answered = number.value > 0 ? 1 : 0;
    note = ParseMissCount(line.text + number.end, line.size - number.end, status.misses);
    return true;
}

// Digits, or digits, one blank and digits: the status line as the writer writes it.
bool IsPlainStatusLine(const HeaderLine& line) {
    size_t i = 0;
    while (i < line.size && IsDigit(line.text[i])) ++i;
    if (i == 0) return false;
    if (i == line.size) return true;
    if (line.text[i] != ' ' || ++i == line.size) return false;
    while (i < line.size && IsDigit(line.text[i])) ++i;
    return i == line.size;
}

// Line index of the header (0 the keyword, 1 to 10 the lengths, 11 the
// status) into header, by the strict policy. False when the line is refused.
bool TakeStrictLine(int index, const HeaderLine& line, RecordHeader& header) {
    if (index == 0) {
        if (!line.ended) return false;
        header.keyword.assign(line.text, line.size);
        return true;
    }
    if (index == kStatusLine) {
        RecordStatus status;
        if (!ParseStatusLine(line, status, header.missNote)) return false;
        header.status = status.answered;
        header.misses = status.misses;
        return true;
    }
    const DecimalText number = ReadDecimal(line.text, line.size);
    if (!line.ended || !number.HasDigits() || !AcceptLength(index - 1, number.value)) return false;
    header.lengths[index - 1] = number.value;
    return true;
}

// The header lines read one by one, as ReadLine gives them.
bool ReadStrictLines(ByteStream& stream, RecordHeader& header) {
    std::string read;
    for (int index = 0; index < kHeaderLineCount; ++index)
        if (!ReadLine(stream, kHeaderLineBuffer, read) || !TakeStrictLine(index, LineOf(read), header)) return false;
    return true;
}

// Splits the line at the start of bytes as ReadLine with the header line
// buffer would take it: at most 21 characters, CR LF counting as one. False
// when the bytes end before ReadLine could tell where the line ends; used is
// then unchanged.
bool SplitLine(const char* bytes, size_t count, size_t& used, HeaderLine& line) {
    const size_t limit = kHeaderLineBuffer - 1;
    const char* start = bytes + used;
    const size_t available = count - used;
    const size_t scan = available < limit + 1 ? available : limit + 1;
    if (scan == 0) return false;  // streams without a buffer of their own have no bytes to give
    const char* feed = static_cast<const char*>(std::memchr(start, '\n', scan));
    if (feed == nullptr) {
        if (available <= limit) return false;
        line = {start, limit, false};
        used += limit;
        return true;
    }
    const size_t at = static_cast<size_t>(feed - start);
    const bool carriageReturn = at > 0 && start[at - 1] == '\r';
    if (at == limit && !carriageReturn) {
        line = {start, limit, false};
        used += limit;
        return true;
    }
    line = {start, at - (carriageReturn ? 1 : 0), true};
    used += at + 1;
    return true;
}

// The header lines taken in place from the stream's buffer, exactly as
// ReadLine would give them. 1 taken, 0 refused, -1 not all in the buffer (the
// caller reads the lines one by one instead).
int TakeBufferedLines(ByteStream& stream, RecordHeader& header) {
    const char* bytes = nullptr;
    const size_t count = stream.Peek(&bytes);
    size_t used = 0;
    for (int index = 0; index < kHeaderLineCount; ++index) {
        HeaderLine line;
        if (!SplitLine(bytes, count, used, line)) return -1;
        // A line refused here is refused by the line path too: it reads the same lines.
        if (!TakeStrictLine(index, line, header)) return 0;
    }
    stream.Skip(used);
    return 1;
}

}  // namespace

bool ReadRecordHeaderLines(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header) {
    if (position < 0 || position >= fileSize || !stream.Seek(position)) return false;
    const int taken = TakeBufferedLines(stream, header);
    if (taken == 0) return false;
    if (taken < 0 && !ReadStrictLines(stream, header)) return false;
    header.slotsStart = stream.Tell();
    return header.slotsStart >= 0;
}

bool ReadRecordHeader(ByteStream& stream, int64_t position, int64_t fileSize, RecordHeader& header) {
    if (!ReadRecordHeaderLines(stream, position, fileSize, header)) return false;
    // Each length is checked before it is added, so the sum cannot overflow.
    int64_t end = header.slotsStart;
    for (int64_t length : header.lengths) {
        if (length > fileSize - end) return false;
        end += length;
    }
    header.end = end;
    return true;
}

void ReadHeaderLinesLeniently(ByteStream& stream, HeaderLinesAsRead& read) {
    read.count = 0;
    const int64_t start = stream.Tell();
    for (int index = 0; index < kHeaderLineCount; ++index) {
        std::string& line = read.lines[index];
        if (!ReadLine(stream, kLenientLineBuffer, line)) break;
        read.numbers[index] = index == 0 ? 0 : ReadDecimal(line.data(), line.size()).value;
        read.count = index + 1;
    }
    // One line and then the end of the stream: the closing line, if its bytes are one.
    read.closingLine = read.count == 1 && start >= 0 && OnlyClosingLineFollows(stream, start, stream.Tell());
}

bool HasPlainNumberLines(ByteStream& stream, int64_t position) {
    std::string read;
    if (!stream.Seek(position) || !ReadLine(stream, kHeaderLineBuffer, read) || !LineOf(read).ended) return false;
    for (int index = 1; index < kHeaderLineCount; ++index) {
        if (!ReadLine(stream, kHeaderLineBuffer, read)) return false;
        const HeaderLine line = LineOf(read);
        const bool plain =
            index == kStatusLine ? IsPlainStatusLine(line) : ReadDecimal(line.text, line.size).IsPlain(line.size);
        if (!line.ended || !plain) return false;
    }
    return true;
}

namespace {

// Room for the header lines of one record, each with CR LF.
constexpr size_t kHeaderBytes = kMaxKeywordLength + 2 + (kSlotCount + 1) * (kMaxNumberChars + 2);

char* EndLine(char* at) {
    *at++ = '\r';
    *at++ = '\n';
    return at;
}

char* AppendNumberLine(char* at, char* end, int64_t value) {
    return EndLine(std::to_chars(at, end, value).ptr);
}

// The status line, the one place that writes it: the count only when above 0,
// so a question never missed keeps the line older readers know.
char* AppendStatusLine(char* at, char* end, RecordStatus status) {
    at = std::to_chars(at, end, status.answered).ptr;
    if (status.misses > 0) {
        *at++ = ' ';
        at = std::to_chars(at, end, std::min(status.misses, kMaxMisses)).ptr;
    }
    return EndLine(at);
}

}  // namespace

bool WriteRecordHeader(ByteStream& out, const std::string& keyword, const std::array<int64_t, kSlotCount>& lengths,
                       RecordStatus status) {
    char lines[kHeaderBytes];
    if (keyword.size() > kMaxKeywordLength) return false;
    char* const end = lines + sizeof lines;
    char* at = EndLine(std::copy(keyword.begin(), keyword.end(), lines));
    for (int64_t length : lengths) at = AppendNumberLine(at, end, length);
    at = AppendStatusLine(at, end, status);
    return out.Write(lines, static_cast<size_t>(at - lines));
}

bool WriteNumberLines(ByteStream& out, const int64_t* values, size_t count, RecordStatus status) {
    char lines[kHeaderBytes];
    char* const end = lines + sizeof lines;
    char* at = lines;
    for (size_t i = 0; i < count && i < kSlotCount; ++i) at = AppendNumberLine(at, end, values[i]);
    at = AppendStatusLine(at, end, status);
    return out.Write(lines, static_cast<size_t>(at - lines));
}

namespace {

// A line as ReadLine gave it, with CR LF for its LF.
void AppendLineAsRead(std::string& text, const std::string& read) {
    const HeaderLine line = LineOf(read);
    text.append(line.text, line.size);
    if (line.ended) text += "\r\n";
}

}  // namespace

bool WriteHeaderLinesAsRead(ByteStream& out, const HeaderLinesAsRead& read, int first, int last) {
    std::string text;
    for (int index = first; index < last && index < read.count; ++index) AppendLineAsRead(text, read.lines[index]);
    return out.WriteText(text);
}

bool TestFileWriter::Start(const std::string& magicLineAsRead) {
    copy_ = true;
    std::string text;
    AppendLineAsRead(text, magicLineAsRead);
    return out_.WriteText(text);
}

bool IsAcceptedMagicLine(const std::string& firstLine) {
    std::string line = firstLine.substr(0, kMagicLineBuffer - 1);
    DropLineFeed(line);
    return !line.empty() && line.back() == 'A';
}

MagicLineRead ReadMagicLine(ByteStream& stream) {
    std::string firstLine;
    if (!stream.Seek(0) || !ReadLine(stream, kMagicLineBuffer, firstLine)) return MagicLineRead::Missing;
    return IsAcceptedMagicLine(firstLine) ? MagicLineRead::Accepted : MagicLineRead::Refused;
}

bool OnlyClosingLineFollows(ByteStream& stream, int64_t position, int64_t fileSize) {
    if (fileSize < 0) return false;
    const int64_t rest = fileSize - position;
    if (rest <= 0) return true;
    if (rest > 2) return false;
    char tail[2] = {};
    const size_t size = static_cast<size_t>(rest);
    if (!stream.Seek(position) || stream.Read(tail, size) != size) return false;
    const std::string bytes(tail, size);
    return bytes == "\r\n" || bytes == "\n" || bytes == "\r";
}

}  // namespace qb
