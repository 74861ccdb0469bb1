// A record written from arbitrary field values reads back equal: keyword up to
// 20 characters, any bytes in the texts, names up to 259 bytes. Texts come
// back with 0x01 and 0x02 read as LF and CR (the stored form of line breaks).
// Values the format cannot hold are refused without writing anything.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "document/record.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/memory_files.h"

namespace {

const char kJournalPath[] = "C:\\Q\\CHANGINGS.TMP";

std::string AsRead(std::string text) {
    for (char& c : text) {
        if (c == '\x01') c = '\n';
        if (c == '\x02') c = '\r';
    }
    return text;
}

bool FitsTheFormat(const qb::QuestionRecord& record) {
    if (record.keyword.size() > 20 || record.keyword.find_first_of("\r\n") != std::string::npos) return false;
    for (int k = qb::kFirstFileSlot; k < qb::kSlotCount; ++k)
        if (record.slots[k].size() > 259) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    // Records already in the journal: the new one goes behind them.
    const std::string before = input.ConsumeRandomLengthString(64);
    qb::QuestionRecord written;
    written.keyword = input.ConsumeRandomLengthString(24);
    for (int k = 0; k < qb::kSlotCount; ++k)
        written.slots[k] = input.ConsumeRandomLengthString(k < qb::kFirstFileSlot ? 600 : 270);
    written.status = input.ConsumeIntegral<int>();
    written.misses = input.ConsumeIntegral<int32_t>();

    qb::testing_support::MemoryFileSystem files;
    files.SetContent(kJournalPath, before);
    auto journal = files.Open(kJournalPath, qb::OpenMode::AppendRead);
    QB_FUZZ_CHECK(journal != nullptr);
    const int64_t position = qb::WriteQuestionRecord(*journal, written);
    if (!FitsTheFormat(written)) {
        QB_FUZZ_CHECK(position == -1);
        QB_FUZZ_CHECK(files.Content(kJournalPath) == before);
        return 0;
    }
    QB_FUZZ_CHECK(position == static_cast<int64_t>(before.size()));
    const std::string stored = files.Content(kJournalPath);

    qb::RecordHeader header;
    QB_FUZZ_CHECK(qb::ReadRecordHeader(*journal, position, static_cast<int64_t>(stored.size()), header));
    QB_FUZZ_CHECK(header.end == static_cast<int64_t>(stored.size()));
    // Line breaks of the texts never reach the file as line ends.
    const std::string texts =
        stored.substr(static_cast<size_t>(header.slotsStart),
                      static_cast<size_t>(header.SlotPosition(qb::kFirstFileSlot) - header.slotsStart));
    QB_FUZZ_CHECK(texts.find_first_of("\r\n") == std::string::npos);

    qb::QuestionRecord read;
    QB_FUZZ_CHECK(qb::ReadQuestionRecord(*journal, position, read));
    QB_FUZZ_CHECK(read.keyword == written.keyword);
    QB_FUZZ_CHECK(read.status == 0);
    QB_FUZZ_CHECK(read.misses == std::min(std::max(written.misses, 0), qb::kMaxMisses));
    QB_FUZZ_CHECK(header.missNote == qb::MissCountNote::None);
    for (int k = 0; k < qb::kSlotCount; ++k)
        QB_FUZZ_CHECK(read.slots[k] == (k < qb::kFirstFileSlot ? AsRead(written.slots[k]) : written.slots[k]));
    return 0;
}
