#include "shell/frame/question_list_view.h"

#include <algorithm>
#include <climits>
#include <new>
#include <numeric>

#include "common/message_box.h"
#include "common/scoped_handles.h"
#include "shell/frame/screen.h"
#include "shell/resource_ids.h"

namespace qb {

namespace {

// The longest text a list view keeps for an item, its end included.
constexpr int kListTextSize = 260;

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

void ListViewQuestionList::DeleteAllItems() {
    list_.DeleteAllItems();
    fillItems_.clear();
}

bool ListViewQuestionList::InsertItem(const std::string& keyword, int image, int key) {
    if (!filling_) {
        // The list sorts by text; the position asked for is only a hint.
        return list_.InsertItem(0, keyword, image, key) >= 0;
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
    const int count = list_.ItemCount();
    ceilings.assign(static_cast<size_t>(count), std::string());
    std::string key;
    for (int row = 0; row < count; ++row) {
        char text[kListTextSize] = {};
        list_.GetItemText(row, 0, text, sizeof text);
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
        list_.InsertItem(INT_MAX, item.keyword, item.image, item.key);
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
        list_.InsertItem(static_cast<int>(gap) + inserted, item.keyword, item.image, item.key);
        ++inserted;
    }
    return true;
}

void ListViewQuestionList::EndFill() {
    if (!filling_) return;
    filling_ = false;
    if (!list_.SortsOnInsert()) {
        for (const FillItem& item : fillItems_) list_.InsertItem(INT_MAX, item.keyword, item.image, item.key);
    } else {
        // Placed in their final order, with nothing for the list to compare.
        const bool empty = list_.ItemCount() == 0;
        list_.SetSortOnInsert(false);
        bool placed = true;
        if (empty) {
            list_.ReserveItems(static_cast<int>(fillItems_.size()));
            AppendInOrder();
        } else {
            placed = MergeIntoRows();
        }
        list_.SetSortOnInsert(true);
        // Without sort keys the list compares each item itself, as it always can.
        if (!placed)
            for (const FillItem& item : fillItems_) list_.InsertItem(0, item.keyword, item.image, item.key);
    }
    fillItems_.clear();
    fillItems_.shrink_to_fit();
}

bool QuestionListView::Create(HWND parent, HINSTANCE module, const DisplayScale& scale) {
    list_ = ListViewControl(CreateWindowExA(
        0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SINGLESEL | LVS_SORTASCENDING, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QUESTION_LIST)), module, nullptr));
    if (!list_.Handle()) return false;
    const int art = scale.ArtSize();
    HIMAGELIST images = ImageList_Create(art, art, ILC_COLOR4, 4, 4);
    for (int id = IDB_LIST_SINGLE; id <= IDB_LIST_MULTI_ANSWERED; ++id) {
        ScopedGdiObject bitmap(LoadBitmapA(module, MAKEINTRESOURCEA(ArtBitmapId(id, scale))));
        ImageList_Add(images, static_cast<HBITMAP>(bitmap.get()), nullptr);
    }
    list_.SetSmallImages(images);
    list_.SelectFullRows();
    // The columns exist in both modes, so that every row keeps its "Missed" cell.
    missedColumnWidth_ = scale.Pixels(kMissedColumnBaseWidth);
    list_.InsertColumn(0, LoadResourceString(module, IDS_FINDING_KEYWORD), missedColumnWidth_);
    list_.InsertColumn(kMissedColumn, LoadResourceString(module, IDS_LIST_MISSED), missedColumnWidth_);
    return true;
}

void QuestionListView::Move(int x, int y, int width, int height) {
    MoveWindow(list_.Handle(), x, y, width, height, TRUE);
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
    list_.SetRedraw(false);
    {
        ListViewQuestionList fill(list_.Handle());
        if (emptyFirst) fill.DeleteAllItems();
        fill.BeginFill();
        for (const QuestionNode* node = first; node != nullptr; node = node->next)
            fill.InsertItem(session.Keyword(node->key), session.RowImage(*node), node->key);
        fill.EndFill();
    }
    FillMissedCells(session);
    if (order_ == RowOrder::ByMisses) PutInOrder(session, order_);
    list_.SetRedraw(true);
    InvalidateRect(list_.Handle(), nullptr, TRUE);
}

void QuestionListView::Add(const TestSession& session, int32_t key) {
    if (order_ == RowOrder::ByMisses)
        list_.InsertItem(OrderedRow(session, key), session.Keyword(key), session.RowImage(key), key);
    else
        ListViewQuestionList(list_.Handle()).InsertItem(session.Keyword(key), session.RowImage(key), key);
    if (session.Misses(key) > 0) SetMissedCell(session, FindRow(key), key);
}

void QuestionListView::Update(const TestSession& session, int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    list_.SetItem(row, session.Keyword(key), session.RowImage(key), key);
    // Only a changed count moves a row: a reset of every question sorts nothing.
    if (SetMissedCell(session, row, key) && order_ == RowOrder::ByMisses) PutInOrder(session, order_);
}

void QuestionListView::Remove(int32_t key) {
    const int row = FindRow(key);
    if (row >= 0) list_.DeleteItem(row);
}

void QuestionListView::ClearSelection(int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    if (list_.IsSelectedOrFocused(row)) list_.SetSelectedAndFocused(row, false);
}

void QuestionListView::Select(int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    list_.SetSelectedAndFocused(row, true);
    list_.EnsureVisible(row);
    SetFocus(list_.Handle());
}

int32_t QuestionListView::ChangedKey(const NMLISTVIEW& change) {
    return change.iItem < 0 ? -1 : static_cast<int32_t>(change.lParam);
}

void QuestionListView::ShowDetails(const TestSession& session, bool details) {
    if (!details && order_ != RowOrder::ByKeyword) PutInOrder(session, RowOrder::ByKeyword);
    list_.ShowReport(details);
    if (details) FitColumns();
    const int selected = list_.SelectedRow();
    if (selected >= 0) list_.EnsureVisible(selected);
}

void QuestionListView::SortByColumn(const TestSession& session, int column) {
    PutInOrder(session, column == kMissedColumn ? RowOrder::ByMisses : RowOrder::ByKeyword);
}

bool QuestionListView::SetMissedCell(const TestSession& session, int row, int32_t key) {
    if (row < 0) return false;
    std::string text = session.MissedText(key);
    char shown[16] = {};
    list_.GetItemText(row, kMissedColumn, shown, sizeof shown);
    if (text == shown) return false;
    list_.SetItemText(row, kMissedColumn, text);
    return true;
}

int32_t QuestionListView::KeyAt(int row) const {
    LPARAM key = 0;
    if (!list_.GetItemParameter(row, key)) return -1;
    return static_cast<int32_t>(key);
}

// The rows are in order already: the first row that goes after key, by halving.
int QuestionListView::OrderedRow(const TestSession& session, int32_t key) const {
    RowComparison comparison{session, order_};
    int first = 0;
    int last = list_.ItemCount();
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
    const int count = list_.ItemCount();
    for (int row = 0; row < count; ++row) {
        const int32_t key = KeyAt(row);
        if (session.Misses(key) > 0) SetMissedCell(session, row, key);
    }
}

void QuestionListView::PutInOrder(const TestSession& session, RowOrder order) {
    order_ = order;
    list_.SetSortOnInsert(order == RowOrder::ByKeyword);
    RowComparison comparison{session, order};
    list_.SortItems(CompareRows, reinterpret_cast<LPARAM>(&comparison));
}

void QuestionListView::FitColumns() {
    RECT client = {};
    GetClientRect(list_.Handle(), &client);
    const int keywordWidth = client.right - client.left - missedColumnWidth_ - GetSystemMetrics(SM_CXVSCROLL);
    list_.SetColumnWidth(0, keywordWidth > missedColumnWidth_ ? keywordWidth : missedColumnWidth_);
}

bool QuestionListView::ShowsDetails() const {
    return list_.ShowsReport();
}

int QuestionListView::FindRow(int32_t key) const {
    return list_.FindParameter(key);
}

}  // namespace qb
