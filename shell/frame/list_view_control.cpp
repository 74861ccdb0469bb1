#include "shell/frame/list_view_control.h"

namespace qb {

namespace {

constexpr UINT kSelectedAndFocused = LVIS_SELECTED | LVIS_FOCUSED;

LVITEMA TextImageParameter(int row, const std::string& text, int image, LPARAM parameter) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text.c_str());
    item.iImage = image;
    item.lParam = parameter;
    return item;
}

void SetStyleBits(HWND list, LONG_PTR mask, LONG_PTR bits) {
    const LONG_PTR style = GetWindowLongPtrA(list, GWL_STYLE);
    SetWindowLongPtrA(list, GWL_STYLE, (style & ~mask) | bits);
}

}  // namespace

std::wstring WideText(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

void ListViewControl::SelectFullRows() {
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void ListViewControl::SetSmallImages(HIMAGELIST images) {
    SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
}

void ListViewControl::SetRedraw(bool on) {
    SendMessageA(list_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

bool ListViewControl::SortsOnInsert() const {
    return (GetWindowLongPtrA(list_, GWL_STYLE) & LVS_SORTASCENDING) != 0;
}

void ListViewControl::SetSortOnInsert(bool sorted) {
    SetStyleBits(list_, LVS_SORTASCENDING, sorted ? LVS_SORTASCENDING : 0);
}

bool ListViewControl::ShowsReport() const {
    return (GetWindowLongPtrA(list_, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

void ListViewControl::ShowReport(bool report) {
    SetStyleBits(list_, LVS_TYPEMASK, report ? LVS_REPORT : LVS_LIST);
}

void ListViewControl::InsertColumn(int column, const std::string& name, int width) {
    std::string text = name;
    LVCOLUMNA header = {};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    header.pszText = &text[0];
    header.cx = width;
    header.iSubItem = column;
    SendMessageA(list_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
}

void ListViewControl::SetColumnWidth(int column, int width) {
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

void ListViewControl::FitColumnToHeader(int column) {
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE_USEHEADER);
}

int ListViewControl::ItemCount() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
}

void ListViewControl::ReserveItems(int count) {
    SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), 0);
}

int ListViewControl::InsertItem(int position, const std::string& text, int image, LPARAM parameter) {
    LVITEMA item = TextImageParameter(position, text, image, parameter);
    return static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListViewControl::InsertItem(int position, const std::wstring& text, LPARAM parameter) {
    std::wstring shown = text;
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = position;
    item.pszText = &shown[0];
    item.lParam = parameter;
    return static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListViewControl::SetItem(int row, const std::string& text, int image, LPARAM parameter) {
    LVITEMA item = TextImageParameter(row, text, image, parameter);
    SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void ListViewControl::SetItemText(int row, int column, const std::string& text) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

void ListViewControl::SetItemText(int row, int column, const std::wstring& text) {
    std::wstring shown = text;
    LVITEMW cell = {};
    cell.iSubItem = column;
    cell.pszText = &shown[0];
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

void ListViewControl::GetItemText(int row, int column, char* text, int size) const {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = size;
    SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
}

bool ListViewControl::GetItemParameter(int row, LPARAM& parameter) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return false;
    parameter = item.lParam;
    return true;
}

int ListViewControl::FindParameter(LPARAM parameter) const {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = parameter;
    return static_cast<int>(
        SendMessageA(list_, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

void ListViewControl::DeleteItem(int row) {
    SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListViewControl::DeleteAllItems() {
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
}

bool ListViewControl::IsSelectedOrFocused(int row) const {
    return SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), kSelectedAndFocused) != 0;
}

void ListViewControl::SetSelectedAndFocused(int row, bool on) {
    LVITEMA entry = {};
    entry.stateMask = kSelectedAndFocused;
    entry.state = on ? kSelectedAndFocused : 0;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&entry));
}

int ListViewControl::SelectedRow() const {
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListViewControl::EnsureVisible(int row) {
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ListViewControl::SortItems(PFNLVCOMPARE compare, LPARAM context) {
    SendMessageA(list_, LVM_SORTITEMS, static_cast<WPARAM>(context), reinterpret_cast<LPARAM>(compare));
}

}  // namespace qb
