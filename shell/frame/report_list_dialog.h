// A list of rows in a dialog: Check test's findings (keyword, finding; a
// double-click on a row picks it) and the errors of a refused table (row,
// column, text).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace qb {

struct ReportListData {
    int caption = 0;               // string id of the dialog's title
    int hint = 0;                  // string id of the line above the list
    std::vector<int> columns;      // string ids of the column headers
    std::vector<std::vector<std::string>> rows;
    UINT codePage = CP_ACP;        // the rows' encoding
    bool pickable = false;         // a double-click picks a row and closes the dialog
    int pickedRow = -1;            // the row picked; -1 for none
};

// Runs the dialog over data; data.pickedRow tells what was picked.
void RunReportListDialog(HWND owner, ReportListData& data);

}  // namespace qb
