#include "shell/frame/import_dialog.h"

#include "common/dialog.h"
#include "editor/question_dialog.h"
#include "shell/frame/list_view_control.h"
#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

// The drop-downs' entries, in their order.
const struct {
    const char* name;
    EncodingChoice choice;
} kEncodings[] = {{"UTF-8", EncodingChoice::Utf8}, {"Windows-1252", EncodingChoice::Cp1252},
                  {"UTF-16", EncodingChoice::Utf16}};
const struct {
    const char* name;
    char separator;
} kSeparatorNames[] = {{"Tab", '\t'}, {"Semicolon", ';'}, {"Comma", ','}};

// Preview columns' width in dialog units: the row number, then each question column.
constexpr int kRowColumnUnits = 24;
constexpr int kCellColumnUnits = 60;

int EncodingEntry(TableEncoding encoding) {
    switch (encoding) {
    case TableEncoding::Utf8: return 0;
    case TableEncoding::Cp1252: return 1;
    case TableEncoding::Utf16Le:
    case TableEncoding::Utf16Be: return 2;
    }
    return 0;
}

int SeparatorEntry(char separator) {
    for (int i = 0; i < 3; ++i)
        if (kSeparatorNames[i].separator == separator) return i;
    return 2;
}

void ShowPreview(HWND dialog, const ImportPreview& preview) {
    ListViewControl list(GetDlgItem(dialog, IDC_IMPORT_PREVIEW));
    list.DeleteAllItems();
    for (size_t r = 0; r < preview.rows.size(); ++r) {
        const int row = list.InsertItem(static_cast<int>(r), std::to_wstring(preview.rowNumbers[r]), 0);
        if (row < 0) return;
        for (size_t c = 0; c < preview.rows[r].size(); ++c)
            list.SetItemText(row, static_cast<int>(c) + 1, WideText(preview.rows[r][c], CP_UTF8));
    }
}

// The preview as the options read the table; the controls show the layout.
void Refresh(ImportDialogData& data, HWND dialog) {
    const ImportPreview preview = PreviewQuestionTable(*data.tableBytes, data.options);
    SendDlgItemMessageA(dialog, IDC_IMPORT_ENCODING, CB_SETCURSEL, EncodingEntry(preview.layout.encoding), 0);
    SendDlgItemMessageA(dialog, IDC_IMPORT_SEPARATOR, CB_SETCURSEL, SeparatorEntry(preview.layout.separator), 0);
    CheckDlgButton(dialog, IDC_IMPORT_HEADER, preview.layout.hasHeader ? BST_CHECKED : BST_UNCHECKED);
    ShowPreview(dialog, preview);
}

// What the controls show, as options that detect nothing.
void TakeControls(ImportDialogData& data, HWND dialog) {
    const LRESULT encoding = SendDlgItemMessageA(dialog, IDC_IMPORT_ENCODING, CB_GETCURSEL, 0, 0);
    const LRESULT separator = SendDlgItemMessageA(dialog, IDC_IMPORT_SEPARATOR, CB_GETCURSEL, 0, 0);
    if (encoding >= 0 && encoding < 3) data.options.encoding = kEncodings[encoding].choice;
    if (separator >= 0 && separator < 3) data.options.separator = kSeparatorNames[separator].separator;
    data.options.header =
        IsDlgButtonChecked(dialog, IDC_IMPORT_HEADER) == BST_CHECKED ? HeaderChoice::Header : HeaderChoice::NoHeader;
}

INT_PTR OnInitDialog(ImportDialogData& data, HWND dialog) {
    for (const auto& entry : kEncodings)
        SendDlgItemMessageA(dialog, IDC_IMPORT_ENCODING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name));
    for (const auto& entry : kSeparatorNames)
        SendDlgItemMessageA(dialog, IDC_IMPORT_SEPARATOR, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name));
    ListViewControl list(GetDlgItem(dialog, IDC_IMPORT_PREVIEW));
    list.SelectFullRows();
    RECT widths = {0, 0, kRowColumnUnits, kCellColumnUnits};
    MapDialogRect(dialog, &widths);
    list.InsertColumn(0, LoadText(IDS_ERROR_ROW), widths.right);
    for (int c = 0; c < kTableColumnCount; ++c) list.InsertColumn(c + 1, ColumnName(c), widths.bottom);
    data.options = TableOptions{};
    Refresh(data, dialog);
    return TRUE;
}

INT_PTR OnCommand(ImportDialogData& data, HWND dialog, int id, int code) {
    switch (id) {
    case IDC_IMPORT_ENCODING:
    case IDC_IMPORT_SEPARATOR:
        if (code != CBN_SELCHANGE) return FALSE;
        TakeControls(data, dialog);
        Refresh(data, dialog);
        return TRUE;
    case IDC_IMPORT_HEADER:
        TakeControls(data, dialog);
        Refresh(data, dialog);
        return TRUE;
    case IDC_IMPORT_HELP:
        ShowHelpTopic(dialog, GetModuleHandleA(nullptr), data.programDirectory, IDS_HELP_KEY_IMPORT);
        return TRUE;
    case IDOK:
        TakeControls(data, dialog);
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
    }
    return FALSE;
}

INT_PTR Dispatch(ImportDialogData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(data, dialog);
    case WM_COMMAND: return OnCommand(data, dialog, LOWORD(wParam), HIWORD(wParam));
    }
    return FALSE;
}

INT_PTR OnFailure(HWND dialog, FailureKind kind) {
    ShowFailure(dialog, kind);
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

}  // namespace

bool RunImportDialog(HWND owner, ImportDialogData& data) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_IMPORT), owner,
                           GuardedDialogProc<ImportDialogData, Dispatch, OnFailure>,
                           reinterpret_cast<LPARAM>(&data)) == IDOK;
}

}  // namespace qb
