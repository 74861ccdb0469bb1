// Reading back a change journal left behind, on arbitrary bytes: either
// nothing is offered and the journal is untouched, or the recovery file is
// the magic line, the complete records byte for byte and the closing empty
// line, and Open reads exactly those records back.
#include <cstdint>
#include <string>

#include "document/document.h"
#include "tests/support/test_records.h"
#include "document/journal.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/memory_files.h"

namespace {

using qb::testing_support::MemoryFileSystem;

const qb::Directory kProgramDir("C:\\Q");
const char kJournalPath[] = "C:\\Q\\CHANGINGS.TMP";
const char kCheckJournalPath[] = "C:\\Check\\CHANGINGS.TMP";
const std::string kMagic = std::string(qb::kMagicLine) + "\r\n";

bool SameRecord(const qb::QuestionRecord& a, const qb::QuestionRecord& b) {
    return a.keyword == b.keyword && a.status == b.status && a.slots == b.slots;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    MemoryFileSystem files;
    files.SetContent(kJournalPath, bytes);
    qb::LeftJournal left;
    if (!qb::FindLeftJournal(files, kJournalPath, kProgramDir, left)) {
        QB_FUZZ_CHECK(files.Names().size() == 1 && files.Content(kJournalPath) == bytes);
        return 0;
    }
    const qb::JournalScan scan = left.scan;
    QB_FUZZ_CHECK(scan.recordCount > 0 && !scan.testPath.empty());
    QB_FUZZ_CHECK(scan.recordsStart > 0 && scan.recordsStart < scan.recordsEnd);
    QB_FUZZ_CHECK(scan.recordsEnd <= static_cast<int64_t>(size));
    const std::string path = qb::RecoverLeftJournal(files, left, kProgramDir);
    QB_FUZZ_CHECK(path == left.recoveryPath && !files.Exists(kJournalPath));
    const std::string records =
        bytes.substr(static_cast<size_t>(scan.recordsStart), static_cast<size_t>(scan.recordsEnd - scan.recordsStart));
    QB_FUZZ_CHECK(files.Content(path) == kMagic + records + "\r\n");

    // Open finds every copied record where the journal had it, and no other.
    files.SetContent(kJournalPath, bytes);
    auto journal = files.Open(kJournalPath, qb::OpenMode::Read);
    qb::TestDocument document;
    document.files = &files;
    qb::testing_support::MemoryList list;
    qb::testing_support::MemoryReporter reporter;
    int32_t remaining = 0;
    QB_FUZZ_CHECK(qb::OpenTest(document, path, kCheckJournalPath, list, reporter, remaining) ==
                  std::nullopt);
    QB_FUZZ_CHECK(document.questionCount == scan.recordCount && reporter.messages.empty());
    const int64_t shift = scan.recordsStart - static_cast<int64_t>(kMagic.size());
    for (const qb::QuestionNode* node = document.head; node; node = node->next) {
        qb::QuestionRecord copied;
        qb::QuestionRecord original;
        QB_FUZZ_CHECK(qb::ReadNodeRecord(document, *node, copied));
        QB_FUZZ_CHECK(qb::ReadQuestionRecord(*journal, node->position + shift, original));
        QB_FUZZ_CHECK(SameRecord(copied, original));
    }
    qb::CloseTest(document);
    return 0;
}
