// The question list filled for Open (run under Wine by run.sh): the items a
// fill appends and sorts once must stand exactly where the list view's own
// sorted inserts put them, text and key, and the list must sort new items
// itself again afterwards.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "shell/frame/question_list_view.h"
#include "tests/wine/wine_check.h"

namespace {

struct ListItem {
    std::string text;
    LPARAM key;
    int image;
};

HWND CreateSortedList(HWND parent) {
    return CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_LIST | LVS_SINGLESEL | LVS_SORTASCENDING, 0, 0, 300, 200,
                           parent, nullptr, GetModuleHandleA(nullptr), nullptr);
}

std::vector<ListItem> ItemsOf(HWND list) {
    std::vector<ListItem> items;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int position = 0; position < count; ++position) {
        char text[64] = {};
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
        item.iItem = position;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        items.push_back({text, item.lParam, item.iImage});
    }
    return items;
}

bool SameItems(const std::vector<ListItem>& expected, const std::vector<ListItem>& actual) {
    if (expected.size() != actual.size()) {
        std::printf("  %u items expected, %u found\n", static_cast<unsigned>(expected.size()),
                    static_cast<unsigned>(actual.size()));
        return false;
    }
    for (size_t k = 0; k < expected.size(); ++k) {
        const ListItem& e = expected[k];
        const ListItem& a = actual[k];
        if (e.text != a.text || e.key != a.key || e.image != a.image) {
            std::printf("  position %u: expected \"%s\" key %ld image %d, found \"%s\" key %ld image %d\n",
                        static_cast<unsigned>(k), e.text.c_str(), static_cast<long>(e.key), e.image, a.text.c_str(),
                        static_cast<long>(a.key), a.image);
            return false;
        }
    }
    return true;
}

// Keywords as authors write them: cases, blanks, digits, punctuation, letters
// outside ASCII (Windows-1252), repeats, an empty one, twenty characters.
std::vector<std::string> AuthorKeywords() {
    return {"Zebra",        "apple",      "Apple",     "Moon", "moon",
            "Moon",         "10 Planets", "9 Planets", "",     "\xC4pfel",
            "Aepfel",       "\xE9t\xE9",  "Ete",       "a-b",  "ab",
            "a b",          "_under",     "(Mars)",    "Mars", "12345678901234567890",
            "Zebra",        "zebra",      "Z",         "\xDF", "ss",
            "Moon landing", "MOON"};
}

// Many generated keywords, with repeats, in an order that is not sorted.
std::vector<std::string> GeneratedKeywords(int count) {
    std::vector<std::string> keywords;
    unsigned state = 12345;
    const char* const words[] = {"Star", "star", "Comet", "Orbit", "orbit", "Nebula", "Pulsar", "Quasar"};
    for (int k = 0; k < count; ++k) {
        state = state * 1103515245u + 12345u;
        const unsigned pick = (state >> 16) % 8;
        const unsigned number = (state >> 8) % 97;
        keywords.push_back(std::string(words[pick]) + " " + std::to_string(number));
    }
    return keywords;
}

