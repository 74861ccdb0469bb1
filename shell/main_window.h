// The main window: its state, its window classes and its creation. All other
// windows of the program reach the state through MainWindowFrom.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <string>

#include "common/failure_guard.h"
#include "common/scoped_handles.h"
#include "document/document.h"
#include "document/journal.h"
#include "editor/question_dialog.h"
#include "settings/settings_text.h"
#include "shell/display_scale.h"
#include "shell/practice_state.h"

namespace qb {

// Program-wide values taken at start-up.
struct ProgramContext {
    HINSTANCE module = nullptr;
    std::string programDir;  // from "DataPath", without a trailing backslash
    RECT mainRect = {};      // from "WindowPosMain"
    int maxWidth = 0;        // size of a maximised window
    int maxHeight = 0;
    DisplayScale scale;                // the display's resolution, for the layout in pixels
    bool pathFromCommandLine = false;  // one-shot: Open takes testPath without asking
    // A journal left behind that could be neither kept in a test nor moved
    // aside stays held here, so that no Open empties it.
    LeftJournal leftJournal;
};

constexpr int kAnswerRows = 5;

// The Test pane's children.
struct TestPaneControls {
    HWND questionMarker = nullptr;
    HWND answerMarkers[kAnswerRows] = {};
    HWND questionBox = nullptr;
    HWND answerBoxes[kAnswerRows] = {};
    HWND keywordLabel = nullptr;
};

struct MainWindow {
    ProgramContext* program = nullptr;
    HINSTANCE module = nullptr;
    HWND window = nullptr;
    HMENU menu = nullptr;
    HWND statusBar = nullptr;
    HWND toolbar = nullptr;
    HWND questionList = nullptr;
    HWND testPane = nullptr;
    HWND textPane = nullptr;
    HWND richText = nullptr;
    HWND picturePane = nullptr;
    TestPaneControls pane;
    ScopedIcon questionMarkerIcon;
    ScopedIcon answerMarkerIcon;

    LOGFONTA questionLogFont = {};
    ScopedGdiObject questionFont;
    CHOOSEFONTA fontDialog = {};
    CHARFORMATA defaultCharFormat = {};

    // Shared by New, Open and Save as; the file name buffer mirrors testPath.
    OPENFILENAMEA fileDialog = {};
    std::string fileFilter;
    char fileName[MAX_PATH] = {};

    // The open test and the practising of it.
    TestDocument document;
    TestRunState run;
    // The question dialogs' keyword, attachment slots and file dialog settings.
    QuestionEditorState editor;

    // The answer to the toolbar's tooltip requests must outlive the request.
    char tooltipText[256] = {};
    wchar_t tooltipTextWide[256] = {};
};

// Class names of the four window classes.
extern const char kMainClass[];
extern const char kPictureClass[];
extern const char kTextClass[];
extern const char kTestClass[];

// Registers the four classes. False when one cannot be registered.
bool RegisterWindowClasses(HINSTANCE module);

// Creates the main window at the stored rectangle; nullptr when its creation failed.
HWND CreateMainWindow(ProgramContext& program, MainWindow& state);

// The state of a main window (or nullptr before creation).
MainWindow* MainWindowFrom(HWND mainWindow);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// What the main window and its panes do when a handler fails: show the
// failure over the main window; a failed WM_CREATE fails the creation.
LRESULT ReportWindowFailure(MainWindow& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            FailureKind kind);

// Creation of the children, called from the main window's creation.
bool CreateStatusBar(MainWindow& state);
bool CreateToolbar(MainWindow& state);
bool CreateQuestionList(MainWindow& state);
bool CreateTestPane(MainWindow& state);
bool CreateTextPane(MainWindow& state);
bool CreatePicturePane(MainWindow& state);
void CreateQuestionFont(MainWindow& state);
void CreateTestPaneControls(MainWindow& state);
void PrepareFileDialog(MainWindow& state);
// The logical-font record and its stored form.
FontRecord ToFontRecord(const LOGFONTA& font);
LOGFONTA ToLogFont(const FontRecord& record);
// Gives the keyword label and the six boxes the question font.
void ApplyQuestionFont(MainWindow& state);

}  // namespace qb
