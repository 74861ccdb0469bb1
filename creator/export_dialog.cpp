#include "creator/export_dialog.h"

#include <memory>

#include "common/dialog.h"
#include "common/work_dialog.h"
#include "creator/resource_ids.h"
#include "creator/win32_export.h"

namespace qb::creator {
namespace {

// The export and what it reports to, while the dialog is open.
struct ExportRun {
    ExportRun(HINSTANCE instance, HWND dialog, const ExportSettings& settings)
        : reporter(instance, dialog), exporter(settings, RealFileSystem(), copier, reporter) {}
    Win32FileCopier copier;
    DialogExportReporter reporter;
    TestExport exporter;
};

class ExportWork : public WorkDialog {
public:
    explicit ExportWork(const ExportSettings& settings) : settings_(settings) {}

    bool Prepare(HWND dialog) override {
        run_ = std::make_unique<ExportRun>(DialogInstance(dialog), dialog, settings_);
        // The list may outgrow an edit control's default limit.
        SendDlgItemMessageA(dialog, IDC_EXPORT_LIST, EM_LIMITTEXT, 0, 0);
        run_->reporter.ShowList(run_->exporter.ListText());
        return run_->exporter.Open();
    }

    INT_PTR Work(HWND) override { return run_->exporter.Run() ? 1 : 0; }

private:
    const ExportSettings& settings_;
    std::unique_ptr<ExportRun> run_;
};

}  // namespace

bool RunExportDialog(HINSTANCE instance, ExportDialogData* data) {
    WorkDialogSettings settings;
    settings.dialogId = IDD_EXPORT;
    settings.startCommand = IDM_EXPORT_START;
    settings.resultOnFailure = 0;  // a failure inside the dialog ends the export as faulty
    // Every file of the export is closed when work goes out of scope.
    ExportWork work(data->settings);
    return RunWorkDialog(instance, settings, work) == 1;
}

}  // namespace qb::creator
