// Creator: greets the user, lets them choose a test and a destination
// directory, exports the test there and says how it went. Ends with 0 always.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "base/path_limits.h"
#include "base/document_names.h"
#include "common/message_box.h"
#include "common/registry.h"
#include "creator/destination_dialog.h"
#include "creator/export_check.h"
#include "creator/export_dialog.h"
#include "creator/resource_ids.h"

#include <optional>
#include <string>

namespace qb::creator {
namespace {

void ShowSummary(HINSTANCE instance, UINT textId, UINT captionId) {
    ShowStringMessage(instance, nullptr, textId, captionId, MB_OK | MB_ICONINFORMATION);
}

bool ChooseTest(HINSTANCE instance, const Directory& programDirectory, std::string& testPath) {
    char path[kPathBufferSize] = {};
    std::string title = LoadResourceString(instance, IDS_SELECT_TEST);
    const std::string filter = TestFileFilter(false);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrInitialDir = programDirectory.Text().c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = kTestExtension;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) return false;
    testPath = path;
    return true;
}

void RunCreator(HINSTANCE instance) {
    const std::optional<Directory> directory = ReadProgramDirectory(DataPathLookup::CurrentUser, DriveRoot::Accepted);
    if (!directory) {
        ShowStringMessage(instance, nullptr, IDS_NOT_INSTALLED, IDS_CREATOR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    const Directory& programDirectory = *directory;
    if (ShowStringMessage(instance, nullptr, IDS_GREETING, IDS_CREATOR_CAPTION, MB_OKCANCEL | MB_ICONINFORMATION) !=
        IDOK)
        return;
    InitCommonControls();

    std::string testPath;
    if (!ChooseTest(instance, programDirectory, testPath) ||
        !ConfirmExportAfterCheck(instance, programDirectory, testPath)) {
        ShowSummary(instance, IDS_NOTHING_EXPORTED, IDS_ABORTED_CAPTION);
        return;
    }
    DestinationData destination;
    destination.programDirectory = programDirectory;
    if (!RunDestinationDialog(instance, &destination)) {
        ShowSummary(instance, IDS_NOTHING_EXPORTED, IDS_ABORTED_CAPTION);
        return;
    }
    ExportDialogData exportData;
    exportData.settings = {programDirectory, LoadResourceString(instance, IDS_PRODUCT_WORD), testPath,
                           destination.destinationPath};
    bool complete = RunExportDialog(instance, &exportData);
    ShowSummary(instance, complete ? IDS_EXPORT_COMPLETE : IDS_EXPORT_FAULTY, IDS_EXPORT_CAPTION);
}

}  // namespace
}  // namespace qb::creator

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        qb::creator::RunCreator(instance);
    } catch (...) {
        // Nothing is left to tell: every step reports its own failures.
    }
    return 0;
}
