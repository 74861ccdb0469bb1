#include "shell/frame/question_list_view.h"

#include <algorithm>
#include <climits>
#include <new>
#include <numeric>

#include "common/message_box.h"
#include "common/scoped_handles.h"
#include "shell/frame/list_view_text.h"
#include "shell/frame/screen.h"
#include "shell/resource_ids.h"

namespace qb {

namespace {

// The longest text a list view keeps for an item, its end included.
constexpr int kListTextSize = 260;

bool InsertListItem(HWND list, int position, const std::string& keyword, int image, int key) {
    LVITEMA item = QuestionListItem(position, keyword, image, key);
    return SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

// The bytes whose plain comparison orders texts as lstrcmpA (the list's own
// comparison) does; false when the system gives none.
bool SortKeyOf(const std::string& text, std::string& key) {
    key.clear();
    if (text.empty()) return true;
    const LCID locale = GetThreadLocale();
    const int length = static_cast<int>(text.size());
    // One call for a keyword's key; a longer text asks for its size first.
    char shortKey[256];
    const int written = LCMapStringA(locale, LCMAP_SORTKEY, text.data(), length, shortKey, sizeof shortKey);
    if (written > 0) {
        key.assign(shortKey, static_cast<size_t>(written));
        return true;
    }
    const int size = LCMapStringA(locale, LCMAP_SORTKEY, text.data(), length, nullptr, 0);
    if (size <= 0) return false;
    key.resize(static_cast<size_t>(size));
    return LCMapStringA(locale, LCMAP_SORTKEY, text.data(), length, &key[0], size) == size;
}

// The column the details view adds to the keyword's.
constexpr int kMissedColumn = 1;
// Wide enough for "Missed" and the largest count.
constexpr int kMissedColumnBaseWidth = 56;

struct RowComparison {
    const TestSession& session;
    QuestionListView::RowOrder order;
};

// Rows by keyword as the list's own sorting compares them, of equal keywords
// the later added first; by misses, most first, before that.
int CALLBACK CompareRows(LPARAM first, LPARAM second, LPARAM context) {
    const RowComparison& comparison = *reinterpret_cast<const RowComparison*>(context);
    const auto a = static_cast<int32_t>(first);
    const auto b = static_cast<int32_t>(second);
    if (comparison.order == QuestionListView::RowOrder::ByMisses) {
        const int32_t missesA = comparison.session.Misses(a);
        const int32_t missesB = comparison.session.Misses(b);
        if (missesA != missesB) return missesA > missesB ? -1 : 1;
    }
    const int byText = lstrcmpA(comparison.session.Keyword(a).c_str(), comparison.session.Keyword(b).c_str());
    if (byText != 0) return byText;
    return a == b ? 0 : (a > b ? -1 : 1);
}

}  // namespace

LVITEMA QuestionListItem(int position, const std::string& keyword, int image, int key) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.iItem = position;
    item.pszText = const_cast<char*>(keyword.c_str());
    item.iImage = image;
    item.lParam = key;
    return item;
}

void ListViewQuestionList::DeleteAllItems() {
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    fillItems_.clear();
}

bool ListViewQuestionList::InsertItem(const std::string& keyword, int image, int key) {
    if (!filling_) {
        // The list sorts by text; the position asked for is only a hint.
        return InsertListItem(list_, 0, keyword, image, key);
    }
    try {
        fillItems_.push_back(FillItem{keyword, image, key});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void ListViewQuestionList::BeginFill() {
    if (filling_) return;
    fillItems_.clear();
    filling_ = true;
}

// The fill's items in the order the list's own sorted inserts give them: by
// text, and of equal texts the later inserted first. keys receives each
// item's sort key when the system gives them all, else stays empty.
std::vector<size_t> ListViewQuestionList::FillOrder(std::vector<std::string>& keys) const {
    std::vector<size_t> order(fillItems_.size());
    std::iota(order.begin(), order.end(), size_t{0});
    keys.assign(fillItems_.size(), std::string());
    bool keyed = true;
    for (size_t i = 0; i < fillItems_.size() && keyed; ++i) keyed = SortKeyOf(fillItems_[i].keyword, keys[i]);
    const auto laterFirst = [](size_t a, size_t b) { return a > b; };
    if (keyed) {
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            const int byText = keys[a].compare(keys[b]);
            return byText != 0 ? byText < 0 : laterFirst(a, b);
        });
    } else {
        keys.clear();
        std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            const int byText = lstrcmpA(fillItems_[a].keyword.c_str(), fillItems_[b].keyword.c_str());
            return byText != 0 ? byText < 0 : laterFirst(a, b);
        });
    }
    return order;
}

