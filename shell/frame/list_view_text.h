// Texts into report-style list views: columns by name, cells in any code page.
#pragma once
#include <windows.h>

#include <string>

namespace qb {

// text in codePage as UTF-16, for the list view's wide messages.
std::wstring WideText(const std::string& text, UINT codePage);

// Appends column number column, headed name, width pixels wide.
void AddListColumn(HWND list, int column, const std::string& name, int width);

// Inserts row number row with its first cell; returns its position, -1 on failure.
int InsertListRow(HWND list, int row, const std::wstring& firstCell, LPARAM parameter = 0);

// Sets the text of cell column (from 1) in the row at position.
void SetListCell(HWND list, int position, int column, const std::wstring& text);

}  // namespace qb
