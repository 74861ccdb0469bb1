// Opening a test on arbitrary bytes: the question index must be built without
// a crash or a hang, with the list in step with it, every node inside the
// file, the records back to back in file order, each one reading back whole,
// and no readable record left behind the last one loaded.
#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "tests/support/test_records.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/memory_files.h"

namespace {

using qb::testing_support::MemoryFileSystem;
using qb::testing_support::MemoryList;
using qb::testing_support::MemoryReporter;

const char kTestPath[] = "C:\\Tests\\Fuzz.tvt";
const char kJournalPath[] = "C:\\Q\\CHANGINGS.TMP";

// The end of the record at position, or -1 when no whole record starts there.
int64_t RecordEnd(MemoryFileSystem& files, int64_t position) {
    auto stream = files.Open(kTestPath, qb::OpenMode::Read);
    QB_FUZZ_CHECK(stream != nullptr);
    const int64_t size = static_cast<int64_t>(files.Content(kTestPath).size());
    qb::RecordHeader header;
    qb::QuestionRecord record;
    if (!qb::ReadRecordHeader(*stream, position, size, header)) return -1;
    QB_FUZZ_CHECK(qb::ReadQuestionRecord(*stream, position, record));
    return header.end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryFileSystem files;
    files.SetContent(kTestPath, bytes);
    qb::TestDocument document;
    document.files = &files;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = -1;
    const qb::DocumentResult opened = qb::OpenTest(document, kTestPath, kJournalPath, list, reporter, remaining);
    QB_FUZZ_CHECK(reporter.messages.empty());
    if (opened != std::nullopt) {
        QB_FUZZ_CHECK(opened == qb::VersionRefusedMessage());
        QB_FUZZ_CHECK(!document.IsOpen() && document.head == nullptr && list.items.empty());
        QB_FUZZ_CHECK(!bytes.empty());
        return 0;
    }
    QB_FUZZ_CHECK(document.IsOpen());
    QB_FUZZ_CHECK(document.nextKey == document.questionCount);
    QB_FUZZ_CHECK(list.items.size() == static_cast<size_t>(document.questionCount));

    const int64_t fileSize = static_cast<int64_t>(bytes.size());
    int32_t key = 0;
    int32_t unanswered = 0;
    int64_t expectedPosition = -1;
    int64_t lastEnd = -1;
    for (const qb::QuestionNode* node = document.head; node; node = node->next, ++key) {
        QB_FUZZ_CHECK(node->key == key && !node->inJournal);
        QB_FUZZ_CHECK(node->position > 0 && node->position < fileSize);
        if (expectedPosition >= 0) QB_FUZZ_CHECK(node->position == expectedPosition);
        QB_FUZZ_CHECK(node->status == 0 || node->status == 1);
        if (node->status == 0) ++unanswered;

        qb::QuestionRecord record;
        QB_FUZZ_CHECK(qb::ReadNodeRecord(document, *node, record));
        QB_FUZZ_CHECK(record.status == node->status);
        const MemoryList::Item& item = list.items[static_cast<size_t>(key)];
        QB_FUZZ_CHECK(item.key == key && item.keyword == record.keyword);
        int filledAnswers = 0;
        for (int k = qb::kSlotRightAnswer; k < qb::kFirstFileSlot; ++k)
            if (!record.slots[k].empty()) ++filledAnswers;
        QB_FUZZ_CHECK(item.image == qb::ListImage(node->status, filledAnswers > 1));

        lastEnd = RecordEnd(files, node->position);
        QB_FUZZ_CHECK(lastEnd > node->position && lastEnd <= fileSize);
        expectedPosition = lastEnd;
    }
    QB_FUZZ_CHECK(key == document.questionCount);
    QB_FUZZ_CHECK(remaining == unanswered);
    // The loading stopped for a reason: no whole record follows the last one.
    if (lastEnd >= 0) QB_FUZZ_CHECK(RecordEnd(files, lastEnd) < 0);
    qb::CloseTest(document);
    QB_FUZZ_CHECK(!files.Exists(kJournalPath));
    return 0;
}
