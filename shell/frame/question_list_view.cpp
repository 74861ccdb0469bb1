#include "shell/frame/question_list_view.h"

#include "common/scoped_handles.h"
#include "shell/resource_ids.h"

#include <climits>
#include <new>

namespace qb {

namespace {

bool InsertListItem(HWND list, int position, const std::string& keyword, int image, int key) {
    LVITEMA item = QuestionListItem(position, keyword, image, key);
    return SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) >= 0;
}

// The list's own order: a new item goes before the first item whose text is
// not below its own, so of equal texts the later inserted comes first.
int CALLBACK CompareFilledItems(LPARAM firstKey, LPARAM secondKey, LPARAM keywordsByKey) {
    const auto& keywords = *reinterpret_cast<const std::vector<std::string>*>(keywordsByKey);
    const auto keywordOf = [&keywords](LPARAM key) {
        return key >= 0 && static_cast<size_t>(key) < keywords.size() ? keywords[static_cast<size_t>(key)].c_str() : "";
    };
    const int order = lstrcmpA(keywordOf(firstKey), keywordOf(secondKey));
    if (order != 0) return order;
    return firstKey > secondKey ? -1 : (firstKey < secondKey ? 1 : 0);
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
    fillKeywords_.clear();
    filledCount_ = 0;
}

bool ListViewQuestionList::InsertItem(const std::string& keyword, int image, int key) {
    if (filling_) return AppendItem(keyword, image, key);
    // The list sorts by text; the position asked for is only a hint.
    return InsertListItem(list_, 0, keyword, image, key);
}

bool ListViewQuestionList::AppendItem(const std::string& keyword, int image, int key) {
    if (key < 0) return false;
    try {
        const size_t slot = static_cast<size_t>(key);
        if (slot >= fillKeywords_.size()) fillKeywords_.resize(slot + 1);
        fillKeywords_[slot] = keyword;
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!InsertListItem(list_, INT_MAX, keyword, image, key)) return false;
    ++filledCount_;
    return true;
}

void ListViewQuestionList::BeginFill() {
    if (filling_) return;
    fillKeywords_.clear();
    const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    sortStyle_ = style & LVS_SORTASCENDING;
    if (sortStyle_) SetWindowLongPtrA(list_, GWL_STYLE, style & ~sortStyle_);
    filling_ = true;
}

void ListViewQuestionList::EndFill() {
    if (!filling_) return;
    filling_ = false;
    if (!sortStyle_) {
        fillKeywords_.clear();
        return;
    }
    // Only a list that holds nothing but the fill's items is sorted by their keywords.
    const LRESULT count = SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0);
    if (count > 1 && static_cast<size_t>(count) == filledCount_)
        SendMessageA(list_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&fillKeywords_),
                     reinterpret_cast<LPARAM>(&CompareFilledItems));
    SetWindowLongPtrA(list_, GWL_STYLE, GetWindowLongPtrA(list_, GWL_STYLE) | sortStyle_);
    fillKeywords_.clear();
    fillKeywords_.shrink_to_fit();
}

}  // namespace qb

namespace qb {

bool QuestionListView::Create(HWND parent, HINSTANCE module) {
    list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_LIST | LVS_SINGLESEL | LVS_SORTASCENDING,
                            0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_QUESTION_LIST)),
                            module, nullptr);
    if (!list_) return false;
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR4, 4, 4);
    for (int id = IDB_LIST_SINGLE; id <= IDB_LIST_MULTI_ANSWERED; ++id) {
        ScopedGdiObject bitmap(LoadBitmapA(module, MAKEINTRESOURCEA(id)));
        ImageList_Add(images, static_cast<HBITMAP>(bitmap.get()), nullptr);
    }
    // The list view destroys its image list with itself.
    SendMessageA(list_, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
    return true;
}

void QuestionListView::Move(int x, int y, int width, int height) {
    MoveWindow(list_, x, y, width, height, TRUE);
}

void QuestionListView::Refill(const TestSession& session) {
    // The list is filled item by item; it lays itself out once at the end.
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    {
        ListViewQuestionList fill(list_);
        fill.DeleteAllItems();
        fill.BeginFill();
        for (const QuestionNode* node = session.Document().head; node != nullptr; node = node->next)
            fill.InsertItem(session.Keyword(node->key), session.RowImage(node->key), node->key);
        fill.EndFill();
    }
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void QuestionListView::Add(const TestSession& session, int32_t key) {
    ListViewQuestionList(list_).InsertItem(session.Keyword(key), session.RowImage(key), key);
}

void QuestionListView::Update(const TestSession& session, int32_t key) {
    const int row = FindRow(key);
    if (row < 0) return;
    const std::string keyword = session.Keyword(key);
    LVITEMA entry = QuestionListItem(row, keyword, session.RowImage(key), key);
    SendMessageA(list_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
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

int32_t QuestionListView::ChangedKey(const NMLISTVIEW& change) {
    return change.iItem < 0 ? -1 : static_cast<int32_t>(change.lParam);
}

int QuestionListView::FindRow(int32_t key) const {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = key;
    return static_cast<int>(
        SendMessageA(list_, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

}  // namespace qb
