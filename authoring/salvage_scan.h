// The parts of a test file in file order: records read whole and damaged
// stretches. Records are read the way the loader reads them until one cannot
// be read whole; from there the scan searches forward, byte by byte, for the
// next place where a complete record stands, and goes on from it.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "base/byte_stream.h"
#include "document/record.h"

namespace qb {

struct FilePart {
    int64_t start = 0;
    int64_t end = 0;  // just behind the part
    bool damaged = false;
};

struct TestFileScan {
    // False when the first line is not a test's; the search then starts at byte 0.
    bool magicAccepted = false;
    int64_t size = 0;
    size_t recordCount = 0;
    size_t damagedCount = 0;
    std::vector<FilePart> parts;  // kept only when the scan has no visitor
};

// A record the search may resume at: it reads whole, its keyword has 1 to 20
// characters, its number lines are plain decimals (its slots fit in the file,
// as for every record) and a record, the closing empty line or the file's
// end follows it. The record that follows needs only its header lines: a
// record cut short behind it still shows where one begins.
bool IsResumableRecord(ByteStream& stream, int64_t position, int64_t size);

// Called with each part as soon as it is found, while its bytes are still at
// hand in the stream's buffer, with the record's header (nullptr for a
// damaged part); it may read the stream anywhere.
using FilePartVisitor = std::function<void(const FilePart& part, const RecordHeader* header)>;

// False when the stream's size cannot be taken. Without a visitor the parts
// are kept in scan.parts.
bool ScanTestFile(ByteStream& stream, TestFileScan& scan, const FilePartVisitor& visit = nullptr);

}  // namespace qb