// For each row already in the list, the greatest sort key of the rows up to
// it: the list puts a new item before the first row whose text is not below
// it, so the first of these keys not below an item's key names its place,
// whether or not the rows are still in order (edited keywords keep their row).
bool ListViewQuestionList::RowKeyCeilings(std::vector<std::string>& ceilings) const {
    const int count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    ceilings.assign(static_cast<size_t>(count), std::string());
    std::string key;
    for (int row = 0; row < count; ++row) {
        char text[kListTextSize] = {};
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (!SortKeyOf(text, key)) return false;
        const size_t at = static_cast<size_t>(row);
        ceilings[at] = (row > 0 && ceilings[at - 1].compare(key) > 0) ? ceilings[at - 1] : key;
    }
    return true;
}

void ListViewQuestionList::AppendInOrder() {
    std::vector<std::string> keys;
    for (size_t index : FillOrder(keys)) {
        const FillItem& item = fillItems_[index];
        InsertListItem(list_, INT_MAX, item.keyword, item.image, item.key);
    }
}

// Each new item goes where the list's own insert would put it, found from
// the row ceilings, in one pass over the items in their own order; the list
// only moves the rows behind each new one.
bool ListViewQuestionList::MergeIntoRows() {
    std::vector<std::string> ceilings;
    if (!RowKeyCeilings(ceilings)) return false;
    std::vector<std::string> keys;
    const std::vector<size_t> order = FillOrder(keys);
    if (keys.empty() && !fillItems_.empty()) return false;
    size_t gap = 0;
    int inserted = 0;
    for (size_t index : order) {
        while (gap < ceilings.size() && ceilings[gap].compare(keys[index]) < 0) ++gap;
        const FillItem& item = fillItems_[index];
        InsertListItem(list_, static_cast<int>(gap) + inserted, item.keyword, item.image, item.key);
        ++inserted;
    }
    return true;
}

void ListViewQuestionList::EndFill() {
    if (!filling_) return;
    filling_ = false;
    const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    if ((style & LVS_SORTASCENDING) == 0) {
        for (const FillItem& item : fillItems_) InsertListItem(list_, INT_MAX, item.keyword, item.image, item.key);
    } else {
        // Placed in their final order, with nothing for the list to compare.
        const bool empty = SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0) == 0;
        SetWindowLongPtrA(list_, GWL_STYLE, style & ~LVS_SORTASCENDING);
        bool placed = true;
        if (empty) {
            SendMessageA(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(fillItems_.size()), 0);
            AppendInOrder();
        } else {
            placed = MergeIntoRows();
        }
        SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) | LVS_SORTASCENDING);
        // Without sort keys the list compares each item itself, as it always can.
        if (!placed)
            for (const FillItem& item : fillItems_) InsertListItem(list_, 0, item.keyword, item.image, item.key);
    }
    fillItems_.clear();
    fillItems_.shrink_to_fit();
}

bool QuestionListView::Create(HWND parent, HINSTANCE module, const DisplayScale& scale) {
    list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SINGLESEL | LVS_SORTASCENDING,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QUESTION_LIST)),
                            module, nullptr);
    if (!list_) return false;
    const int art = scale.ArtSize();
    HIMAGELIST images = ImageList_Create(art, art, ILC_COLOR4, 4, 4);
    for (int id = IDB_LIST_SINGLE; id <= IDB_LIST_MULTI_ANSWERED; ++id) {
        ScopedGdiObject bitmap(LoadBitmapA(module, MAKEINTRESOURCEA(ArtBitmapId(id, scale))));
        ImageList_Add(images, static_cast<HBITMAP>(bitmap.get()), nullptr);
    }
    // The list view destroys its image list with itself.
    SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    // The columns exist in both modes, so that every row keeps its "Missed" cell.
    missedColumnWidth_ = scale.Pixels(kMissedColumnBaseWidth);
    AddListColumn(list_, 0, LoadResourceString(module, IDS_FINDING_KEYWORD), missedColumnWidth_);
    AddListColumn(list_, kMissedColumn, LoadResourceString(module, IDS_LIST_MISSED), missedColumnWidth_);
    return true;
}

void QuestionListView::Move(int x, int y, int width, int height) {
    MoveWindow(list_, x, y, width, height, TRUE);
    if (ShowsDetails()) FitColumns();
}

void QuestionListView::Refill(const TestSession& session) {
    FillFrom(session, session.Document().head, true);
}

void QuestionListView::AddFrom(const TestSession& session, int32_t firstKey) {
    const QuestionNode* first = session.Document().head;
    while (first != nullptr && first->key != firstKey) first = first->next;
    if (first != nullptr) FillFrom(session, first, false);
}

