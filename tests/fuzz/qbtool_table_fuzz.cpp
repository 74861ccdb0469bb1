// Reading a question table from arbitrary bytes: no crash; a table read
// without errors gives only records every reader reads back, with the rows
// the question dialog would accept; writing those records as a table and
// reading it again gives the same records.
#include <cstdint>
#include <string>

#include "authoring/question_table.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

void CheckTable(const std::string& bytes, char separator) {
    const qb::QuestionTable table = qb::ReadQuestionTable(bytes, separator);
    if (!table.errors.empty()) {
        QB_FUZZ_CHECK(table.records.empty() || table.errors.front().row > 0);
        return;
    }
    for (const qb::QuestionRecord& record : table.records) {
        QB_FUZZ_CHECK(qb::IsWritableRecord(record));
        QB_FUZZ_CHECK(!record.keyword.empty() && !record.slots[qb::kSlotQuestion].empty());
        QB_FUZZ_CHECK(!record.slots[qb::kSlotRightAnswer].empty());
    }
    for (char written : {',', '\t'}) {
        const qb::QuestionTable back = qb::ReadQuestionTable(qb::WriteQuestionTable(table.records, written), 0);
        QB_FUZZ_CHECK(back.errors.empty());
        QB_FUZZ_CHECK(back.records.size() == table.records.size());
        for (size_t i = 0; i < back.records.size(); ++i) {
            QB_FUZZ_CHECK(back.records[i].keyword == table.records[i].keyword);
            QB_FUZZ_CHECK(back.records[i].slots == table.records[i].slots);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckTable(bytes, 0);
    CheckTable(bytes, '\t');
    return 0;
}