// The same keywords once inserted one by one into a sorted list, once filled:
// both lists must agree position by position. Both lists may first hold rows
// the list sorted itself (an import into an open test), one of them renamed
// afterwards, which leaves it out of order as an edited keyword does.
void CheckFillMatchesSortedInserts(HWND parent, const std::vector<std::string>& keywords,
                                   const std::vector<std::string>& rowsBefore = {}) {
    HWND sorted = CreateSortedList(parent);
    HWND filled = CreateSortedList(parent);
    qb::ListViewQuestionList byItself(sorted);
    qb::ListViewQuestionList byFill(filled);
    const int firstKey = 1000;
    for (size_t k = 0; k < rowsBefore.size(); ++k) {
        byItself.InsertItem(rowsBefore[k], 0, firstKey + static_cast<int>(k));
        byFill.InsertItem(rowsBefore[k], 0, firstKey + static_cast<int>(k));
    }
    if (!rowsBefore.empty()) {
        char renamed[] = "Renamed";
        LVITEMA rename = {};
        rename.pszText = renamed;
        SendMessageA(sorted, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&rename));
        SendMessageA(filled, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&rename));
    }
    bool allInserted = true;
    for (size_t k = 0; k < keywords.size(); ++k)
        allInserted = byItself.InsertItem(keywords[k], static_cast<int>(k % 4), static_cast<int>(k)) && allInserted;
    byFill.BeginFill();
    for (size_t k = 0; k < keywords.size(); ++k)
        allInserted = byFill.InsertItem(keywords[k], static_cast<int>(k % 4), static_cast<int>(k)) && allInserted;
    byFill.EndFill();
    CHECK(allInserted);
    CHECK(SameItems(ItemsOf(sorted), ItemsOf(filled)));
    CHECK((GetWindowLongPtrA(filled, GWL_STYLE) & LVS_SORTASCENDING) != 0);

    // After the fill the list sorts what it is given on its own again.
    const int nextKey = static_cast<int>(keywords.size());
    CHECK(byItself.InsertItem("Moon", 1, nextKey) && byFill.InsertItem("Moon", 1, nextKey));
    CHECK(byItself.InsertItem("aardvark", 0, nextKey + 1) && byFill.InsertItem("aardvark", 0, nextKey + 1));
    CHECK(SameItems(ItemsOf(sorted), ItemsOf(filled)));
    DestroyWindow(sorted);
    DestroyWindow(filled);
}

// Open empties the list and may refill it while the fill runs (a test that
// failed to open, then another one): only the second test's items remain, sorted.
void CheckFillAfterEmptying(HWND parent) {
    HWND list = CreateSortedList(parent);
    qb::ListViewQuestionList questions(list);
    questions.BeginFill();
    questions.InsertItem("Old one", 0, 0);
    questions.InsertItem("Old two", 0, 1);
    questions.DeleteAllItems();
    questions.InsertItem("Zebra", 0, 0);
    questions.InsertItem("Apple", 1, 1);
    questions.InsertItem("Moon", 2, 2);
    questions.EndFill();
    CHECK(SameItems({{"Apple", 1, 1}, {"Moon", 2, 2}, {"Zebra", 0, 0}}, ItemsOf(list)));
    DestroyWindow(list);
}

// A fill that ends with items in the list it did not insert leaves their order
// alone instead of sorting them by keywords it does not know.
void CheckForeignItemsKeepTheirOrder(HWND parent) {
    HWND list = CreateSortedList(parent);
    qb::ListViewQuestionList questions(list);
    questions.InsertItem("Moon", 0, 7);
    questions.InsertItem("Apple", 0, 8);
    questions.BeginFill();
    questions.EndFill();
    CHECK(SameItems({{"Apple", 8, 0}, {"Moon", 7, 0}}, ItemsOf(list)));
    CHECK((GetWindowLongPtrA(list, GWL_STYLE) & LVS_SORTASCENDING) != 0);
    DestroyWindow(list);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    HWND parent = CreateWindowExA(0, "STATIC", "list fill test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CHECK(parent != nullptr);

    CheckFillMatchesSortedInserts(parent, {"Zebra", "Apple", "Moon"});
    CheckFillMatchesSortedInserts(parent, AuthorKeywords());
    CheckFillMatchesSortedInserts(parent, GeneratedKeywords(600));
    CheckFillMatchesSortedInserts(parent, AuthorKeywords(), {"Moon", "apple", "Zulu", "Ete", "moon"});
    CheckFillMatchesSortedInserts(parent, GeneratedKeywords(300), GeneratedKeywords(40));
    CheckFillAfterEmptying(parent);
    CheckForeignItemsKeepTheirOrder(parent);

    DestroyWindow(parent);
    return wine_check::Finish();
}
