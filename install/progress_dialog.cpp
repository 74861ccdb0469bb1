#include "install/progress_dialog.h"

#include "common/dialog.h"
#include <commctrl.h>

#include "install/program_files.h"
#include "install/resource_ids.h"
#include "install/win32_install_host.h"

namespace qb {
namespace {

constexpr DWORD kPaintPauseMs = 500;

ProgressData* DataOf(HWND dialog) {
    return DialogData<ProgressData>(dialog);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    KeepDialogData(dialog, lParam);
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETRANGE, 0, MAKELPARAM(0, kProgressRange));
    SendDlgItemMessageA(dialog, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
    return TRUE;
}

// The work runs once, inside the first paint, so the dialog is on screen
// while it goes on; later paints show the position and pace the work.
INT_PTR OnPaint(HWND dialog) {
    ProgressData* data = DataOf(dialog);
    if (data->firstPaint) {
        data->firstPaint = false;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_START_WORK, IDC_PROGRESS_START_WORK), 0);
    }
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    HWND bar = GetDlgItem(dialog, IDC_PROGRESS_BAR);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(data->state->progress), 0);
    UpdateWindow(bar);
    EndPaint(dialog, &paint);
    Sleep(kPaintPauseMs);
    return TRUE;
}

void OnStartWork(HWND dialog) {
    ProgressData* data = DataOf(dialog);
    Win32InstallHost host(DialogInstance(dialog), dialog, data->names);
    WorkResult result = RunInstallWork(*data->state, host);
    EndDialog(dialog, result == WorkResult::Done ? 1 : 0);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDC_PROGRESS_START_WORK: OnStartWork(dialog); return TRUE;
    case IDCANCEL: return TRUE;  // the work cannot be interrupted
    }
    return FALSE;
}

INT_PTR Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_PAINT: return OnPaint(dialog);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    }
    return FALSE;
}

}  // namespace

bool RunProgressDialog(HINSTANCE instance, ProgressData* data) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PROGRESS), nullptr, GuardedDialogProc<Dispatch>,
                           reinterpret_cast<LPARAM>(data)) == 1;
}

}  // namespace qb
