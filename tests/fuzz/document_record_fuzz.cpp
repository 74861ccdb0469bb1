// Reading one record at a position, as the question display and the edit
// dialog do, on arbitrary bytes. The first four bytes of the input give the
// position, the next two the slots wanted, the rest is the file. A record the
// reader accepts must lie inside the file, and every slot it returns must be
// exactly the bytes stored there (texts with 0x01 and 0x02 turned back into
// LF and CR); slots not wanted come back empty. The stream a test file is
// read through on disk (its own buffer, headers taken in place) must read
// exactly what the plain stream reads.
#include <cstdint>
#include <cstring>
#include <string>

#include "base/read_stream.h"
#include "document/record.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/memory_files.h"

namespace {

const char kPath[] = "C:\\Tests\\Fuzz.tvt";

std::string StoredTextAsRead(std::string stored) {
    for (char& c : stored) {
        if (c == '\x01') c = '\n';
        if (c == '\x02') c = '\r';
    }
    return stored;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 6) return 0;
    uint32_t rawPosition;
    std::memcpy(&rawPosition, data, 4);
    const unsigned wanted = (data[4] | (data[5] << 8)) & qb::kAllSlots;
    const std::string bytes(reinterpret_cast<const char*>(data + 6), size - 6);
    // Mostly positions inside the file, sometimes anywhere (including far past its end).
    const int64_t position = (rawPosition & 0x80000000u) || bytes.empty()
                                 ? static_cast<int64_t>(rawPosition & 0x7fffffffu) - 16
                                 : static_cast<int64_t>(rawPosition % bytes.size());

    qb::testing_support::MemoryFileSystem files;
    files.SetContent(kPath, bytes);
    auto stream = files.Open(kPath, qb::OpenMode::Read);
    QB_FUZZ_CHECK(stream != nullptr);

    qb::QuestionRecord record;
    const bool read = qb::ReadQuestionRecord(*stream, position, record, wanted);
    qb::RecordHeader header;
    const bool headerRead = qb::ReadRecordHeader(*stream, position, static_cast<int64_t>(bytes.size()), header);

    qb::BufferedReadStream buffered(std::make_unique<qb::testing_support::MemorySource>(bytes));
    qb::QuestionRecord bufferedRecord;
    QB_FUZZ_CHECK(qb::ReadQuestionRecord(buffered, position, bufferedRecord, wanted) == read);
    if (read) {
        QB_FUZZ_CHECK(bufferedRecord.keyword == record.keyword && bufferedRecord.status == record.status);
        QB_FUZZ_CHECK(bufferedRecord.slots == record.slots);
    }
    if (!headerRead) {
        QB_FUZZ_CHECK(!read);
        return 0;
    }
    QB_FUZZ_CHECK(position >= 0 && header.slotsStart > position);
    QB_FUZZ_CHECK(header.end >= header.slotsStart && header.end <= static_cast<int64_t>(bytes.size()));
    QB_FUZZ_CHECK(header.keyword.size() <= qb::kMaxKeywordLength);
    QB_FUZZ_CHECK(header.keyword.find('\n') == std::string::npos);
    QB_FUZZ_CHECK(header.status == 0 || header.status == 1);
    // The whole header lies inside the file, so every wanted slot can be read.
    QB_FUZZ_CHECK(read);
    QB_FUZZ_CHECK(record.keyword == header.keyword);
    QB_FUZZ_CHECK(record.status == header.status);
    for (int k = 0; k < qb::kSlotCount; ++k) {
        QB_FUZZ_CHECK(header.lengths[k] >= 0);
        if (k >= qb::kFirstFileSlot) QB_FUZZ_CHECK(header.lengths[k] <= static_cast<int64_t>(qb::kMaxPathLength));
        if (!(wanted & qb::SlotBit(k))) {
            QB_FUZZ_CHECK(record.slots[k].empty());
            continue;
        }
        const std::string stored =
            bytes.substr(static_cast<size_t>(header.SlotPosition(k)), static_cast<size_t>(header.lengths[k]));
        QB_FUZZ_CHECK(stored.size() == static_cast<size_t>(header.lengths[k]));
        QB_FUZZ_CHECK(record.slots[k] == (k < qb::kFirstFileSlot ? StoredTextAsRead(stored) : stored));
    }
    return 0;
}
