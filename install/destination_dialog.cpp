#include "install/destination_dialog.h"

#include "common/message_box.h"
#include "install/install_paths.h"
#include "install/program_files.h"
#include "install/resource_ids.h"

namespace qb {
namespace {

// Room of the destination edit, terminating zero included.
constexpr int kDestinationBufferSize = 260;

DestinationData* DataOf(HWND dialog) {
    return reinterpret_cast<DestinationData*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

HINSTANCE InstanceOf(HWND dialog) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string product = LoadResourceString(InstanceOf(dialog), IDS_PRODUCT_NAME);
    // A longer name could not be read back whole.
    SendDlgItemMessageA(dialog, IDC_DESTINATION_DIRECTORY, EM_LIMITTEXT, kDestinationBufferSize - 1, 0);
    SetDlgItemTextA(dialog, IDC_DESTINATION_DIRECTORY, SuggestedDestination(windows, product).c_str());
    return TRUE;
}

void OnInstall(HWND dialog) {
    char typed[kDestinationBufferSize] = {};
    GetDlgItemTextA(dialog, IDC_DESTINATION_DIRECTORY, typed, kDestinationBufferSize);
    if (IsRefusedDestination(typed)) {
        ShowStringMessage(InstanceOf(dialog), nullptr, IDS_DESTINATION_REQUIRED, IDS_ERROR_CAPTION,
                          MB_OK | MB_ICONINFORMATION);
        return;
    }
    DataOf(dialog)->destination = WithTrailingBackslash(typed);
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: OnInstall(dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_COMMAND: return OnCommand(dialog, wParam);
    }
    return FALSE;
}

INT_PTR CALLBACK DestinationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return Dispatch(dialog, message, wParam, lParam);
    } catch (...) {
        EndDialog(dialog, 0);
        return TRUE;
    }
}

}  // namespace

bool RunDestinationDialog(HINSTANCE instance, DestinationData* data) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DESTINATION), nullptr, DestinationDialogProc,
                           reinterpret_cast<LPARAM>(data)) == 1;
}

}  // namespace qb
