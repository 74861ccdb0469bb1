// New Question, Edit Question and Remove Question on the main window: the
// decisions of question_changes.h carried out with its list view, menu,
// toolbar, status bar and the question dialog.
#include "shell/question_changes_window.h"

#include <cstdio>

#include "editor/question_dialog.h"
#include "shell/main_window.h"
#include "shell/question_changes.h"
#include "shell/question_list_view.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"

namespace qb {

namespace {

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

class MainWindowChangesView final : public QuestionChangesView {
public:
    explicit MainWindowChangesView(MainWindow& state) : state_(state) {}

    void EnableCommand(RunCommand command, bool enabled) override {
        SetCommandEnabled(state_, CommandId(command), enabled);
    }
    void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) override {
        qb::UpdateCounters(state_.statusBar, asked, correct, remaining);
    }
    void ClearOwnSelection() override { DeselectOwnItem(state_); }

    void ShowChangeMessage(ChangeMessage message) override {
        UINT text = message == ChangeMessage::NotPossibleNow ? IDS_NOT_POSSIBLE_NOW : IDS_NEED_OPEN_TEST;
        ShowMessage(state_.window, text, IDS_DEFINE_QUESTION_CAPTION, MB_OK | MB_ICONINFORMATION);
    }
    void ShowNoMemory() override { qb::ShowNoMemory(state_.window); }

    int RunQuestionDialog(EditorMode mode, std::string& keyword) override {
        QuestionDialogData data;
        data.mode = mode;
        data.module = state_.module;
        data.programDirectory = state_.program->programDir;
        data.document = &state_.document;
        data.editor = &state_.editor;
        int result = qb::RunQuestionDialog(state_.window, data);
        if (result != 0) keyword = state_.editor.keyword;
        return result;
    }

    std::string ListItemText(int32_t item) override {
        char text[kMaxKeywordLength + 1] = {};
        LVITEMA request = {};
        request.iSubItem = 0;
        request.pszText = text;
        request.cchTextMax = sizeof(text);
        SendMessageA(state_.questionList, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&request));
        return text;
    }

    bool ConfirmRemoval(const std::string& keyword) override {
        std::string caption = LoadText(IDS_DELETE_CAPTION) + ": " + keyword;
        MessageBeep(MB_ICONQUESTION);
        return MessageBoxA(state_.window, LoadText(IDS_CONFIRM_DELETE).c_str(), caption.c_str(),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

    bool InsertListItem(const std::string& keyword, int image, int32_t key) override {
        return ListViewQuestionList(state_.questionList).InsertItem(keyword, image, key);
    }

    void SetListItem(int32_t item, const std::string& keyword, int image, int32_t key) override {
        LVITEMA entry = QuestionListItem(item, keyword, image, key);
        SendMessageA(state_.questionList, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&entry));
    }

    void DeleteListItem(int32_t item) override {
        SendMessageA(state_.questionList, LVM_DELETEITEM, static_cast<WPARAM>(item), 0);
    }

private:
    MainWindow& state_;
};

}  // namespace

void OnNewQuestion(MainWindow& state) {
    MainWindowChangesView view(state);
    NewQuestion(state.document, state.run, view);
}

void OnEditQuestion(MainWindow& state) {
    MainWindowChangesView view(state);
    EditQuestion(state.document, state.run, view);
}

void OnRemoveQuestion(MainWindow& state) {
    MainWindowChangesView view(state);
    RemoveQuestion(state.document, state.run, view);
}

}  // namespace qb
