#include "shell/frame/about_dialog.h"

#include "common/dialog.h"
#include "shell/resource_ids.h"
#include "shell/frame/message_display.h"

namespace qb {
namespace {

// The box shows fixed texts only.
struct AboutDialogData {};

INT_PTR OnCommand(HWND dialog, int id) {
    if (id != IDOK && id != IDCANCEL) return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

INT_PTR Dispatch(AboutDialogData&, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

INT_PTR OnFailure(HWND dialog, FailureKind kind) {
    ShowFailure(dialog, kind);
    return TRUE;
}

}  // namespace

void RunAboutDialog(HWND owner) {
    AboutDialogData data;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), owner,
                    GuardedDialogProc<AboutDialogData, Dispatch, OnFailure>, reinterpret_cast<LPARAM>(&data));
}

}  // namespace qb
