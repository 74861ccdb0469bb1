#include "shell/question_list_view.h"

#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"

namespace qb {

int FindItemByKey(HWND list, int key) {
    LVFINDINFOA find = {};
    find.flags = LVFI_PARAM;
    find.lParam = key;
    return static_cast<int>(
        SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

namespace {

int ItemImage(HWND list, int position) {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = position;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return item.iImage;
}

void TakeOwnDeselection(MainWindow& state) {
    state.document.selectedKey = -1;
    state.run.ownDeselectPending = false;
    SetCommandEnabled(state, IDM_QUESTION_EDIT, false);
    SetCommandEnabled(state, IDM_QUESTION_REMOVE, false);
}

}  // namespace

void OnQuestionItemChanged(MainWindow& state, const NMLISTVIEW& change) {
    if (state.run.ownDeselectPending) {
        TakeOwnDeselection(state);
        return;
    }
    // A change applied to all items names no item.
    if (change.iItem < 0) return;
    state.document.selectedKey = static_cast<int32_t>(change.lParam);
    state.document.selectedItem = change.iItem;
    const int image = ItemImage(state.questionList, change.iItem);
    SetCommandEnabled(state, IDM_TEST_RESET, image == 1 || image == 3);
    SetCommandEnabled(state, IDM_QUESTION_EDIT, true);
    SetCommandEnabled(state, IDM_QUESTION_REMOVE, true);
    SetCommandEnabled(state, IDM_TEST_SHOW_ANSWER, false);
    SetCommandEnabled(state, IDM_TEST_MARK_ANSWERED, false);
}

void DeselectOwnItem(MainWindow& state) {
    state.run.ownDeselectPending = true;
    if (state.document.selectedItem < 0) {
        TakeOwnDeselection(state);
        return;
    }
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(state.questionList, LVM_SETITEMSTATE, static_cast<WPARAM>(state.document.selectedItem),
                 reinterpret_cast<LPARAM>(&item));
    // The notification arrives nested in the call above. When nothing was
    // selected none comes; the flag must not then swallow the user's next
    // selection, so the deselection takes effect here.
    if (state.run.ownDeselectPending) TakeOwnDeselection(state);
}

}  // namespace qb
