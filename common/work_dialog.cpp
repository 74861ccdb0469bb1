#include "common/work_dialog.h"

#include "common/dialog.h"
#include "common/scoped_handles.h"

namespace qb {
namespace {

struct WorkDialogRun {
    const WorkDialogSettings* settings = nullptr;
    WorkDialog* work = nullptr;
    bool started = false;
};

INT_PTR OnInitDialog(WorkDialogRun& run, HWND dialog) {
    // Counts as started until preparing succeeded, so a failed dialog never starts its work.
    run.started = true;
    if (run.work->Prepare(dialog)) {
        run.started = false;
    } else {
        EndDialog(dialog, 0);
    }
    return TRUE;
}

INT_PTR OnPaint(WorkDialogRun& run, HWND dialog) {
    if (!run.started) {
        run.started = true;
        const int start = run.settings->startCommand;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(start, start), 0);
    }
    {
        ScopedPaint paint(dialog);
        run.work->Paint(dialog);
    }
    if (run.settings->pauseAfterPaintMs != 0) Sleep(run.settings->pauseAfterPaintMs);
    return TRUE;
}

INT_PTR OnCommand(WorkDialogRun& run, HWND dialog, int id) {
    if (id == run.settings->startCommand) {
        EndDialog(dialog, run.work->Work(dialog));
        return TRUE;
    }
    return id == IDCANCEL ? TRUE : FALSE;  // the work cannot be interrupted
}

INT_PTR Dispatch(WorkDialogRun& run, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(run, dialog);
    case WM_PAINT: return OnPaint(run, dialog);
    case WM_COMMAND: return OnCommand(run, dialog, LOWORD(wParam));
    }
    return FALSE;
}

INT_PTR OnFailure(HWND dialog, FailureKind) {
    EndDialog(dialog, DialogData<WorkDialogRun>(dialog)->settings->resultOnFailure);
    return TRUE;
}

}  // namespace

INT_PTR RunWorkDialog(HINSTANCE instance, const WorkDialogSettings& settings, WorkDialog& work) {
    WorkDialogRun run;
    run.settings = &settings;
    run.work = &work;
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(settings.dialogId), nullptr,
                           GuardedDialogProc<WorkDialogRun, Dispatch, OnFailure>, reinterpret_cast<LPARAM>(&run));
}

}  // namespace qb
