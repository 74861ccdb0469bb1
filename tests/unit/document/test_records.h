// Records and test files for the document tests, written byte by byte the
// way the format lays them out.
#pragma once
#include <string>
#include <vector>

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

// One record: keyword line, ten length lines, the status line, the slots.
inline std::string RecordBytes(const QuestionRecord& record) {
    std::string bytes = record.keyword + "\r\n";
    for (const std::string& slot : record.slots) bytes += std::to_string(slot.size()) + "\r\n";
    bytes += std::to_string(record.status) + "\r\n";
    for (int k = 0; k < kSlotCount; ++k) bytes += k < kFirstFileSlot ? EncodeLineBreaks(record.slots[k]) : record.slots[k];
    return bytes;
}

// A whole test file: the magic line, the records, the closing empty line.
inline std::string TestFileBytes(const std::vector<QuestionRecord>& records) {
    std::string bytes = "QBKX0101A\r\n";
    for (const QuestionRecord& record : records) bytes += RecordBytes(record);
    if (!records.empty()) bytes += "\r\n";
    return bytes;
}

}  // namespace testing_support
}  // namespace qb
