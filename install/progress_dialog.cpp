#include "install/progress_dialog.h"

#include <commctrl.h>

#include "common/dialog.h"
#include "common/work_dialog.h"
#include "install/program_files.h"
#include "install/resource_ids.h"
#include "install/win32_install_host.h"

namespace qb {
namespace {

// Each paint shows the position and pauses, which paces the work.
constexpr DWORD kPaintPauseMs = 500;

class InstallationWork : public WorkDialog {
public:
    explicit InstallationWork(ProgressData& data) : data_(data) {}

    bool Prepare(HWND dialog) override {
        SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, kProgressRange));
        SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
        return true;
    }

    INT_PTR Work(HWND dialog) override {
        Win32InstallHost host(DialogInstance(dialog), dialog, data_.names);
        return RunInstallWork(*data_.state, host) == WorkResult::Done ? 1 : 0;
    }

    void Paint(HWND dialog) override {
        HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
        SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(data_.state->progress), 0);
        UpdateWindow(bar);
    }

private:
    ProgressData& data_;
};

}  // namespace

bool RunProgressDialog(HINSTANCE instance, ProgressData* data) {
    WorkDialogSettings settings;
    settings.dialogId = IDD_PROGRESS;
    settings.startCommand = IDC_PROGRESS_START_WORK;
    settings.resultOnFailure = 0;
    settings.pauseAfterPaintMs = kPaintPauseMs;
    InstallationWork work(*data);
    return RunWorkDialog(instance, settings, work) == 1;
}

}  // namespace qb
