#include "shell/frame/report_list_dialog.h"

#include <commctrl.h>

#include "common/dialog.h"
#include "shell/frame/list_view_control.h"
#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

// Every column but the last is this wide in dialog units; the last takes the rest.
constexpr int kColumnUnits = 70;

void FillRows(ListViewControl& list, const ReportListData& data) {
    for (size_t i = 0; i < data.rows.size(); ++i) {
        const std::vector<std::string>& cells = data.rows[i];
        const std::wstring first = cells.empty() ? std::wstring() : WideText(cells[0], data.codePage);
        const int row = list.InsertItem(static_cast<int>(i), first, static_cast<LPARAM>(i));
        if (row < 0) return;
        for (size_t c = 1; c < cells.size(); ++c)
            list.SetItemText(row, static_cast<int>(c), WideText(cells[c], data.codePage));
    }
}

INT_PTR OnInitDialog(ReportListData& data, HWND dialog) {
    SetWindowTextA(dialog, LoadText(static_cast<UINT>(data.caption)).c_str());
    SetDlgItemTextA(dialog, IDC_REPORT_HINT, data.hint ? LoadText(static_cast<UINT>(data.hint)).c_str() : "");
    ListViewControl list(GetDlgItem(dialog, IDC_FINDINGS_LIST));
    list.SelectFullRows();
    RECT width = {0, 0, kColumnUnits, 0};
    MapDialogRect(dialog, &width);
    for (size_t c = 0; c < data.columns.size(); ++c)
        list.InsertColumn(static_cast<int>(c), LoadText(static_cast<UINT>(data.columns[c])), width.right);
    FillRows(list, data);
    if (!data.columns.empty()) list.FitColumnToHeader(static_cast<int>(data.columns.size()) - 1);
    return TRUE;
}

// The double-clicked row is picked, and the dialog ends.
INT_PTR OnDoubleClick(ReportListData& data, HWND dialog, const NMITEMACTIVATE& click) {
    if (!data.pickable || click.iItem < 0) return FALSE;
    LPARAM picked = 0;
    if (!ListViewControl(click.hdr.hwndFrom).GetItemParameter(click.iItem, picked)) return FALSE;
    const size_t index = static_cast<size_t>(picked);
    if (index >= data.rows.size()) return FALSE;
    data.pickedRow = static_cast<int>(index);
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR OnNotify(ReportListData& data, HWND dialog, const NMHDR& header) {
    if (header.idFrom != IDC_FINDINGS_LIST || header.code != NM_DBLCLK) return FALSE;
    return OnDoubleClick(data, dialog, reinterpret_cast<const NMITEMACTIVATE&>(header));
}

INT_PTR OnCommand(HWND dialog, int id) {
    if (id != IDOK && id != IDCANCEL) return FALSE;
    EndDialog(dialog, id);
    return TRUE;
}

INT_PTR Dispatch(ReportListData& data, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
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

void RunReportListDialog(HWND owner, ReportListData& data) {
    data.pickedRow = -1;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_FINDINGS), owner,
                    GuardedDialogProc<ReportListData, Dispatch, OnFailure>, reinterpret_cast<LPARAM>(&data));
}

}  // namespace qb
