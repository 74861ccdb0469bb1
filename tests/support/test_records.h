// Records and test files for the document tests, written byte by byte the
// way the format lays them out.
#pragma once
#include <string>
#include <vector>

#include "document/document.h"
#include "document/record.h"

namespace qb {
namespace testing_support {

inline QuestionRecord MakeRecord(const std::string& keyword, const std::string& question, const std::string& answer,
                                 int status = 0) {
    QuestionRecord record;
    record.keyword = keyword;
    record.slots[kSlotQuestion] = question;
    record.slots[kSlotRightAnswer] = answer;
    record.status = status;
    return record;
}

// One record with every slot taken as already stored: keyword line, ten length
// lines, the status line (with the miss count above 0), the slots byte for byte.
inline std::string StoredRecordBytes(const QuestionRecord& record) {
    std::string bytes = record.keyword + "\r\n";
    for (const std::string& slot : record.slots) bytes += std::to_string(slot.size()) + "\r\n";
    bytes += std::to_string(record.status);
    if (record.misses > 0) bytes += " " + std::to_string(record.misses);
    bytes += "\r\n";
    for (const std::string& slot : record.slots) bytes += slot;
    return bytes;
}

// One record as the program writes it: the texts' line breaks encoded.
inline std::string RecordBytes(const QuestionRecord& record) {
    QuestionRecord stored = record;
    for (int k = 0; k < kFirstFileSlot; ++k) stored.slots[k] = EncodeLineBreaks(record.slots[k]);
    return StoredRecordBytes(stored);
}


// A whole test file: the magic line, the records, the closing empty line.
inline std::string TestFileBytes(const std::vector<QuestionRecord>& records,
                                 std::string (*recordBytes)(const QuestionRecord&) = RecordBytes) {
    std::string bytes = std::string(kMagicLine) + "\r\n";
    for (const QuestionRecord& record : records) bytes += recordBytes(record);
    if (!records.empty()) bytes += "\r\n";
    return bytes;
}

}  // namespace testing_support
}  // namespace qb
