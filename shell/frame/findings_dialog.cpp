#include "shell/frame/findings_dialog.h"

#include <commctrl.h>

#include <string>

#include "common/dialog.h"
#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

// The keyword column's width in dialog units; the finding takes the rest.
constexpr int kKeywordColumnUnits = 80;

void AddColumn(HWND list, int column, int textId, int width) {
    std::string text = LoadText(static_cast<UINT>(textId));
    LVCOLUMNA header = {};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    header.pszText = &text[0];
    header.cx = width;
    header.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
}

// One row per finding; the item's parameter is the finding's place in the list.
void FillRows(HWND list, const std::vector<Finding>& findings) {
    for (size_t i = 0; i < findings.size(); ++i) {
        std::string keyword = findings[i].keyword;
        std::string what = findings[i].what;
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(i);
        item.pszText = &keyword[0];
        item.lParam = static_cast<LPARAM>(i);
        const int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) return;
        LVITEMA finding = {};
        finding.iSubItem = 1;
        finding.pszText = &what[0];
        SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&finding));
    }
}

INT_PTR OnInitDialog(FindingsDialogData& data, HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_FINDINGS_LIST);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    RECT keywordWidth = {0, 0, kKeywordColumnUnits, 0};
    MapDialogRect(dialog, &keywordWidth);
    AddColumn(list, 0, IDS_FINDING_KEYWORD, keywordWidth.right);
    AddColumn(list, 1, IDS_FINDING_TEXT, 0);
    FillRows(list, *data.findings);
    SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, LVSCW_AUTOSIZE_USEHEADER);
    return TRUE;
}

// The question of the double-clicked row, and the dialog ends.
INT_PTR OnDoubleClick(FindingsDialogData& data, HWND dialog, const NMITEMACTIVATE& click) {
    if (click.iItem < 0) return FALSE;
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = click.iItem;
    if (!SendMessageA(click.hdr.hwndFrom, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return FALSE;
    const size_t index = static_cast<size_t>(item.lParam);
    if (index >= data.findings->size()) return FALSE;
    data.pickedKey = (*data.findings)[index].key;
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR OnNotify(FindingsDialogData& data, HWND dialog, const NMHDR& header) {
    if (header.idFrom != IDC_FINDINGS_LIST || header.code != NM_DBLCLK) return FALSE;
    return OnDoubleClick(data, dialog, reinterpret_cast<const NMITEMACTIVATE&>(header));
}

INT_PTR OnCommand(HWND dialog, int id) {
    if (id != IDOK && id != IDCANCEL) return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

INT_PTR Dispatch(FindingsDialogData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(data, dialog);
    case WM_NOTIFY: return OnNotify(data, dialog, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam));
    }
    return FALSE;
}

INT_PTR OnFailure(HWND dialog, FailureKind kind) {
    ShowFailure(dialog, kind);
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

}  // namespace

void RunFindingsDialog(HWND owner, FindingsDialogData& data) {
    data.pickedKey = -1;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FINDINGS), owner,
                    GuardedDialogProc<FindingsDialogData, Dispatch, OnFailure>, reinterpret_cast<LPARAM>(&data));
}

}  // namespace qb
