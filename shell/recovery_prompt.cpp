#include "shell/recovery_prompt.h"

#include <cstdio>

#include "common/message_box.h"
#include "document/journal.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"

namespace qb {
namespace {

int AskToRecover(HWND owner, const LeftJournal& left) {
    // The text and two paths of a path buffer each fit with room to spare.
    char text[1024];
    std::snprintf(text, sizeof text, LoadText(IDS_RECOVERY_QUESTION).c_str(), static_cast<int>(left.scan.recordCount),
                  left.scan.testPath.c_str(), left.recoveryPath.c_str());
    return BeepAndShowMessage(owner, text, LoadText(IDS_RECOVERY_CAPTION), MB_YESNO | MB_ICONQUESTION);
}

}  // namespace

std::string OfferRecovery(MainWindow& state) {
    FileSystem& files = RealFileSystem();
    const std::string& programDir = state.program->programDir;
    LeftJournal& left = state.program->leftJournal;
    if (!FindLeftJournal(files, JournalPathFor(programDir), programDir, left)) return std::string();
    switch (AskToRecover(state.window, left)) {
    case IDYES: break;
    case IDNO: DiscardLeftJournal(files, left); return std::string();
    default:
        // No answer came (the box could not be shown): nothing may be lost.
        KeepLeftJournal(files, left, programDir);
        return std::string();
    }
    const std::string written = RecoverLeftJournal(files, left, programDir);
    if (written.empty()) ShowMessage(state.window, IDS_FILE_ERROR, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
    return written;
}

}  // namespace qb
