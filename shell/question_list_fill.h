// The document's QuestionList over the main window's sorted list view.
//
// The list view sorts by itself: each item it is given is compared with the
// items already there, one by one, so a test of thousands of questions would
// take minutes to list. While a fill runs (Open), items are appended unsorted
// and put in order once at its end, in the order the list's own inserts
// would have given them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "document/document.h"

namespace qb {

// A question's list item: the keyword, image 0 to 3 and the key as parameter.
LVITEMA QuestionListItem(int position, const std::string& keyword, int image, int key);

class ListViewQuestionList : public QuestionList {
public:
    explicit ListViewQuestionList(HWND list) : list_(list) {}
    ~ListViewQuestionList() override { EndFill(); }
    ListViewQuestionList(const ListViewQuestionList&) = delete;
    ListViewQuestionList& operator=(const ListViewQuestionList&) = delete;

    void DeleteAllItems() override;
    bool InsertItem(const std::string& keyword, int image, int key) override;

    // Items inserted from now on are appended; EndFill sorts them all.
    void BeginFill();
    // Sorts what the fill inserted and gives the list its sorting back.
    // Nothing happens when no fill runs.
    void EndFill();

private:
    bool AppendItem(const std::string& keyword, int image, int key);

    HWND list_;
    bool filling_ = false;
    LONG_PTR sortStyle_ = 0;
    // The keywords of the items the fill inserted, by key, for the sort.
    std::vector<std::string> fillKeywords_;
    size_t filledCount_ = 0;
};

}  // namespace qb
