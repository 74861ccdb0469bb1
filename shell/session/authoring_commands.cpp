// Export questions, Check test and Import questions: the authors' table and
// check tools, as operations of the session on the open test.
#include <memory>

#include "authoring/question_check.h"
#include "authoring/question_table.h"
#include "shell/resource_ids.h"
#include "shell/session/session.h"

namespace qb {
namespace {

// The test's path with the table's extension in place of its own.
std::string ProposedTablePath(const std::string& testPath, const char* extension) {
    const size_t folderEnd = testPath.find_last_of("\\/");
    const size_t dot = testPath.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (folderEnd == std::string::npos || dot > folderEnd);
    return (hasExtension ? testPath.substr(0, dot) : testPath) + extension;
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

}  // namespace qb
