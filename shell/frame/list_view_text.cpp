#include "shell/frame/list_view_text.h"

#include <commctrl.h>

namespace qb {

std::wstring WideText(const std::string& text, UINT codePage) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], length);
    return wide;
}

void AddListColumn(HWND list, int column, const std::string& name, int width) {
    std::string text = name;
    LVCOLUMNA header = {};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    header.pszText = &text[0];
    header.cx = width;
    header.iSubItem = column;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
}

int InsertListRow(HWND list, int row, const std::wstring& firstCell, LPARAM parameter) {
    std::wstring text = firstCell;
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = &text[0];
    item.lParam = parameter;
    return static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void SetListCell(HWND list, int position, int column, const std::wstring& text) {
    std::wstring cellText = text;
    LVITEMW cell = {};
    cell.iSubItem = column;
    cell.pszText = &cellText[0];
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace qb
