// The File commands' view on the main window: dialogs, message boxes, the
// list, the menu and toolbar, the title and the status bar.
#include "shell/file_commands.h"

#include <cstdio>
#include <memory>

#include "common/message_box.h"
#include "common/scoped_handles.h"
#include "document/record.h"
#include "shell/file_commands_core.h"
#include "shell/main_window.h"
#include "shell/question_list_view.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"
#include "shell/startup_core.h"

namespace qb {
namespace {

const UINT kInformation = MB_OK | MB_ICONINFORMATION;
const UINT kExclamation = MB_OK | MB_ICONEXCLAMATION;

void ShowDocumentMessageBox(HWND owner, DocumentMessage message, MessagePlace place) {
    const UINT fileErrorCaption = place == MessagePlace::Save ? IDS_SAVE_CAPTION : IDS_ERROR_CAPTION;
    switch (message) {
    case DocumentMessage::None: break;
    case DocumentMessage::OtherVersion: ShowMessage(owner, IDS_VERSION_REFUSED, IDS_ATTENTION, kInformation); break;
    case DocumentMessage::FileAccess: ShowMessage(owner, IDS_FILE_ERROR, fileErrorCaption, kExclamation); break;
    case DocumentMessage::NoMemory: ShowNoMemory(owner); break;
    case DocumentMessage::NoTestOpened: ShowMessage(owner, IDS_NO_TEST_OPENED, IDS_ATTENTION, kInformation); break;
    case DocumentMessage::NoQuestions:
        ShowMessage(owner, IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION, kInformation);
        break;
    }
}

// The full path with its long names (a short alias names the same file), or
// the path as it is when the system cannot resolve it.
std::string FullPathOf(const std::string& path) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return path;
    char longName[MAX_PATH];
    const DWORD longLength = GetLongPathNameA(full, longName, sizeof longName);
    return longLength == 0 || longLength >= sizeof longName ? full : longName;
}

class MessageBoxReporter : public DocumentReporter {
public:
    explicit MessageBoxReporter(HWND owner) : owner_(owner) {}
    void Report(DocumentMessage message) override { ShowDocumentMessageBox(owner_, message, MessagePlace::Command); }

private:
    HWND owner_;
};

class WindowFileView : public FileCommandsView {
public:
    explicit WindowFileView(MainWindow& state) : state_(state), list_(state.questionList), reporter_(state.window) {}

    PromptAnswer AskToSave() override {
        switch (ShowMessage(state_.window, IDS_ASK_TO_SAVE, IDS_ATTENTION, MB_YESNOCANCEL | MB_ICONQUESTION)) {
        case IDYES: return PromptAnswer::Yes;
        case IDNO: return PromptAnswer::No;
        default: return PromptAnswer::Cancel;
        }
    }

    bool ChoosePath(PathDialog kind, std::string& path) override {
        const UINT titleIds[] = {IDS_NEW_TEST_TITLE, IDS_OPEN_TEST_TITLE, IDS_SAVE_AS_TITLE};
        const std::string title = LoadText(titleIds[static_cast<int>(kind)]);
        const bool open = kind == PathDialog::Open;
        lstrcpynA(state_.fileName, FitPathBuffer(path).c_str(), sizeof state_.fileName);
        OPENFILENAMEA dialog = state_.fileDialog;
        dialog.hwndOwner = state_.window;
        dialog.lpstrTitle = title.c_str();
        dialog.Flags =
            open ? (OFN_EXPLORER | OFN_FILEMUSTEXIST) : (OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
        const bool chosen = (open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog)) != FALSE;
        // The filter the user picked stays picked for the next New, Open or Save as.
        state_.fileDialog.nFilterIndex = dialog.nFilterIndex;
        if (!chosen) return false;
        path = state_.fileName;
        return true;
    }

