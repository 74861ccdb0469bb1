#include "editor/attach_dialog.h"

#include <commdlg.h>

#include "common/dialog.h"
#include "common/message_box.h"
#include "editor/question_dialog.h"
#include "editor/resource_ids.h"

namespace qb {

namespace {

struct AttachBox {
    int box;
    int slot;
    UINT title;
};

constexpr AttachBox kBoxes[kAttachmentSlotCount] = {
    {IDC_ATTACH_QUESTION_TEXT, kQuestionText, IDS_ATTACH_QUESTION_TEXT},
    {IDC_ATTACH_QUESTION_PICTURE, kQuestionPicture, IDS_ATTACH_QUESTION_PICTURE},
    {IDC_ATTACH_ANSWER_TEXT, kAnswerText, IDS_ATTACH_ANSWER_TEXT},
    {IDC_ATTACH_ANSWER_PICTURE, kAnswerPicture, IDS_ATTACH_ANSWER_PICTURE},
};

const AttachBox* BoxOf(int id) {
    for (const AttachBox& box : kBoxes) {
        if (box.box == id) return &box;
    }
    return nullptr;
}

void WarnFileError(HWND dialog, HINSTANCE module) {
    ShowStringMessage(module, dialog, IDS_FILE_ERROR, IDS_ERROR_CAPTION, MB_OK | MB_ICONEXCLAMATION);
}

// The open-file dialog is owned by this dialog, so this dialog stays
// disabled while it runs and nothing can end it underneath.
void ChooseFile(HWND dialog, const AttachDialogData& data, const AttachBox& box) {
    OpenFileSetting& setting = KindOfSlot(box.slot) == FileKind::Text ? *data.textFiles : *data.pictures;
    std::string title = LoadResourceString(data.module, box.title);
    char file[kPathBufferSize] = {};
    OPENFILENAMEA dialogSetting = {};
    dialogSetting.lStructSize = sizeof(dialogSetting);
    dialogSetting.hwndOwner = dialog;
    dialogSetting.lpstrFilter = setting.filter.c_str();
    dialogSetting.nFilterIndex = setting.filterIndex;
    dialogSetting.lpstrFile = file;
    dialogSetting.nMaxFile = sizeof(file);
    dialogSetting.lpstrInitialDir = data.programDirectory.Text().c_str();
    dialogSetting.lpstrTitle = title.c_str();
    dialogSetting.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
    dialogSetting.lpstrDefExt = setting.defaultExtension.c_str();
    const bool chosen = GetOpenFileNameA(&dialogSetting) != FALSE;
    setting.filterIndex = static_cast<uint32_t>(dialogSetting.nFilterIndex);
    if (chosen) {
        if (!TakeChosenFile(*data.slots, box.slot, file)) WarnFileError(dialog, data.module);
    } else if (CommDlgExtendedError() != 0) {
        WarnFileError(dialog, data.module);
    }
}

void OnBoxClicked(HWND dialog, const AttachDialogData& data, const AttachBox& box) {
    bool ticked = IsDlgButtonChecked(dialog, box.box) == BST_CHECKED;
    if (OnBoxChanged(*data.slots, box.slot, ticked)) ChooseFile(dialog, data, box);
}

INT_PTR OnInitDialog(const AttachDialogData& data, HWND dialog) {
    auto ticks = TicksFromSlots(*data.slots);
    for (const AttachBox& box : kBoxes) {
        CheckDlgButton(dialog, box.box, ticks[static_cast<size_t>(box.slot)] ? BST_CHECKED : BST_UNCHECKED);
    }
    return TRUE;
}

INT_PTR OnCommand(const AttachDialogData& data, HWND dialog, int id, int code) {
    switch (id) {
    case IDOK: EndDialog(dialog, 1); return TRUE;
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDC_DIALOG_HELP: ShowHelpTopic(dialog, data.module, data.programDirectory, IDS_HELP_KEY_ATTACH); return TRUE;
    }
    const AttachBox* box = BoxOf(id);
    if (box && code == BN_CLICKED) {
        OnBoxClicked(dialog, data, *box);
        return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(AttachDialogData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(data, dialog);
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

}  // namespace

int RunAttachDialog(HWND owner, AttachDialogData& data) {
    INT_PTR result = DialogBoxParamA(data.module, MAKEINTRESOURCEA(IDD_ATTACH), owner,
                                     GuardedDialogProc<AttachDialogData, Dispatch, ReportEditorFailure>,
                                     reinterpret_cast<LPARAM>(&data));
    return result == 1 ? 1 : 0;
}

}  // namespace qb
