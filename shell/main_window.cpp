// The main window procedure: routes each message to one handler.
#include "shell/main_window.h"

#include <cstdlib>

#include "base/product_names.h"
#include "common/window.h"
#include "distribution/program_files.h"
#include "settings/settings_registry.h"
#include "shell/about_dialog.h"
#include "shell/file_commands.h"
#include "shell/font_command.h"
#include "shell/picture_pane.h"
#include "shell/practice.h"
#include "shell/question_changes_window.h"
#include "shell/question_display.h"
#include "shell/question_list_view.h"
#include "shell/question_pane.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"
#include "shell/startup_core.h"
#include "shell/text_pane.h"

namespace qb {

const char kMainClass[] = "Quorbelind";
const char kPictureClass[] = "Bild";
const char kTextClass[] = "Text";
const char kTestClass[] = "Test";

namespace {

void StoreMainRect(const MainWindow& state) {
    if (IsIconic(state.window) || IsZoomed(state.window)) return;
    RECT rect;
    GetWindowRect(state.window, &rect);
    WriteWindowRect(kValueWindowPosMain, rect);
}

bool OnCreate(MainWindow& state, HWND window, const CREATESTRUCTA& create) {
    state.window = window;
    state.module = create.hInstance;
    state.menu = GetMenu(window);
    state.run.ForgetQuestions(0);
    srand(GetTickCount());
    if (!CreateStatusBar(state) || !CreateToolbar(state) || !CreateQuestionList(state) || !CreateTestPane(state) ||
        !CreateTextPane(state) || !CreatePicturePane(state)) {
        return false;
    }
    CreateQuestionFont(state);
    CreateTestPaneControls(state);
    PrepareFileDialog(state);
    return true;
}

void MoveChild(HWND child, const ChildPlace& place) {
    MoveWindow(child, place.x, place.y, place.width, place.height, TRUE);
}

void OnSize(MainWindow& state, int width, int height) {
    SendMessageA(state.statusBar, WM_SIZE, 0, 0);
    StatusPartEdges parts = StatusParts(width);
    SendMessageA(state.statusBar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts.edges));
    SendMessageA(state.toolbar, TB_AUTOSIZE, 0, 0);
    StoreMainRect(state);
    MoveChild(state.questionList, QuestionListPlace(width, height));
    MoveChild(state.testPane, TestPanePlace(width, height));
    if (state.run.rowCount != 0) RelayoutTestPane(state);
}

void OnHelp(const MainWindow& state) {
    const std::string path = ProgramFilePath(state.program->programDir, kHelpFile);
    WinHelpA(state.window, path.c_str(), HELP_CONTENTS, 0);
}

void OnCommand(MainWindow& state, int command) {
    switch (command) {
    case IDM_HELP: OnHelp(state); break;
    case IDM_ABOUT: RunAboutDialog(state.window); break;
    case IDM_EXIT: SendMessageA(state.window, WM_CLOSE, 0, 0); break;
    case IDM_FILE_NEW: OnFileNew(state); break;
    case IDM_FILE_OPEN: OnFileOpen(state); break;
    case IDM_FILE_CLOSE: OnFileClose(state); break;
    case IDM_FILE_SAVE: OnFileSave(state); break;
    case IDM_FILE_SAVE_AS: OnFileSaveAs(state); break;
    case IDM_QUESTION_NEW: OnNewQuestion(state); break;
    case IDM_QUESTION_EDIT: OnEditQuestion(state); break;
    case IDM_QUESTION_REMOVE: OnRemoveQuestion(state); break;
    case IDM_TEST_ASK: OnAskQuestion(state); break;
    case IDM_TEST_SHOW_ANSWER: OnShowAnswer(state); break;
    case IDM_TEST_MARK_ANSWERED: OnMarkAnswered(state); break;
    case IDM_TEST_RESET: OnResetQuestion(state); break;
    case IDM_TEST_RESET_ALL: OnResetAllQuestions(state); break;
    case IDM_FONT: OnChooseFont(state); break;
    default: break;
    }
}

// A tooltip's text is the string whose id is the button's command id.
void OnTooltipRequest(MainWindow& state, NMHDR& header) {
    UINT id = static_cast<UINT>(header.idFrom);
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        info.hinst = nullptr;
        if (LoadStringW(state.module, id, state.tooltipTextWide, 256) <= 0) state.tooltipTextWide[0] = L'\0';
        info.lpszText = state.tooltipTextWide;
    } else {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        info.hinst = nullptr;
        if (LoadStringA(state.module, id, state.tooltipText, 256) <= 0) state.tooltipText[0] = '\0';
        info.lpszText = state.tooltipText;
    }
}

