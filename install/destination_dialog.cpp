#include "install/destination_dialog.h"

#include "base/path_limits.h"
#include "common/dialog.h"
#include "common/message_box.h"
#include "install/install_paths.h"
#include "install/program_files.h"
#include "install/resource_ids.h"

namespace qb {
namespace {

INT_PTR OnInitDialog(HWND dialog) {
    char windows[kPathBufferSize] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::string product = LoadResourceString(DialogInstance(dialog), IDS_PRODUCT_NAME);
    // A longer name could not be read back whole.
    SendDlgItemMessageA(dialog, IDC_DESTINATION_DIRECTORY, EM_LIMITTEXT, kMaxPathLength, 0);
    SetDlgItemTextA(dialog, IDC_DESTINATION_DIRECTORY, SuggestedDestination(windows, product).c_str());
    return TRUE;
}

void OnInstall(DestinationData& data, HWND dialog) {
    char typed[kPathBufferSize] = {};
    GetDlgItemTextA(dialog, IDC_DESTINATION_DIRECTORY, typed, sizeof typed);
    if (IsRefusedDestination(typed)) {
        ShowStringMessage(DialogInstance(dialog), nullptr, IDS_DESTINATION_REQUIRED, IDS_ERROR_CAPTION,
                          MB_OK | MB_ICONINFORMATION);
        return;
    }
    data.destination = Directory(typed);
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(DestinationData& data, HWND dialog, int id) {
    switch (id) {
    case IDOK: OnInstall(data, dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(DestinationData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

bool RunDestinationDialog(HINSTANCE instance, DestinationData* data) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DESTINATION), nullptr,
                           GuardedDialogProc<DestinationData, Dispatch, EndDialogOnFailure<0>>,
                           reinterpret_cast<LPARAM>(data)) == 1;
}

}  // namespace qb
