#include "document/record.h"

#include <cctype>
#include <cstdint>
#include <memory>
#include <new>

namespace qb {

namespace {

bool ReadSlot(ByteStream& stream, int64_t length, std::string& bytes) {
    if (static_cast<uint64_t>(length) > SIZE_MAX / 2) return false;  // more than memory can hold
    bytes.assign(static_cast<size_t>(length), '\0');
    return length == 0 || stream.Read(&bytes[0], bytes.size()) == bytes.size();
}

}  // namespace

bool IsWritableRecord(const QuestionRecord& record) {
    if (record.keyword.size() > kMaxKeywordLength) return false;
    if (HasLineBreak(record.keyword)) return false;
    for (int k = kFirstFileSlot; k < kSlotCount; ++k)
        if (record.slots[k].size() > kMaxPathLength) return false;
    return true;
}

namespace {

int64_t WriteRecordAtEnd(ByteStream& stream, const QuestionRecord& record, int answered) {
    if (!IsWritableRecord(record)) return -1;
    if (!stream.SeekToEnd()) return -1;
    const int64_t position = stream.Tell();
    if (position < 0) return -1;
    std::array<int64_t, kSlotCount> lengths{};
    for (int k = 0; k < kSlotCount; ++k) lengths[k] = static_cast<int64_t>(record.slots[k].size());
    bool ok = WriteRecordHeader(stream, record.keyword, lengths, RecordStatus{answered, record.misses});
    for (int k = 0; k < kFirstFileSlot; ++k)
        if (!record.slots[k].empty()) ok = ok && WriteEncodedText(stream, record.slots[k]);
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

bool WriteTestFile(ByteStream& out, const std::vector<QuestionRecord>& records, StatusWritten status) {
    TestFileWriter writer(out);
    bool ok = writer.Start();
    for (const QuestionRecord& record : records) {
        const int64_t written = status == StatusWritten::Kept ? WriteQuestionRecordWithStatus(writer.Out(), record)
                                                              : WriteQuestionRecord(writer.Out(), record);
        ok = ok && written >= 0;
        writer.Counted(1);
    }
    return ok && writer.Finish() && out.Flush();
}

namespace {

bool ReadWantedSlots(ByteStream& stream, int64_t position, int64_t size, QuestionRecord& record, unsigned wanted) {
    RecordHeader header;
    if (size < 0 || !ReadRecordHeader(stream, position, size, header)) return false;
    record.keyword = header.keyword;
    record.status = header.status;
    record.misses = header.misses;
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
    if (size < 0 || !ReadRecordHeaderLines(stream, position, size, header)) return progress;
    record.keyword = header.keyword;
    record.status = header.status;
    record.misses = header.misses;
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

}  // namespace qb