void QuestionListView::FillFrom(const TestSession& session, const QuestionNode* first, bool emptyFirst) {
    // The list is filled item by item; it lays itself out once at the end.
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    {
        ListViewQuestionList fill(list_);
        if (emptyFirst) fill.DeleteAllItems();
        fill.BeginFill();
        for (const QuestionNode* node = first; node != nullptr; node = node->next)
            fill.InsertItem(session.Keyword(node->key), session.RowImage(*node), node->key);
        fill.EndFill();
    }
    FillMissedCells(session);
    if (order_ == RowOrder::ByMisses) PutInOrder(session, order_);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void QuestionListView::Add(const TestSession& session, int32_t key) {
    if (order_ == RowOrder::ByMisses)
        InsertListItem(list_, OrderedRow(session, key), session.Keyword(key), session.RowImage(key), key);
    else
        ListViewQuestionList(list_).InsertItem(session.Keyword(key), session.RowImage(key), key);
    if (session.Misses(key) > 0) SetMissedCell(session, FindRow(key), key);
}

void QuestionListView::Update(const TestSession& session, int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    const std::string keyword = session.Keyword(key);
    LVITEMA entry = QuestionListItem(row, keyword, session.RowImage(key), key);
    SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    // Only a changed count moves a row: a reset of every question sorts nothing.
    if (SetMissedCell(session, row, key) && order_ == RowOrder::ByMisses) PutInOrder(session, order_);
}

void QuestionListView::Remove(int32_t key) {
    const int row = FindRow(key);
    if (row >= 0) SendMessageA(list_, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void QuestionListView::ClearSelection(int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    const LRESULT flags = SendMessageA(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_FOCUSED);
    if (flags == 0) return;
    LVITEMA entry = {};
    entry.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    entry.state = 0;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&entry));
}

void QuestionListView::Select(int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    LVITEMA entry = {};
    entry.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    entry.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&entry));
    SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    SetFocus(list_);
}

int32_t QuestionListView::ChangedKey(const NMLISTVIEW& change) {
    return change.iItem < 0 ? -1 : static_cast<int32_t>(change.lParam);
}

void QuestionListView::ShowDetails(const TestSession& session, bool details) {
    if (!details && order_ != RowOrder::ByKeyword) PutInOrder(session, RowOrder::ByKeyword);
    const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    SetWindowLongPtrA(list_, GWL_STYLE, (style & ~LVS_TYPEMASK) | (details ? LVS_REPORT : LVS_LIST));
    if (details) FitColumns();
    const int selected = static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (selected >= 0) SendMessageA(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(selected), FALSE);
}

void QuestionListView::SortByColumn(const TestSession& session, int column) {
    PutInOrder(session, column == kMissedColumn ? RowOrder::ByMisses : RowOrder::ByKeyword);
}

bool QuestionListView::SetMissedCell(const TestSession& session, int row, int32_t key) {
    if (row < 0) return false;
    std::string text = session.MissedText(key);
    char shown[16] = {};
    LVITEMA cell = {};
    cell.iSubItem = kMissedColumn;
    cell.pszText = shown;
    cell.cchTextMax = sizeof shown;
    SendMessageA(list_, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    if (text == shown) return false;
    cell.pszText = &text[0];
    SendMessageA(list_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    return true;
}

int32_t QuestionListView::KeyAt(int row) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(list_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return -1;
    return static_cast<int32_t>(item.lParam);
}

// The rows are in order already: the first row that goes after key, by halving.
int QuestionListView::OrderedRow(const TestSession& session, int32_t key) const {
    RowComparison comparison{session, order_};
    int first = 0;
    int last = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    while (first < last) {
        const int middle = first + (last - first) / 2;
        const LPARAM there = KeyAt(middle);
        if (CompareRows(key, there, reinterpret_cast<LPARAM>(&comparison)) > 0)
            first = middle + 1;
        else
            last = middle;
    }
    return first;
}

void QuestionListView::FillMissedCells(const TestSession& session) {
    bool anyMissed = false;
    for (const QuestionNode* node = session.Document().head; node != nullptr && !anyMissed; node = node->next)
        anyMissed = node->misses > 0;
    if (!anyMissed) return;
    const int count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        const int32_t key = KeyAt(row);
        if (session.Misses(key) > 0) SetMissedCell(session, row, key);
    }
}

void QuestionListView::PutInOrder(const TestSession& session, RowOrder order) {
    order_ = order;
    const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    const LONG_PTR sorting = order == RowOrder::ByKeyword ? LVS_SORTASCENDING : 0;
    SetWindowLongPtrA(list_, GWL_STYLE, (style & ~LVS_SORTASCENDING) | sorting);
    RowComparison comparison{session, order};
    SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&comparison), reinterpret_cast<LPARAM>(CompareRows));
}

void QuestionListView::FitColumns() {
    RECT client = {};
    GetClientRect(list_, &client);
    const int keywordWidth = client.right - client.left - missedColumnWidth_ - GetSystemMetrics(SM_CXVSCROLL);
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0,
                 MAKELPARAM(keywordWidth > missedColumnWidth_ ? keywordWidth : missedColumnWidth_, 0));
}

bool QuestionListView::ShowsDetails() const {
    return (GetWindowLongPtrA(list_, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT;
}

int QuestionListView::FindRow(int32_t key) const {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = key;
    return static_cast<int>(
        SendMessageA(list_, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

}  // namespace qb
