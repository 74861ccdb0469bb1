// New, Open, Close, Save and Save as, and the save prompt that guards giving
// up a modified test.
#include "shell/file_commands.h"

#include "common/scoped_handles.h"
#include "document/record.h"
#include "shell/main_window.h"
#include "shell/question_list_view.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"
#include "shell/startup_core.h"

namespace qb {
namespace {

const UINT kInformation = MB_OK | MB_ICONINFORMATION;
const UINT kExclamation = MB_OK | MB_ICONEXCLAMATION;

// Shows a message of the document core; captionId is used for the file error.
void ShowDocumentMessage(HWND owner, DocumentMessage message, UINT fileErrorCaption) {
    switch (message) {
    case DocumentMessage::None: break;
    case DocumentMessage::OtherVersion: ShowMessage(owner, IDS_VERSION_REFUSED, IDS_ATTENTION, kInformation); break;
    case DocumentMessage::FileAccess: ShowMessage(owner, IDS_FILE_ERROR, fileErrorCaption, kExclamation); break;
    case DocumentMessage::NoMemory: ShowNoMemory(owner); break;
    case DocumentMessage::NoTestOpened: ShowMessage(owner, IDS_NO_TEST_OPENED, IDS_ATTENTION, kInformation); break;
    case DocumentMessage::NoQuestions: ShowMessage(owner, IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION, kInformation); break;
    }
}

class MessageBoxReporter : public DocumentReporter {
public:
    explicit MessageBoxReporter(HWND owner) : owner_(owner) {}
    void Report(DocumentMessage message) override { ShowDocumentMessage(owner_, message, IDS_ERROR_CAPTION); }
private:
    HWND owner_;
};

// The shared file dialog on testPath; true when a name was chosen.
bool ChooseTestPath(MainWindow& state, UINT titleId, bool open) {
    const std::string title = LoadText(titleId);
    const std::string proposed = FitPathBuffer(state.document.testPath);
    lstrcpynA(state.fileName, proposed.c_str(), sizeof state.fileName);
    OPENFILENAMEA dialog = state.fileDialog;
    dialog.hwndOwner = state.window;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = open ? (OFN_EXPLORER | OFN_FILEMUSTEXIST) : (OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT);
    BOOL chosen = open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) return false;
    state.document.testPath = state.fileName;
    return true;
}

// SaveTest with its messages; true when the test was saved.
bool SaveWithMessages(MainWindow& state) {
    DocumentMessage result = SaveTest(state.document);
    ShowDocumentMessage(state.window, result, IDS_SAVE_CAPTION);
    return result == DocumentMessage::None;
}

// The prompt of New, Open and Close: false when the user cancelled. The
// command goes on after a failed save.
bool PromptBeforeNewDocument(MainWindow& state) {
    if (!state.document.modified) return true;
    int answer = AskToSave(state.window);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES) SaveWithMessages(state);
    return true;
}

void ShowCounters(const MainWindow& state) {
    UpdateCounters(state.statusBar, state.run.askedCount, state.run.correctCount, state.run.remainingCount);
}

void HideTestPaneControls(MainWindow& state) {
    ShowWindow(state.pane.questionMarker, SW_HIDE);
    ShowWindow(state.pane.questionBox, SW_HIDE);
    ShowWindow(state.pane.keywordLabel, SW_HIDE);
    for (int k = 0; k < kAnswerRows; ++k) {
        ShowWindow(state.pane.answerMarkers[k], SW_HIDE);
        ShowWindow(state.pane.answerBoxes[k], SW_HIDE);
    }
    // The displayed question belonged to the test given up.
    state.run.rowCount = 0;
    state.run.heldAnswer.reset();
}

// Everything of the previous test is gone: index, files, list, selection.
void ForgetTest(MainWindow& state) {
    ResetDocument(state.document);
    state.run.ForgetQuestions(0);
    ListViewQuestionList(state.questionList).DeleteAllItems();
    HideTestPaneControls(state);
    SetDocumentTitle(state, "");
    DisableDocumentCommands(state);
}

void EnableOpenedTestCommands(const MainWindow& state) {
    EnableDocumentCommands(state);
    SetCommandEnabled(state, IDM_TEST_ASK, state.document.questionCount > 0);
    SetCommandEnabled(state, IDM_TEST_RESET_ALL, state.run.remainingCount < state.document.questionCount);
}

