// The main window: the frame's handles and views, the session they show, and
// the routing of the window's messages. All other windows of the program
// reach this state through the pointer handed in at their creation.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "common/failure_guard.h"
#include "document/journal.h"
#include "shell/frame/question_font.h"
#include "shell/frame/question_list_view.h"
#include "shell/frame/status_bar_view.h"
#include "shell/panes/practice_pane.h"
#include "shell/panes/text_pane.h"
#include "shell/session/display_scale.h"
#include "shell/session/random_source.h"
#include "shell/session/session.h"

namespace qb {

class WindowFrameView;
class FrameObserver;

// Program-wide values taken at start-up.
struct ProgramContext {
    HINSTANCE module = nullptr;
    Directory programDir;    // from "DataPath"
    RECT mainRect = {};      // from "WindowPosMain"
    int maxWidth = 0;        // size of a maximised window
    int maxHeight = 0;
    DisplayScale scale;  // the display's resolution, for the layout in pixels
    // A journal left behind that could be neither kept in a test nor moved
    // aside stays held here, so that no Open empties it.
    LeftJournal leftJournal;
};

struct MainWindow {
    MainWindow();
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    ProgramContext* program = nullptr;
    HINSTANCE module = nullptr;
    HWND window = nullptr;
    HMENU menu = nullptr;
    HWND toolbar = nullptr;
    StatusBarView statusBar;
    QuestionListView questionList;
    TestPaneView testPane;
    TextPane textPane;
    HWND picturePane = nullptr;
    QuestionFont questionFont;

    RuntimeRandom random;
    std::unique_ptr<TestSession> session;
    std::unique_ptr<WindowFrameView> frameView;
    std::unique_ptr<FrameObserver> observer;
    int runningCommands = 0;  // commands under way; their states are applied when they end

    // The answer to the toolbar's tooltip requests must outlive the request.
    char tooltipText[256] = {};
    wchar_t tooltipTextWide[256] = {};
};

// Class name of the main window's class.
extern const char kMainClass[];

// Registers the main window's class and the three panes' classes. False when one cannot be registered.
bool RegisterWindowClasses(HINSTANCE module);

// Creates the main window at the stored rectangle; nullptr when its creation failed.
HWND CreateMainWindow(ProgramContext& program, MainWindow& state);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Creation of the children, called from the main window's creation.
bool CreateChildren(MainWindow& state);

// Every menu item and toolbar button enabled or grayed as the command table
// says for the session now. The one place that switches commands.
void ApplyCommandStates(const MainWindow& state);

// Opens the test named at start-up (the command line or a recovered journal).
void OpenTestAtStart(MainWindow& state, const std::string& path);

}  // namespace qb
