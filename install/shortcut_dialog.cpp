#include "install/shortcut_dialog.h"

#include "common/dialog.h"
#include <shlobj.h>

#include "install/resource_ids.h"

namespace qb {
namespace {

struct ShortcutBox {
    int controlId;
    int folder;
};

// The order the shortcuts are made in.
const ShortcutBox kShortcutBoxes[] = {
    {IDC_SHORTCUT_DESKTOP, CSIDL_DESKTOP},
    {IDC_SHORTCUT_START_MENU, CSIDL_STARTMENU},
    {IDC_SHORTCUT_STARTUP, CSIDL_STARTUP},
};

void OnOk(const ShortcutData& data, HWND dialog) {
    // COM stays initialised until the process ends.
    CoInitialize(nullptr);
    for (const ShortcutBox& box : kShortcutBoxes) {
        if (IsDlgButtonChecked(dialog, box.controlId) == BST_CHECKED) {
            CreateShortcut(data.programDirectory, box.folder, data.names);
        }
    }
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(const ShortcutData& data, HWND dialog, int id) {
    switch (id) {
    case IDOK: OnOk(data, dialog); return TRUE;
    case IDCANCEL: return TRUE;  // there is no way around the choice
    }
    return FALSE;
}

INT_PTR Dispatch(ShortcutData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

void RunShortcutDialog(HINSTANCE instance, ShortcutData* data) {
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SHORTCUTS), nullptr,
                    GuardedDialogProc<ShortcutData, Dispatch, EndDialogOnFailure<0>>, reinterpret_cast<LPARAM>(data));
}

}  // namespace qb
