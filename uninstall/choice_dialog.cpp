#include "uninstall/choice_dialog.h"

#include "common/dialog.h"
#include "common/message_box.h"
#include "install/system_integration.h"
#include "uninstall/resource_ids.h"

namespace qb {
namespace {

const int kChoiceBoxes[] = {IDC_KIND_PROGRAM_FILES, IDC_KIND_TESTS, IDC_KIND_TEXT_FILES, IDC_KIND_BITMAPS};

ChoiceData* DataOf(HWND dialog) {
    return DialogData<ChoiceData>(dialog);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
    KeepDialogData(dialog, lParam);
    ChoiceData* data = DataOf(dialog);
    std::optional<std::string> dataPath = ReadDataPath();
    std::optional<std::string> directory = dataPath ? ProgramDirectoryFromDataPath(*dataPath) : std::nullopt;
    if (!directory) {
        ShowStringMessage(DialogInstance(dialog), dialog, IDS_DIRECTORY_NOT_FOUND, IDS_ERROR_CAPTION,
                          MB_OK | MB_ICONWARNING);
        EndDialog(dialog, 0);
        return TRUE;
    }
    data->programDirectory = *directory;
    data->choice = RemovalChoice{};
    SetDlgItemTextA(dialog, IDC_CHOICE_DIRECTORY, directory->c_str());
    for (int box : kChoiceBoxes) CheckDlgButton(dialog, box, BST_CHECKED);
    return TRUE;
}

bool Ticked(HWND dialog, int box) {
    return IsDlgButtonChecked(dialog, box) == BST_CHECKED;
}

void OnRemove(HWND dialog) {
    RemovalChoice& choice = DataOf(dialog)->choice;
    choice.tests = Ticked(dialog, IDC_KIND_TESTS);
    choice.textFiles = Ticked(dialog, IDC_KIND_TEXT_FILES);
    choice.bitmaps = Ticked(dialog, IDC_KIND_BITMAPS);
    EndDialog(dialog, 1);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
    switch (LOWORD(wParam)) {
    case IDOK: OnRemove(dialog); return TRUE;
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

}  // namespace

bool RunChoiceDialog(HINSTANCE instance, ChoiceData* data) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CHOICE), nullptr, GuardedDialogProc<Dispatch>,
                           reinterpret_cast<LPARAM>(data)) == 1;
}

}  // namespace qb
