// Reading a question table from arbitrary bytes: no crash; a table read
// without errors gives at least one record, only records every reader reads
// back, with the rows the question dialog would accept and no control
// character but tab, CR and LF; writing those records as a table and reading
// it again gives the same records.
#include <cstdint>
#include <string>

#include "authoring/question_table.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

bool HasControlCharacter(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
    return false;
}

void CheckTable(const std::string& bytes, const qb::TableOptions& options) {
    const qb::QuestionTable table = qb::ReadQuestionTable(bytes, options);
    if (!table.errors.empty()) {
        QB_FUZZ_CHECK(table.records.empty() || table.errors.front().row > 0);
        return;
    }
    QB_FUZZ_CHECK(!table.records.empty());
    for (const qb::QuestionRecord& record : table.records) {
        QB_FUZZ_CHECK(qb::IsWritableRecord(record));
        QB_FUZZ_CHECK(!record.keyword.empty() && !record.slots[qb::kSlotQuestion].empty());
        QB_FUZZ_CHECK(!record.slots[qb::kSlotRightAnswer].empty());
        QB_FUZZ_CHECK(!HasControlCharacter(record.keyword));
        for (const std::string& slot : record.slots) QB_FUZZ_CHECK(!HasControlCharacter(slot));
    }
    for (char written : {',', '\t'}) {
        const qb::QuestionTable back = qb::ReadQuestionTable(qb::WriteQuestionTable(table.records, written));
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
    qb::TableOptions options;
    CheckTable(bytes, options);
    options.separator = '\t';
    options.header = qb::HeaderChoice::Header;
    CheckTable(bytes, options);
    options.encoding = qb::EncodingChoice::Utf16;
    CheckTable(bytes, options);
    return 0;
}
