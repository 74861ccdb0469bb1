// The question list's details view (run under Wine by run.sh): the "Missed"
// cells, the two orders a header click chooses, and the way back to the plain
// list, over a session that has opened a test.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "base/path_limits.h"
#include "shell/frame/question_list_view.h"
#include "tests/support/quiet_frame.h"
#include "tests/support/test_records.h"
#include "tests/wine/wine_check.h"

namespace {

using qb::testing_support::MakeRecord;

// Each row as "keyword|missed cell|key", top to bottom.
std::vector<std::string> RowsOf(HWND list) {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        char keyword[64] = {};
        char missed[16] = {};
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = row;
        item.pszText = keyword;
        item.cchTextMax = sizeof keyword;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        LVITEMA cell = {};
        cell.iSubItem = 1;
        cell.pszText = missed;
        cell.cchTextMax = sizeof missed;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        rows.push_back(std::string(keyword) + "|" + missed + "|" + std::to_string(item.lParam));
    }
    return rows;
}

bool SameRows(const std::vector<std::string>& expected, HWND list, int line) {
    const std::vector<std::string> actual = RowsOf(list);
    if (actual == expected) return true;
    std::printf("  line %d: rows are", line);
    for (const std::string& row : actual) std::printf(" [%s]", row.c_str());
    std::printf("\n");
    return false;
}
#define CHECK_ROWS(list, ...) CHECK(SameRows(std::vector<std::string>{__VA_ARGS__}, list, __LINE__))

LONG_PTR StyleOf(HWND list) {
    return GetWindowLongPtrA(list, GWL_STYLE);
}

int SelectedRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::string TempPath(const char* name) {
    char directory[qb::kPathBufferSize] = {};
    GetTempPathA(sizeof directory, directory);
    return std::string(directory) + name;
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND parent = CreateWindowExA(0, "STATIC", "list details test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    CHECK(parent != nullptr);

    const std::string testPath = TempPath("details.tvt");
    std::ofstream(testPath, std::ios::binary)
        << qb::testing_support::TestFileBytes({MakeRecord("Moon", "?", "a"), MakeRecord("apple", "?", "a"),
                                               MakeRecord("Zebra", "?", "a", 1), MakeRecord("Comet", "?", "a")});
    qb::RuntimeRandom random;
    qb::TestSession session(qb::Directory(TempPath("")), TempPath("CHANGINGS.TMP"), random);
    qb::testing_support::QuietFrame frame;
    session.OpenTestAt(testPath, frame);
    CHECK(session.QuestionCount() == 4);
    // Counts as the learner's misses leave them (keys in the file's order).
    qb::FindNode(session.Document(), 0)->misses = 2;
    qb::FindNode(session.Document(), 2)->misses = 2;
    qb::FindNode(session.Document(), 3)->misses = 99999;

    qb::QuestionListView view;
    CHECK(view.Create(parent, GetModuleHandleA(nullptr), qb::DisplayScale()));
    HWND list = view.Handle();
    view.Refill(session);
    CHECK((StyleOf(list) & LVS_TYPEMASK) == LVS_LIST);
    CHECK_ROWS(list, "apple||1", "Comet|99999|3", "Moon|2|0", "Zebra|2|2");

    view.ShowDetails(session, true);
    CHECK((StyleOf(list) & LVS_TYPEMASK) == LVS_REPORT);
    view.Select(0);
    view.SortByColumn(session, 1);
    CHECK_ROWS(list, "Comet|99999|3", "Moon|2|0", "Zebra|2|2", "apple||1");
    CHECK((StyleOf(list) & LVS_SORTASCENDING) == 0);
    CHECK(SelectedRow(list) == 1);

    // A changed count moves its row; a refill keeps the order chosen.
    qb::FindNode(session.Document(), 1)->misses = 3;
    view.Update(session, 1);
    CHECK_ROWS(list, "Comet|99999|3", "apple|3|1", "Moon|2|0", "Zebra|2|2");
    // A question added in this order takes its place at once.
    for (int32_t key : {0, 3}) {
        view.Remove(key);
        view.Add(session, key);
    }
    CHECK_ROWS(list, "Comet|99999|3", "apple|3|1", "Moon|2|0", "Zebra|2|2");
    qb::FindNode(session.Document(), 3)->misses = 0;
    view.Refill(session);
    CHECK_ROWS(list, "apple|3|1", "Moon|2|0", "Zebra|2|2", "Comet||3");

    view.Select(2);
    view.SortByColumn(session, 0);
    CHECK_ROWS(list, "apple|3|1", "Comet||3", "Moon|2|0", "Zebra|2|2");
    CHECK((StyleOf(list) & LVS_SORTASCENDING) != 0);
    CHECK(SelectedRow(list) == 3);

    // The plain list is always in keyword order.
    view.SortByColumn(session, 1);
    view.ShowDetails(session, false);
    CHECK((StyleOf(list) & LVS_TYPEMASK) == LVS_LIST);
    CHECK_ROWS(list, "apple|3|1", "Comet||3", "Moon|2|0", "Zebra|2|2");
    CHECK((StyleOf(list) & LVS_SORTASCENDING) != 0);

    session.CloseTest(frame);
    DeleteFileA(testPath.c_str());
    DestroyWindow(parent);
    return wine_check::Finish();
}
