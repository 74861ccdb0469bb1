// The parts of a test file in file order: records read whole and damaged
// stretches. Records are read the way the loader reads them until one cannot
// be read whole; from there the scan searches forward, byte by byte, for the
// next place where a complete record stands, and goes on from it.
#pragma once
#include <cstdint>
#include <vector>

#include "document/byte_stream.h"

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
    std::vector<FilePart> parts;

    size_t RecordCount() const;
    size_t DamagedCount() const;
};

// A record the search may resume at: it reads whole, its keyword has 1 to 20
// characters, its number lines are plain decimals (its slots fit in the file,
// as for every record) and a record, the closing empty line or the file's
// end follows it. The record that follows needs only its header lines: a
// record cut short behind it still shows where one begins.
bool IsResumableRecord(ByteStream& stream, int64_t position, int64_t size);

// False when the stream's size cannot be taken.
bool ScanTestFile(ByteStream& stream, TestFileScan& scan);

}  // namespace qb
