#include "shell/question_list_fill.h"

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