LRESULT OnNotify(MainWindow& state, HWND window, WPARAM wParam, LPARAM lParam) {
    NMHDR& header = *reinterpret_cast<NMHDR*>(lParam);
    if (header.code == TTN_GETDISPINFOA || header.code == TTN_GETDISPINFOW) {
        OnTooltipRequest(state, header);
        return 0;
    }
    if (header.idFrom == IDC_QUESTION_LIST && header.code == LVN_ITEMCHANGED) {
        OnQuestionItemChanged(state, reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
    }
    return DefWindowProcA(window, WM_NOTIFY, wParam, lParam);
}

void OnClose(MainWindow& state) {
    if (MayGiveUpTest(state)) DestroyWindow(state.window);
}

// The window stays; Windows is only told whether it may end the session.
LRESULT OnQueryEndSession(MainWindow& state) {
    return MayGiveUpTest(state) ? TRUE : FALSE;
}

void OnDestroy(MainWindow& state) {
    // The panes are top-level windows and go first; the children go with us.
    if (state.textPane) DestroyWindow(state.textPane);
    if (state.picturePane) DestroyWindow(state.picturePane);
    state.textPane = state.picturePane = state.richText = nullptr;
    CloseTest(state.document);
    state.questionFont.reset();
    PostQuitMessage(0);
}

LRESULT Dispatch(MainWindow& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(state, window, *reinterpret_cast<CREATESTRUCTA*>(lParam)) ? 0 : -1;
    case WM_SIZE: OnSize(state, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOVE: StoreMainRect(state); return 0;
    case WM_COMMAND: OnCommand(state, LOWORD(wParam)); return 0;
    case WM_NOTIFY: return OnNotify(state, window, wParam, lParam);
    case WM_CLOSE: OnClose(state); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession(state);
    case WM_DESTROY: OnDestroy(state); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

MainWindow* MainWindowFrom(HWND mainWindow) {
    return WindowState<MainWindow>(mainWindow);
}

LRESULT ReportWindowFailure(MainWindow&, HWND window, UINT message, WPARAM, LPARAM, FailureKind kind) {
    ShowFailure(GetAncestor(window, GA_ROOT), kind);
    return message == WM_CREATE ? -1 : 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<MainWindow, Dispatch, ReportWindowFailure>(window, message, wParam, lParam);
}

bool RegisterWindowClasses(HINSTANCE module) {
    struct ClassInfo {
        const char* name;
        WNDPROC procedure;
        int background;
        const char* menu;
    };
    const ClassInfo classes[] = {
        {kMainClass, MainWindowProc, WHITE_BRUSH, MAIN_MENU_NAME},
        {kPictureClass, PicturePaneProc, WHITE_BRUSH, nullptr},
        {kTextClass, TextPaneProc, WHITE_BRUSH, nullptr},
        {kTestClass, TestPaneProc, LTGRAY_BRUSH, nullptr},
    };
    for (const ClassInfo& info : classes) {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = info.procedure;
        windowClass.hInstance = module;
        windowClass.hIcon = LoadIconA(module, MAKEINTRESOURCEA(IDI_PROGRAM));
        windowClass.hIconSm = LoadIconA(module, MAKEINTRESOURCEA(IDI_PROGRAM_SMALL));
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(info.background));
        windowClass.lpszMenuName = info.menu;
        windowClass.lpszClassName = info.name;
        if (!RegisterClassExA(&windowClass)) return false;
    }
    return true;
}

HWND CreateMainWindow(ProgramContext& program, MainWindow& state) {
    state.program = &program;
    const RECT& rect = program.mainRect;
    return CreateWindowExA(0, kMainClass, LoadText(IDS_PROGRAM_TITLE).c_str(), WS_OVERLAPPEDWINDOW, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, program.module, &state);
}

}  // namespace qb
