#include "authoring/salvage_scan.h"

#include "document/record.h"

namespace qb {

namespace {

// A record that reads whole, with a keyword and plain number lines; end is set behind it.
bool IsPlausibleRecord(ByteStream& stream, int64_t position, int64_t size, int64_t& end) {
    RecordHeader header;
    if (!ReadRecordHeader(stream, position, size, header) || header.keyword.empty()) return false;
    end = header.end;
    return HasPlainNumberLines(stream, position);
}

// A record's header lines stand at position, plain as the writer writes them;
// its slots may run past the end (a record cut short still marks where one begins).
bool IsRecordStart(ByteStream& stream, int64_t position, int64_t size) {
    if (position >= size || !stream.Seek(position)) return false;
    const int first = stream.GetByte();
    return first != '\r' && first != '\n' && first >= 0 && HasPlainNumberLines(stream, position);
}

// The first place behind from where a record can be resumed, or -1.
int64_t FindResumableRecord(ByteStream& stream, int64_t from, int64_t size) {
    for (int64_t position = from; position < size; ++position)
        if (IsResumableRecord(stream, position, size)) return position;
    return -1;
}

// Where records begin, or -1 when the file is not a test; an empty file is
// a test without questions.
int64_t RecordsStart(ByteStream& stream, int64_t size) {
    if (size == 0) return 0;
    if (ReadMagicLine(stream) != MagicLineRead::Accepted) return -1;
    return stream.Tell();
}

void Take(TestFileScan& scan, const FilePart& part, const RecordHeader* header, const FilePartVisitor& visit) {
    if (visit)
        visit(part, header);
    else
        scan.parts.push_back(part);
}

}  // namespace

bool IsResumableRecord(ByteStream& stream, int64_t position, int64_t size) {
    int64_t end = 0;
    if (!IsPlausibleRecord(stream, position, size, end)) return false;
    return OnlyClosingLineFollows(stream, end, size) || IsRecordStart(stream, end, size);
}

bool ScanTestFile(ByteStream& stream, TestFileScan& scan, const FilePartVisitor& visit) {
    scan = TestFileScan();
    scan.size = StreamSize(stream);
    if (scan.size < 0) return false;
    int64_t position = RecordsStart(stream, scan.size);
    scan.magicAccepted = position >= 0;
    if (!scan.magicAccepted) position = 0;
    while (!OnlyClosingLineFollows(stream, position, scan.size)) {
        RecordHeader header;
        if (ReadRecordHeader(stream, position, scan.size, header)) {
            ++scan.recordCount;
            Take(scan, {position, header.end, false}, &header, visit);
            position = header.end;
            continue;
        }
        const int64_t resume = FindResumableRecord(stream, position + 1, scan.size);
        const int64_t end = resume < 0 ? scan.size : resume;
        ++scan.damagedCount;
        Take(scan, {position, end, true}, nullptr, visit);
        position = end;
    }
    return true;
}

}  // namespace qb
