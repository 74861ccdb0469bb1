#include "shell/practice.h"

#include <commctrl.h>

#include "shell/main_window.h"
#include "shell/question_display.h"
#include "shell/question_list_view.h"
#include "shell/random_source.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"

namespace qb {
namespace {

UINT MessageText(RunMessage message) {
    switch (message) {
    case RunMessage::NoQuestionAvailable: return IDS_NO_QUESTION_AVAILABLE;
    case RunMessage::DisplayFailed: return IDS_DISPLAY_FAILED;
    case RunMessage::NoQuestionDisplayed: return IDS_NO_QUESTION_DISPLAYED;
    case RunMessage::AllAnswered: return IDS_ALL_ANSWERED;
    }
    return IDS_NO_QUESTION_AVAILABLE;
}

UINT BusyTextId(BusyText text) {
    switch (text) {
    case BusyText::Question: return IDS_BUSY_QUESTION;
    case BusyText::Answer: return IDS_BUSY_ANSWER;
    case BusyText::Resetting: return IDS_BUSY_RESETTING;
    }
    return IDS_BUSY_QUESTION;
}

int ItemImage(HWND list, int item) {
    LVITEMA entry = {};
    entry.mask = LVIF_IMAGE;
    entry.iItem = item;
    if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry))) return -1;
    return entry.iImage;
}

}  // namespace

int CommandId(RunCommand command) {
    switch (command) {
    case RunCommand::Ask: return IDM_TEST_ASK;
    case RunCommand::ShowAnswer: return IDM_TEST_SHOW_ANSWER;
    case RunCommand::MarkAnswered: return IDM_TEST_MARK_ANSWERED;
    case RunCommand::ResetQuestion: return IDM_TEST_RESET;
    case RunCommand::ResetAll: return IDM_TEST_RESET_ALL;
    case RunCommand::EditQuestion: return IDM_QUESTION_EDIT;
    case RunCommand::RemoveQuestion: return IDM_QUESTION_REMOVE;
    }
    return 0;
}

void WindowTestRunView::ShowMessage(RunMessage message) {
    qb::ShowMessage(state_.window, MessageText(message), IDS_ATTENTION, MB_OK | MB_ICONINFORMATION);
}

void WindowTestRunView::EnableCommand(RunCommand command, bool enabled) {
    SetCommandEnabled(state_, CommandId(command), enabled);
}

void WindowTestRunView::BeginBusy(BusyText text) {
    waitCursor_ = std::make_unique<WaitCursor>();
    SetStatusTextId(state_, 0, BusyTextId(text));
}

void WindowTestRunView::EndBusy() {
    waitCursor_.reset();
}

void WindowTestRunView::UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) {
    qb::UpdateCounters(state_.statusBar, asked, correct, remaining);
}

void WindowTestRunView::ChangeListImage(int32_t key, int delta) {
    const int item = FindItemByKey(state_.questionList, key);
    if (item < 0) return;
    LVITEMA entry = {};
    entry.mask = LVIF_IMAGE;
    entry.iItem = item;
    entry.iImage = ItemImage(state_.questionList, item) + delta;
    SendMessageA(state_.questionList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
}

void WindowTestRunView::ClearForQuestion() {
    qb::ClearForQuestion(state_);
}

bool WindowTestRunView::DisplayQuestion(QuestionNode* node) {
    return qb::DisplayQuestion(state_, node);
}

void WindowTestRunView::RevealAnswer(const std::string& answer) {
    qb::RevealAnswer(state_, answer);
}

void WindowTestRunView::ShowAttachedText(const std::string& storedName) {
    qb::ShowAttachedText(state_, storedName);
}

void WindowTestRunView::ShowAttachedPicture(const std::string& storedName) {
    qb::ShowAttachedPicture(state_, storedName);
}

bool WindowTestRunView::ListItemHasSelection(int32_t item) {
    const LRESULT flags =
        SendMessageA(state_.questionList, LVM_GETITEMSTATE, static_cast<WPARAM>(item), LVIS_SELECTED | LVIS_FOCUSED);
    return flags != 0;
}

void WindowTestRunView::ClearListItemState(int32_t item) {
    LVITEMA entry = {};
    entry.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    entry.state = 0;
    SendMessageA(state_.questionList, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&entry));
}

void OnAskQuestion(MainWindow& state) {
    WindowTestRunView view(state);
    RuntimeRandom random;
    AskQuestion(state.run, state.document, random, view);
}

void OnShowAnswer(MainWindow& state) {
    WindowTestRunView view(state);
    ShowAnswer(state.run, view);
}

void OnMarkAnswered(MainWindow& state) {
    WindowTestRunView view(state);
    MarkAsAnswered(state.run, state.document, view);
}

void OnResetQuestion(MainWindow& state) {
    WindowTestRunView view(state);
    ResetQuestion(state.run, state.document, view);
}

void OnResetAllQuestions(MainWindow& state) {
    WindowTestRunView view(state);
    ResetAllQuestions(state.run, state.document, view);
}

}  // namespace qb
