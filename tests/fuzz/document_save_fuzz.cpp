// Open, change, then save on arbitrary bytes, with one file operation of the
// save made to fail. The first two input bytes pick the failing operation
// (0: none), the third which statuses to flip and whether a new question is added
// through the change journal; the rest is the test file.
// A save that succeeds must leave a file that loads back with exactly the
// questions held before (keywords, texts, names, statuses, in order); a save
// that fails must lose nothing: every question still reads back as before.
#include <cstdint>
#include <string>
#include <vector>

#include "document/document.h"
#include "tests/support/test_records.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/memory_files.h"

namespace {

using qb::testing_support::FaultyFileSystem;
using qb::testing_support::MemoryFileSystem;
using qb::testing_support::MemoryList;
using qb::testing_support::MemoryReporter;

const char kTestPath[] = "C:\\Tests\\Fuzz.tvt";
const char kJournalPath[] = "C:\\Q\\CHANGINGS.TMP";
const char kSecondJournalPath[] = "C:\\Other\\CHANGINGS.TMP";

bool SameRecord(const qb::QuestionRecord& a, const qb::QuestionRecord& b) {
    return a.keyword == b.keyword && a.slots == b.slots && a.status == b.status;
}

// Every question of the document as it reads now, with the node's status.
std::vector<qb::QuestionRecord> Questions(qb::TestDocument& document) {
    std::vector<qb::QuestionRecord> questions;
    for (const qb::QuestionNode* node = document.head; node; node = node->next) {
        qb::QuestionRecord record;
        QB_FUZZ_CHECK(qb::ReadNodeRecord(document, *node, record));
        record.status = node->status;
        questions.push_back(record);
    }
    return questions;
}

// Changes as the commands make them: status flips and one question appended
// to the journal the way the question dialog stores a new one.
void Change(qb::TestDocument& document, uint8_t choice) {
    int bit = 0;
    for (qb::QuestionNode* node = document.head; node && bit < 7; node = node->next, ++bit)
        if (choice & (1u << bit)) node->status = 1 - node->status;
    if (!(choice & 0x80)) return;
    qb::QuestionRecord added;
    added.keyword = "Added";
    added.slots[qb::kSlotQuestion] = "Line one\r\nline two";
    added.slots[qb::kSlotRightAnswer] = "Yes";
    added.slots[qb::kSlotWrongAnswer1 + 2] = "No";
    added.slots[qb::kSlotAnswerPictureFile] = "*answer.bmp";
    const int64_t position = qb::WriteQuestionRecord(*document.journalFile, added);
    QB_FUZZ_CHECK(position >= 0);
    auto* node = new qb::QuestionNode;
    node->position = position;
    node->key = document.nextKey++;
    node->inJournal = true;
    qb::AppendNode(document, node);
    ++document.questionCount;
    document.modified = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const long failAt = data[0] | (data[1] << 8);
    const uint8_t choice = data[2];
    MemoryFileSystem disk;
    disk.SetContent(kTestPath, std::string(reinterpret_cast<const char*>(data + 3), size - 3));
    FaultyFileSystem files(disk);
    qb::TestDocument document;
    document.files = &files;
    MemoryList list;
    MemoryReporter reporter;
    int32_t remaining = 0;
    if (qb::OpenTest(document, kTestPath, kJournalPath, list, reporter, remaining) != std::nullopt)
        return 0;
    Change(document, choice);
    document.modified = true;
    const std::vector<qb::QuestionRecord> before = Questions(document);

    files.FailAt(failAt == 0 ? -1 : failAt);
    const qb::DocumentResult saved = qb::SaveTest(document);
    files.Heal();

    // Whatever happened, the open document still holds every question.
    const std::vector<qb::QuestionRecord> after = Questions(document);
    QB_FUZZ_CHECK(after.size() == before.size());
    for (size_t i = 0; i < before.size(); ++i) QB_FUZZ_CHECK(SameRecord(after[i], before[i]));
    if (saved != std::nullopt) {
        QB_FUZZ_CHECK(files.Failed());
        return 0;
    }
    QB_FUZZ_CHECK(!document.modified);
    QB_FUZZ_CHECK(document.testPath == "C:\\Tests\\Fuzz.TVT");
    QB_FUZZ_CHECK(disk.Exists("C:\\Tests\\Fuzz.BAK") && !disk.Exists("C:\\Tests\\Fuzz.TMP"));

    // The saved file, opened by another document, holds exactly these questions.
    qb::TestDocument reopened;
    reopened.files = &disk;
    MemoryList reopenedList;
    QB_FUZZ_CHECK(qb::OpenTest(reopened, document.testPath, kSecondJournalPath, reopenedList, reporter, remaining) ==
                  std::nullopt);
    QB_FUZZ_CHECK(reporter.messages.empty());
    const std::vector<qb::QuestionRecord> loaded = Questions(reopened);
    QB_FUZZ_CHECK(loaded.size() == before.size());
    for (size_t i = 0; i < before.size(); ++i) QB_FUZZ_CHECK(SameRecord(loaded[i], before[i]));
    return 0;
}