std::string JournalPath(const MainWindow& state) {
    return JournalPathFor(state.program->programDir);
}

// Open's path: the one from the command line, once, or the open dialog's.
bool TakeOpenPath(MainWindow& state) {
    if (state.program->pathFromCommandLine) {
        state.program->pathFromCommandLine = false;
        if (!state.document.testPath.empty()) return true;
        // The command line did not fit the path buffer.
        ShowMessage(state.window, IDS_FILE_ERROR, IDS_ERROR_CAPTION, kExclamation);
        return false;
    }
    return ChooseTestPath(state, IDS_OPEN_TEST_TITLE, true);
}

void SaveUnderTestPath(MainWindow& state) {
    if (!state.document.IsOpen() || state.document.journalPath.empty()) {
        ShowMessage(state.window, IDS_NO_TEST_OPENED, IDS_SAVE_CAPTION, kInformation);
        return;
    }
    if (state.document.head == nullptr) {
        ShowMessage(state.window, IDS_NO_QUESTIONS_TO_SAVE, IDS_SAVE_CAPTION, kInformation);
        return;
    }
    if (state.document.testPath.empty() && !ChooseTestPath(state, IDS_SAVE_AS_TITLE, false)) return;
    {
        WaitCursor wait;
        SetStatusTextId(state, 0, IDS_BUSY_SAVING);
        SaveWithMessages(state);
        SetDocumentTitle(state, state.document.testPath);
    }
    ShowCounters(state);
}

}  // namespace

int AskToSave(HWND owner) {
    return ShowMessage(owner, IDS_ASK_TO_SAVE, IDS_ATTENTION, MB_YESNOCANCEL | MB_ICONQUESTION);
}

bool MayGiveUpTest(MainWindow& state) {
    if (!state.document.modified) return true;
    int answer = AskToSave(state.window);
    if (answer == IDCANCEL) return false;
    if (answer == IDYES) return SaveWithMessages(state);
    return true;
}

void OnFileNew(MainWindow& state) {
    if (!PromptBeforeNewDocument(state)) return;
    const bool hadTest = state.document.IsOpen();
    ForgetTest(state);
    if (!ChooseTestPath(state, IDS_NEW_TEST_TITLE, false)) {
        if (hadTest) ShowCounters(state);
        return;
    }
    DocumentMessage result = CreateTest(state.document, state.document.testPath, JournalPath(state));
    if (result == DocumentMessage::None) {
        EnableDocumentCommands(state);
        SetDocumentTitle(state, state.document.testPath);
    } else {
        ShowDocumentMessage(state.window, result, IDS_ERROR_CAPTION);
    }
    if (hadTest || result == DocumentMessage::None) ShowCounters(state);
}

void OnFileOpen(MainWindow& state) {
    if (!PromptBeforeNewDocument(state)) return;
    {
        WaitCursor wait;
        SetStatusTextId(state, 0, IDS_BUSY_OPENING);
        ForgetTest(state);
        if (TakeOpenPath(state)) {
            ListViewQuestionList list(state.questionList);
            MessageBoxReporter reporter(state.window);
            int32_t remaining = 0;
            DocumentMessage result = OpenTest(state.document, state.document.testPath, JournalPath(state), list,
                                              reporter, remaining);
            state.run.ForgetQuestions(remaining);
            if (result == DocumentMessage::None) {
                EnableOpenedTestCommands(state);
                SetDocumentTitle(state, state.document.testPath);
            } else {
                ShowDocumentMessage(state.window, result, IDS_ERROR_CAPTION);
            }
        }
    }
    ShowCounters(state);
}

void OnFileClose(MainWindow& state) {
    if (!PromptBeforeNewDocument(state)) return;
    {
        WaitCursor wait;
        SetStatusTextId(state, 0, IDS_BUSY_CLOSING);
        CloseTest(state.document);
        ForgetTest(state);
    }
    // With no test open the status bar looks as it did at start-up.
    SetStatusTextId(state, 0, IDS_STARTUP_HINT);
    SetStatusTextId(state, 1, IDS_HELP_HINT);
    SetStatusText(state, 2, "");
}

void OnFileSave(MainWindow& state) {
    SaveUnderTestPath(state);
}

void OnFileSaveAs(MainWindow& state) {
    state.document.testPath.clear();
    SaveUnderTestPath(state);
}

}  // namespace qb
