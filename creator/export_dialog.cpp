#include "creator/export_dialog.h"

#include "common/dialog.h"
#include "creator/resource_ids.h"
#include "creator/win32_export.h"

namespace qb::creator {

struct ExportDialogState {
    ExportDialogState(HINSTANCE instance, HWND dialog, const ExportSettings& settings)
        : reporter(instance, dialog), exporter(settings, RealFileSystem(), copier, reporter) {}
    Win32FileCopier copier;
    DialogExportReporter reporter;
    TestExport exporter;
    bool startPending = true;
};

ExportDialogData::ExportDialogData() = default;
ExportDialogData::~ExportDialogData() = default;

namespace {

ExportDialogState* StateOf(HWND dialog) {
    auto* data = reinterpret_cast<ExportDialogData*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    return data ? data->state.get() : nullptr;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    auto* data = reinterpret_cast<ExportDialogData*>(lParam);
    KeepDialogData(dialog, lParam);
    data->state = std::make_unique<ExportDialogState>(DialogInstance(dialog), dialog, data->settings);
    ExportDialogState* state = data->state.get();
    // The list may outgrow an edit control's default limit.
    SendDlgItemMessageA(dialog, IDC_EXPORT_LIST, EM_LIMITTEXT, 0, 0);
    state->reporter.ShowList(state->exporter.ListText());
    if (!state->exporter.Open()) {
        state->startPending = false;
        EndDialog(dialog, 0);
    }
    return TRUE;
}

// The work runs once, inside the first paint, so the dialog is on screen before it starts.
INT_PTR OnPaint(HWND dialog) {
    ExportDialogState* state = StateOf(dialog);
    if (state && state->startPending) {
        state->startPending = false;
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDM_EXPORT_START, IDM_EXPORT_START), 0);
    }
    PAINTSTRUCT paint;
    BeginPaint(dialog, &paint);
    EndPaint(dialog, &paint);
    return TRUE;
}

void OnExportStart(HWND dialog) {
    bool ok = StateOf(dialog)->exporter.Run();
    EndDialog(dialog, ok ? 1 : 0);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDM_EXPORT_START: OnExportStart(dialog); return TRUE;
    case IDCANCEL: return TRUE;  // the export cannot be cancelled
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

bool RunExportDialog(HINSTANCE instance, ExportDialogData* data) {
    // A failure inside the dialog ends the export as faulty.
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EXPORT), nullptr, GuardedDialogProc<Dispatch>,
                                     reinterpret_cast<LPARAM>(data));
    // Every file of the export is closed by now; nothing else is kept.
    data->state.reset();
    return result == 1;
}

}  // namespace qb::creator
