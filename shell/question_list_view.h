// The question list control: the tracking of the selected item. The list's
// QuestionList is in question_list_fill.h.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "document/document.h"
#include "shell/question_list_fill.h"

namespace qb {

struct MainWindow;

// Item-changed notification of the question list: either the program's own
// deselection or the user's selection of an item.
void OnQuestionItemChanged(MainWindow& state, const NMLISTVIEW& change);

// Clears the list selection as the program's own deselection.
void DeselectOwnItem(MainWindow& state);

// Position of the item whose parameter is key, -1 when there is none.
int FindItemByKey(HWND list, int key);

}  // namespace qb
