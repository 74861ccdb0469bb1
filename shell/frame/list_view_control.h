// A list-view control as the main program uses it: the one place that sends
// the control its messages. The question list and the report lists of the
// dialogs each hold one for their own list; the window that made the list
// destroys it. Rows are counted from 0, columns too (0 is the item's own
// text, 1 on its sub-items).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace qb {

// text in codePage as UTF-16, for the list's wide cells.
std::wstring WideText(const std::string& text, UINT codePage);

class ListViewControl {
public:
    ListViewControl() = default;
    explicit ListViewControl(HWND list) : list_(list) {}
    HWND Handle() const { return list_; }

    // A click anywhere in a row selects the whole row.
    void SelectFullRows();
    // The row images; the list destroys them with itself.
    void SetSmallImages(HIMAGELIST images);
    // Drawing off while many rows change; on again draws nothing by itself.
    void SetRedraw(bool on);
    // The list puts each inserted item in its place by text.
    bool SortsOnInsert() const;
    void SetSortOnInsert(bool sorted);
    // The details (report) view with its columns, or the plain list.
    bool ShowsReport() const;
    void ShowReport(bool report);

    // Appends column number column, headed name, width pixels wide.
    void InsertColumn(int column, const std::string& name, int width);
    void SetColumnWidth(int column, int width);
    // The column as wide as its widest cell or its header, for the last it
    // fills the rest of the list.
    void FitColumnToHeader(int column);

    int ItemCount() const;
    // Room for count items, made once before a long fill.
    void ReserveItems(int count);
    // Inserts an item with its text, image and parameter at position, which
    // a sorted list takes only as a hint; returns its row, -1 on failure.
    int InsertItem(int position, const std::string& text, int image, LPARAM parameter);
    // Inserts a row with its first cell and parameter; returns its row, -1 on failure.
    int InsertItem(int position, const std::wstring& text, LPARAM parameter);
    // The text, image and parameter of the item at row.
    void SetItem(int row, const std::string& text, int image, LPARAM parameter);
    void SetItemText(int row, int column, const std::string& text);
    void SetItemText(int row, int column, const std::wstring& text);
    // The cell's text into text, size bytes with its end, cut where it is longer.
    void GetItemText(int row, int column, char* text, int size) const;
    // false when there is no item at row.
    bool GetItemParameter(int row, LPARAM& parameter) const;
    // The row of the item whose parameter is parameter, -1 when there is none.
    int FindParameter(LPARAM parameter) const;
    void DeleteItem(int row);
    void DeleteAllItems();

    bool IsSelectedOrFocused(int row) const;
    // Selects and focuses the row, or takes both from it.
    void SetSelectedAndFocused(int row, bool on);
    // The first selected row, -1 for none.
    int SelectedRow() const;
    void EnsureVisible(int row);
    // Puts the rows in the order compare gives their parameters, with context
    // as its third argument.
    void SortItems(PFNLVCOMPARE compare, LPARAM context);

private:
    HWND list_ = nullptr;
};

}  // namespace qb
