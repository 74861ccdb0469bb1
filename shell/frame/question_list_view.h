// The question list of the main window: the one owner of the list view.
// Each row shows a question of the session, its keyword, its image (answered,
// multiple choice) and its key as the item parameter.
//
// The list view sorts by itself: each item it is given is compared with the
// items already there, one by one, so a test of thousands of questions would
// take minutes to list. While a fill runs (Open, an import), the items are
// kept aside and put in order once at its end, by sort keys taken once per
// keyword, in the order the list's own inserts would have given them; then
// they are appended to an empty list, or each put at its place among the rows
// already there.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "document/document.h"
#include "shell/frame/list_view_control.h"
#include "shell/session/display_scale.h"
#include "shell/session/session.h"

namespace qb {

class ListViewQuestionList : public QuestionList {
public:
    explicit ListViewQuestionList(HWND list) : list_(list) {}
    ~ListViewQuestionList() override { EndFill(); }
    ListViewQuestionList(const ListViewQuestionList&) = delete;
    ListViewQuestionList& operator=(const ListViewQuestionList&) = delete;

    void DeleteAllItems() override;
    bool InsertItem(const std::string& keyword, int image, int key) override;

    // Items inserted from now on are kept for EndFill.
    void BeginFill();
    // Puts the fill's items into the list where its own sorted inserts would
    // have put them. Nothing happens when no fill runs.
    void EndFill();

private:
    struct FillItem {
        std::string keyword;
        int image;
        int key;
    };
    std::vector<size_t> FillOrder(std::vector<std::string>& keys) const;
    bool RowKeyCeilings(std::vector<std::string>& ceilings) const;
    void AppendInOrder();
    bool MergeIntoRows();

    ListViewControl list_;
    bool filling_ = false;
    std::vector<FillItem> fillItems_;
};

// The question list shows either the plain list, always by keyword, or the
// details view with the "Keyword" and "Missed" columns, whose header clicks
// choose the order of the rows.
class QuestionListView {
public:
    // The sorted single-selection list with the four row images, in the
    // plain list mode; its two columns wait for the details view.
    bool Create(HWND parent, HINSTANCE module, const DisplayScale& scale);
    HWND Handle() const { return list_.Handle(); }
    void Move(int x, int y, int width, int height);

    // Every question of the session's index, in one fill.
    void Refill(const TestSession& session);
    void Add(const TestSession& session, int32_t key);
    // The questions from the one of firstKey to the end of the index, in one fill.
    void AddFrom(const TestSession& session, int32_t firstKey);
    // The row's keyword and image as the session has them now.
    void Update(const TestSession& session, int32_t key);
    void Remove(int32_t key);
    // Clears the selection of the row of key; the list reports the change
    // (nested in this call) only when the row was selected or focused.
    void ClearSelection(int32_t key);
    // Selects and focuses the row of key and scrolls it into view; the list
    // reports the change (nested in this call) as a click would.
    void Select(int32_t key);

    // The key of the row an item-changed notification names; -1 for a
    // change applied to all rows.
    static int32_t ChangedKey(const NMLISTVIEW& change);

    // Switches to the details view or back to the plain list, which is
    // always in keyword order.
    void ShowDetails(const TestSession& session, bool details);
    // A click on the header of column 0 puts the rows in keyword order, on
    // column 1 by misses, most first, then by keyword.
    void SortByColumn(const TestSession& session, int column);

    enum class RowOrder { ByKeyword, ByMisses };

private:
    // Fills the list with the nodes from first on, its drawing off meanwhile.
    void FillFrom(const TestSession& session, const QuestionNode* first, bool emptyFirst);
    // Position of the row whose parameter is key, -1 when there is none.
    int FindRow(int32_t key) const;
    // The row's "Missed" cell as the session counts; true when its text changed.
    bool SetMissedCell(const TestSession& session, int row, int32_t key);
    // The key of the row at position row, -1 for none.
    int32_t KeyAt(int row) const;
    // Where the row of key goes among rows already in the order chosen.
    int OrderedRow(const TestSession& session, int32_t key) const;
    // Every row's "Missed" cell after a fill; blank cells need nothing.
    void FillMissedCells(const TestSession& session);
    // Sorts the rows; the list's own sorting on insert holds only for keyword order.
    void PutInOrder(const TestSession& session, RowOrder order);
    // The "Keyword" column takes the width the "Missed" column leaves.
    void FitColumns();
    bool ShowsDetails() const;

    ListViewControl list_;
    RowOrder order_ = RowOrder::ByKeyword;
    int missedColumnWidth_ = 0;
};

}  // namespace qb
