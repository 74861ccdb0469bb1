#include "creator/destination_dialog.h"

#include "common/dialog.h"
#include "common/message_box.h"
#include "creator/export_names.h"
#include "creator/resource_ids.h"

namespace qb::creator {

namespace {

constexpr int kLongestName = 20;
const char kProposedName[] = "ExportedTest";

void ShowDestinationMessage(HWND dialog, UINT textId, UINT icon) {
    ShowStringMessage(DialogInstance(dialog), nullptr, textId, IDS_DESTINATION_CAPTION, MB_OK | icon);
}

INT_PTR OnInitDialog(const DestinationData& data, HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_DESTINATION_NAME, EM_LIMITTEXT, kLongestName, 0);
    SetDlgItemTextA(dialog, IDC_PROGRAM_DIRECTORY, data.programDirectory.Text().c_str());
    return TRUE;
}

std::string TypedName(HWND dialog) {
    char name[kLongestName + 1] = {};
    GetDlgItemTextA(dialog, IDC_DESTINATION_NAME, name, sizeof name);
    return name;
}

// An existing directory is used as it is; otherwise one level is created.
bool MakeDestination(const std::string& path) {
    if (SetCurrentDirectoryA(path.c_str())) return true;
    return CreateDirectoryA(path.c_str(), nullptr) && SetCurrentDirectoryA(path.c_str());
}

void ProposeName(HWND dialog) {
    ShowDestinationMessage(dialog, IDS_NAME_REQUIRED, MB_ICONINFORMATION);
    SetDlgItemTextA(dialog, IDC_DESTINATION_NAME, kProposedName);
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_DESTINATION_NAME)), TRUE);
}

void OnOk(DestinationData& data, HWND dialog) {
    std::string name = TypedName(dialog);
    switch (CheckDestinationName(name)) {
    case DestinationNameCheck::Empty: ProposeName(dialog); return;
    case DestinationNameCheck::Refused:
        ShowDestinationMessage(dialog, IDS_DIRECTORY_NOT_MADE, MB_ICONEXCLAMATION);
        return;
    case DestinationNameCheck::Acceptable: break;
    }
    const Directory path(data.programDirectory.Join(name).Text());
    if (!MakeDestination(path.Text())) {
        ShowDestinationMessage(dialog, IDS_DIRECTORY_NOT_MADE, MB_ICONEXCLAMATION);
        return;
    }
    data.destinationPath = path;
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(DestinationData& data, HWND dialog, int id) {
    switch (id) {
    case IDOK: OnOk(data, dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(DestinationData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(data, dialog);
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

bool RunDestinationDialog(HINSTANCE instance, DestinationData* data) {
    // A failure inside the dialog ends it as a Cancel.
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_DESTINATION), nullptr,
                           GuardedDialogProc<DestinationData, Dispatch, EndDialogOnFailure<0>>,
                           reinterpret_cast<LPARAM>(data)) == 1;
}

}  // namespace qb::creator
