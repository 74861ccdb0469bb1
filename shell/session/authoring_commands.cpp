// Export questions, Check test and Import questions: the authors' table and
// check tools, as operations of the session on the open test.
#include <cstdint>
#include <memory>
#include <utility>

#include "authoring/question_check.h"
#include "authoring/question_table.h"
#include "base/batched_write_stream.h"
#include "editor/question_store.h"
#include "shell/resource_ids.h"
#include "shell/session/session.h"

namespace qb {
namespace {

// The test's path with the table's extension in place of its own.
std::string ProposedTablePath(const std::string& testPath, const char* extension) {
    return WinPath(testPath).WithExtension(extension).Text();
}

// Writes the table beside its name first and puts it in place only when it is
// complete, so a failed export leaves an existing table as it was.
bool WriteTableFile(TestDocument& document, const std::string& path, char separator) {
    FileSystem& files = *document.files;
    const std::string partial = path + ".partial";
    std::unique_ptr<ByteStream> out = files.Open(partial, OpenMode::CreateWrite);
    if (!out) return false;
    bool written = WriteOpenTestTable(document, *out, separator);
    written = out->Close() && written;
    out.reset();
    if (written && files.Exists(path)) written = files.Remove(path);
    if (written) written = files.Rename(partial, path);
    if (!written) files.Remove(partial);
    return written;
}

// The question dialog's fields and slots holding the record, as an author
// would have typed it. The texts are swapped, not copied: the record is read
// anew for the next row, and each string keeps its memory.
void FillDialogFields(QuestionRecord& record, QuestionFields& fields, AttachmentSlots& slots) {
    fields.keyword.swap(record.keyword);
    fields.question.swap(record.slots[kSlotQuestion]);
    fields.rightAnswer.swap(record.slots[kSlotRightAnswer]);
    for (int i = 0; i < kWrongAnswerCount; ++i)
        fields.wrongAnswers[static_cast<size_t>(i)].swap(record.slots[static_cast<size_t>(kSlotWrongAnswer1 + i)]);
    for (int i = 0; i < kAttachmentSlotCount; ++i)
        slots[static_cast<size_t>(i)].swap(record.slots[static_cast<size_t>(kFirstFileSlot + i)]);
}

bool ReadTableFile(FileSystem& files, const std::string& path, std::string& bytes) {
    std::unique_ptr<ByteStream> stream = files.Open(path, OpenMode::Read);
    const int64_t size = stream ? StreamSize(*stream) : -1;
    if (size < 0 || static_cast<uint64_t>(size) > SIZE_MAX / 2) return false;
    bytes.assign(static_cast<size_t>(size), '\0');
    return size == 0 || stream->Read(&bytes[0], bytes.size()) == bytes.size();
}

}  // namespace

void TestSession::ExportQuestions(FrameView& view) {
    WithdrawAnswerCommands();
    if (!IsOpen()) {
        Tell(view, Information(IDS_NEED_OPEN_TEST, IDS_EXPORT_CAPTION));
        return;
    }
    std::string path = ProposedTablePath(document_.testPath, ".csv");
    if (!view.ChoosePath(PathDialog::ExportTable, path)) return;
    const TableKind kind = TableKindOf(path);
    if (kind == TableKind::Unknown) {
        Tell(view, Exclamation(IDS_NOT_A_TABLE, IDS_EXPORT_CAPTION));
        return;
    }
    view.BeginBusy(IDS_BUSY_EXPORTING);
    const bool written = WriteTableFile(document_, path, kind == TableKind::Tab ? '\t' : ',');
    view.EndBusy();
    ShowCounters();
    if (!written) {
        Tell(view, Exclamation(IDS_FILE_ERROR, IDS_EXPORT_CAPTION));
        return;
    }
    if (document_.questionCount == 1) {
        Tell(view, Information(IDS_QUESTION_EXPORTED, IDS_EXPORT_CAPTION));
        return;
    }
    Tell(view, Information(IDS_QUESTIONS_EXPORTED, IDS_EXPORT_CAPTION, {std::to_string(document_.questionCount)}));
}

void TestSession::CheckTest(FrameView& view) {
    WithdrawAnswerCommands();
    if (!IsOpen()) {
        Tell(view, Information(IDS_NEED_OPEN_TEST, IDS_CHECK_CAPTION));
        return;
    }
    view.BeginBusy(IDS_BUSY_CHECKING);
    const CheckReport report = CheckOpenTest(document_, programDirectory_);
    view.EndBusy();
    ShowCounters();
    if (report.findings.empty()) {
        Tell(view, Information(IDS_NO_PROBLEMS_FOUND, IDS_CHECK_CAPTION));
        return;
    }
    const int32_t key = view.ShowFindings(report.findings);
    if (key >= 0 && FindNode(document_, key) && observer_) observer_->QuestionSelected(key);
}

namespace {

// A table of thousands of bad rows would make a list no one reads (and that
// takes long to fill): the first rows are listed, the rest counted.
constexpr size_t kListedRowErrors = 200;

void ShowRowErrors(const std::vector<RowError>& errors, FrameView& view) {
    if (errors.size() <= kListedRowErrors) {
        view.ShowRowErrors(errors, 0);
        return;
    }
    const std::vector<RowError> listed(errors.begin(), errors.begin() + kListedRowErrors);
    view.ShowRowErrors(listed, errors.size() - kListedRowErrors);
}

}  // namespace

void TestSession::ImportQuestions(FrameView& view) {
    WithdrawAnswerCommands();
    if (pendingNode_) {
        Tell(view, Information(IDS_NOT_POSSIBLE_NOW, IDS_IMPORT_CAPTION));
        return;
    }
    if (!IsOpen()) {
        Tell(view, Information(IDS_NEED_OPEN_TEST, IDS_IMPORT_CAPTION));
        return;
    }
    std::string path;
    if (!view.ChoosePath(PathDialog::ImportTable, path)) return;
    std::string bytes;
    if (!ReadTableFile(*document_.files, path, bytes)) {
        Tell(view, Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION));
        return;
    }
    TableOptions options;
    if (!view.RunImportDialog(bytes, options)) return;