    void ShowDocumentMessage(DocumentMessage message, MessagePlace place) override {
        ShowDocumentMessageBox(state_.window, message, place);
    }
    void ShowSaveWithoutTest() override {
        ShowMessage(state_.window, IDS_NO_TEST_OPENED, IDS_SAVE_CAPTION, kInformation);
    }
    void BeginBusy(FileBusy busy) override {
        const UINT texts[] = {IDS_BUSY_OPENING, IDS_BUSY_CLOSING, IDS_BUSY_SAVING};
        wait_ = std::make_unique<WaitCursor>();
        SetStatusTextId(state_, 0, texts[static_cast<int>(busy)]);
        // The list is filled or emptied item by item; it lays itself out once at the end.
        SendMessageA(state_.questionList, WM_SETREDRAW, FALSE, 0);
        if (busy == FileBusy::Opening) list_.BeginFill();
    }
    void EndBusy() override {
        list_.EndFill();
        SendMessageA(state_.questionList, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(state_.questionList, nullptr, TRUE);
        wait_.reset();
    }
    QuestionList& List() override { return list_; }
    DocumentReporter& Reporter() override { return reporter_; }
    void HideDisplayedQuestion() override {
        const TestPaneControls& pane = state_.pane;
        ShowWindow(pane.questionMarker, SW_HIDE);
        ShowWindow(pane.questionBox, SW_HIDE);
        ShowWindow(pane.keywordLabel, SW_HIDE);
        for (int k = 0; k < kAnswerRows; ++k) {
            ShowWindow(pane.answerMarkers[k], SW_HIDE);
            ShowWindow(pane.answerBoxes[k], SW_HIDE);
        }
    }
    void SetTitle(const std::string& path) override { SetDocumentTitle(state_, path); }
    void DisableDocumentCommands() override { qb::DisableDocumentCommands(state_); }
    void EnableDocumentCommands() override { qb::EnableDocumentCommands(state_); }
    void EnableAsk(bool enabled) override { SetCommandEnabled(state_, IDM_TEST_ASK, enabled); }
    void EnableResetAll(bool enabled) override { SetCommandEnabled(state_, IDM_TEST_RESET_ALL, enabled); }
    void UpdateCounters(int32_t asked, int32_t correct, int32_t remaining) override {
        qb::UpdateCounters(state_.statusBar, asked, correct, remaining);
    }
    void ShowStartupHints() override {
        SetStatusTextId(state_, 0, IDS_STARTUP_HINT);
        SetStatusTextId(state_, 1, IDS_HELP_HINT);
        SetStatusText(state_, 2, "");
    }
    std::string FullPath(const std::string& path) override { return FullPathOf(path); }
    void ShowDamagedTest(int32_t questionsRead) override {
        char text[512];
        std::snprintf(text, sizeof text, LoadText(IDS_DAMAGED_TEST).c_str(), static_cast<int>(questionsRead));
        BeepAndShowMessage(state_.window, text, LoadText(IDS_ERROR_CAPTION), kExclamation);
    }
    void ShowDamagedFileKept() override {
        ShowMessage(state_.window, IDS_DAMAGED_FILE_KEPT, IDS_SAVE_CAPTION, kInformation);
    }

private:
    MainWindow& state_;
    ListViewQuestionList list_;
    MessageBoxReporter reporter_;
    std::unique_ptr<WaitCursor> wait_;
};

FileCommandContext ContextOf(MainWindow& state) {
    return FileCommandContext{state.document, state.run, JournalPathFor(state.program->programDir),
                              state.program->pathFromCommandLine};
}

}  // namespace

void OnFileNew(MainWindow& state) {
    FileCommandContext context = ContextOf(state);
    WindowFileView view(state);
    NewTestCommand(context, view);
}

void OnFileOpen(MainWindow& state) {
    FileCommandContext context = ContextOf(state);
    WindowFileView view(state);
    OpenTestCommand(context, view);
}

void OnFileClose(MainWindow& state) {
    FileCommandContext context = ContextOf(state);
    WindowFileView view(state);
    CloseTestCommand(context, view);
}

void OnFileSave(MainWindow& state) {
    FileCommandContext context = ContextOf(state);
    WindowFileView view(state);
    SaveTestCommand(context, view, false);
}

void OnFileSaveAs(MainWindow& state) {
    FileCommandContext context = ContextOf(state);
    WindowFileView view(state);
    SaveTestCommand(context, view, true);
}

bool MayGiveUpTest(MainWindow& state) {
    FileCommandContext context = ContextOf(state);
    WindowFileView view(state);
    return qb::MayGiveUpTest(context, view);
}

}  // namespace qb
