#include "shell/frame/recovery_prompt.h"

#include <string>

#include "base/document_names.h"
#include "document/journal.h"
#include "shell/frame/main_window.h"
#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

MessageAnswer AskToRecover(HWND owner, const LeftJournal& left) {
    return ShowMessage(owner, Question(IDS_RECOVERY_QUESTION, IDS_RECOVERY_CAPTION, MessageButtons::YesNo,
                                       {std::to_string(left.scan.recordCount), left.scan.testPath, left.recoveryPath}));
}

}  // namespace

std::string OfferRecovery(MainWindow& state) {
    FileSystem& files = RealFileSystem();
    const Directory& programDir = state.program->programDir;
    LeftJournal& left = state.program->leftJournal;
    if (!FindLeftJournal(files, JournalPathFor(programDir).Text(), programDir, left)) return std::string();
    switch (AskToRecover(state.window, left)) {
    case MessageAnswer::Yes: break;
    case MessageAnswer::No: DiscardLeftJournal(files, left); return std::string();
    default:
        // No answer came (the box could not be shown): nothing may be lost.
        KeepLeftJournal(files, left, programDir);
        return std::string();
    }
    const std::string written = RecoverLeftJournal(files, left, programDir);
    if (written.empty()) ShowMessage(state.window, Exclamation(IDS_FILE_ERROR, IDS_ERROR_CAPTION));
    return written;
}

}  // namespace qb