    QuestionTableReader reader(std::move(bytes), options);
    view.BeginBusy(IDS_BUSY_IMPORTING);
    const ImportEnd end = ImportRecords(reader, view);
    view.EndBusy();
    if (end == ImportEnd::RowErrors) {
        ShowRowErrors(reader.Errors(), view);
        return;
    }
    ShowCounters();
    if (end != ImportEnd::Imported) return;
    const size_t imported = reader.QuestionsRead();
    if (imported == 1) {
        Tell(view, Information(IDS_QUESTION_IMPORTED, IDS_IMPORT_CAPTION));
        return;
    }
    Tell(view, Information(IDS_QUESTIONS_IMPORTED, IDS_IMPORT_CAPTION, {std::to_string(imported)}));
}

namespace {

// The questions of an import, chained in table order until they join the
// index; those that never join it are freed with the chain.
class ImportedNodes {
public:
    ImportedNodes() = default;
    ImportedNodes(const ImportedNodes&) = delete;
    ImportedNodes& operator=(const ImportedNodes&) = delete;
    ~ImportedNodes() {
        while (first_) delete std::exchange(first_, first_->next);
    }

    void Add(std::unique_ptr<QuestionNode> node) {
        node->next = nullptr;
        node->status = 0;
        QuestionNode* added = node.release();
        (last_ ? last_->next : first_) = added;
        last_ = added;
    }
    // The chain's first node; the caller owns the chain from now on.
    QuestionNode* Release() {
        last_ = nullptr;
        return std::exchange(first_, nullptr);
    }

private:
    QuestionNode* first_ = nullptr;
    QuestionNode* last_ = nullptr;
};

// Reads the rest of the table: true when no row has an error, and the
// reader is then back at the first row.
bool CheckRemainingRows(QuestionTableReader& reader) {
    QuestionRecord record;
    while (reader.Next(record)) {}
    if (!reader.Errors().empty()) return false;
    reader.Rewind();
    return true;
}

}  // namespace

