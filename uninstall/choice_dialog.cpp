#include "uninstall/choice_dialog.h"

#include "common/dialog.h"
#include "common/message_box.h"
#include "common/registry.h"
#include "uninstall/resource_ids.h"

namespace qb {
namespace {

const int kChoiceBoxes[] = {IDC_KIND_PROGRAM_FILES, IDC_KIND_TESTS, IDC_KIND_TEXT_FILES, IDC_KIND_BITMAPS};

INT_PTR OnInitDialog(ChoiceData& data, HWND dialog) {
    const std::optional<Directory> directory =
        ReadProgramDirectory(DataPathLookup::CurrentUserThenDefaultUser, DriveRoot::Refused);
    if (!directory) {
        ShowStringMessage(DialogInstance(dialog), dialog, IDS_DIRECTORY_NOT_FOUND, IDS_ERROR_CAPTION,
                          MB_OK | MB_ICONWARNING);
        EndDialog(dialog, 0);
        return TRUE;
    }
    data.programDirectory = *directory;
    data.choice = RemovalChoice{};
    SetDlgItemTextA(dialog, IDC_CHOICE_DIRECTORY, directory->Text().c_str());
    for (int box : kChoiceBoxes) CheckDlgButton(dialog, box, BST_CHECKED);
    return TRUE;
}

bool Ticked(HWND dialog, int box) {
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

void OnRemove(ChoiceData& data, HWND dialog) {
    RemovalChoice& choice = data.choice;
    choice.tests = Ticked(dialog, IDC_KIND_TESTS);
    choice.textFiles = Ticked(dialog, IDC_KIND_TEXT_FILES);
    choice.bitmaps = Ticked(dialog, IDC_KIND_BITMAPS);
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(ChoiceData& data, HWND dialog, int id) {
    switch (id) {
    case IDOK: OnRemove(data, dialog); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(ChoiceData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(data, dialog);
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam));
    }
    return FALSE;
}

}  // namespace

bool RunChoiceDialog(HINSTANCE instance, ChoiceData* data) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CHOICE), nullptr,
                           GuardedDialogProc<ChoiceData, Dispatch, EndDialogOnFailure<0>>,
                           reinterpret_cast<LPARAM>(data)) == 1;
}

}  // namespace qb
