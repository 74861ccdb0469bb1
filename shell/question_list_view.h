// The question list control: the document's QuestionList over the list view,
// and the tracking of the selected item.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "document/test_document.h"

namespace qb {

struct MainWindow;

class ListViewQuestionList : public QuestionList {
public:
    explicit ListViewQuestionList(HWND list) : list_(list) {}
    void DeleteAllItems() override;
    bool InsertItem(const std::string& keyword, int image, int key) override;

private:
    HWND list_;
};

// Item-changed notification of the question list: either the program's own
// deselection or the user's selection of an item.
void OnQuestionItemChanged(MainWindow& state, const NMLISTVIEW& change);

// Clears the list selection as the program's own deselection.
void DeselectOwnItem(MainWindow& state);

// Position of the item whose parameter is key, -1 when there is none.
int FindItemByKey(HWND list, int key);

}  // namespace qb