// Each record goes the question dialog's way (Accept makes its record, its
// keyword and its node), but all records go to the journal through one
// batch, whose positions are those they get there. The rows are read once:
// the batch holds the records until the last row is read and checked, and
// only then goes to the journal, so that a bad row anywhere adds nothing and
// writes nothing. A table whose records would not fit the memory held for
// them is read twice: checked to its end, then imported from a batch that
// goes to the journal as it fills. The new nodes join the index in one go,
// and only once every record is in the journal: an import that fails adds no
// question, and the bytes it wrote stay in the journal unreferenced, as those
// of a failed Accept do. The list hears of the questions in one fill.
TestSession::ImportEnd TestSession::ImportRecords(QuestionTableReader& reader, FrameView& view) {
    const int32_t firstKey = document_.nextKey;
    ImportEnd end = ImportEachRecord(reader, heldImportBytes_, view);
    if (end == ImportEnd::OutgrewMemory) {
        ForgetRowsFrom(firstKey);
        end = CheckRemainingRows(reader) ? ImportEachRecord(reader, 0, view) : ImportEnd::RowErrors;
    }
    if (end != ImportEnd::Imported) ForgetRowsFrom(firstKey);
    if (observer_ && document_.nextKey != firstKey) observer_->QuestionsAdded(firstKey);
    return end;
}

TestSession::ImportEnd TestSession::ImportEachRecord(QuestionTableReader& reader, size_t heldBytes, FrameView& view) {
    const bool held = heldBytes > 0;
    ByteStream& journal = *document_.journalFile;
    const int64_t journalEnd = journal.SeekToEnd() ? journal.Tell() : -1;
    if (journalEnd < 0) {
        // The table's errors come first, as they would with a journal at hand.
        if (held && !CheckRemainingRows(reader)) return ImportEnd::RowErrors;
        Tell(view, Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION));
        return ImportEnd::Failed;
    }
    BatchedWriteStream batch(journal, journalEnd, held ? SIZE_MAX : BatchedWriteStream::kBatch);
    ImportedNodes imported;
    int32_t key = document_.nextKey;
    // One of each for all rows: their strings keep their memory.
    QuestionRecord record;
    QuestionRecord written;
    QuestionFields fields;
    AttachmentSlots slots;
    std::string keyword;
    while (reader.Next(record)) {
        // Behind a bad row the rows are only checked, for their errors.
        if (!reader.Errors().empty()) continue;
        if (held && batch.Held() > heldBytes) return ImportEnd::OutgrewMemory;
        std::unique_ptr<QuestionNode> node(document_.memory->NewNode());
        if (!node) {
            Tell(view, Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION));
            return ImportEnd::Failed;
        }
        FillDialogFields(record, fields, slots);
        const AcceptResult accepted = AcceptNewQuestion(batch, key, node.get(), fields, slots, keyword, written);
        if (accepted.result == 0) {
            const bool noMemory = accepted.store == StoreOutcome::NoMemory;
            Tell(view, noMemory ? Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION)
                                : Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION));
            return ImportEnd::Failed;
        }
        if (!StoreRow(key, keyword, accepted.result)) {
            Tell(view, Warning(IDS_NO_MEMORY, IDS_ERROR_CAPTION));
            return ImportEnd::Failed;
        }
        imported.Add(std::move(node));
        ++key;
    }
    if (!reader.Errors().empty()) return ImportEnd::RowErrors;
    if (!batch.HandOn() || !journal.Flush()) {
        Tell(view, Exclamation(IDS_FILE_ERROR, IDS_IMPORT_CAPTION));
        return ImportEnd::Failed;
    }
    AppendChain(document_, imported.Release());
    document_.questionCount += key - document_.nextKey;
    document_.nextKey = key;
    offers_.allAnsweredTold = false;
    document_.modified = true;
    return ImportEnd::Imported;
}

}  // namespace qb
