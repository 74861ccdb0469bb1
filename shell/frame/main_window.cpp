// The main window procedure: routes each message to one handler.
#include "shell/frame/main_window.h"

#include <commctrl.h>

#include <cstdlib>

#include "base/document_names.h"
#include "base/product_names.h"
#include "common/window.h"
#include "settings/settings_registry.h"
#include "shell/frame/frame_observer.h"
#include "shell/frame/message_display.h"
#include "shell/frame/window_frame_view.h"
#include "shell/panes/picture_pane.h"
#include "shell/resource_ids.h"
#include "shell/session/command_table.h"
#include "shell/session/startup_core.h"

namespace qb {

const char kMainClass[] = "Quorbelind";

MainWindow::MainWindow() = default;
MainWindow::~MainWindow() = default;

namespace {

void StoreMainRect(const MainWindow& state) {
    StoreWindowPlace(state.window, kValueWindowPosMain, StoredPlaceForm::Corners);
}

bool OnCreate(MainWindow& state, HWND window, const CREATESTRUCTA& create) {
    state.window = window;
    state.module = create.hInstance;
    state.menu = GetMenu(window);
    srand(GetTickCount());
    const Directory& programDir = state.program->programDir;
    state.session = std::make_unique<TestSession>(programDir, JournalPathFor(programDir).Text(), state.random);
    state.frameView = std::make_unique<WindowFrameView>(state);
    state.observer = std::make_unique<FrameObserver>(state);
    state.session->SetObserver(state.observer.get());
    std::string missedFirst = ChoiceText(false);
    ReadOrInitUserValue(kValueMissedFirst, missedFirst);
    state.session->SetMissedFirst(IsChoiceOn(missedFirst));
    if (!CreateChildren(state)) return false;
    ApplyCommandStates(state);
    return true;
}

void OnSize(MainWindow& state, int width, int height) {
    state.statusBar.Resize(width);
    SendMessageA(state.toolbar, TB_AUTOSIZE, 0, 0);
    StoreMainRect(state);
    const DisplayScale& scale = state.program->scale;
    const ChildPlace list = QuestionListPlace(width, height, scale);
    state.questionList.Move(list.x, list.y, list.width, list.height);
    const ChildPlace pane = TestPanePlace(width, height, scale);
    state.testPane.Move(pane.x, pane.y, pane.width, pane.height);
    state.testPane.Relayout(state.session->Shown());
}

// Every command runs through the table; its states follow at its end.
void OnCommand(MainWindow& state, int id) {
    const MainCommand* command = FindMainCommand(id);
    if (command == nullptr) return;
    ++state.runningCommands;
    struct Ending {
        MainWindow& state;
        ~Ending() { --state.runningCommands; }
    } ending{state};
    command->run(*state.session, *state.frameView);
    ApplyCommandStates(state);
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

// The user's selection changes the commands at once; changes the program
// makes itself are applied when its command ends.
void OnQuestionItemChanged(MainWindow& state, const NMLISTVIEW& change) {
    state.session->TakeListChange(QuestionListView::ChangedKey(change));
    if (state.runningCommands == 0) ApplyCommandStates(state);
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
    if (header.idFrom == IDC_QUESTION_LIST && header.code == LVN_COLUMNCLICK) {
        state.questionList.SortByColumn(*state.session, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        return 0;
    }
    // Nothing is kept per row, so emptying the list needs no note of each row.
    if (header.idFrom == IDC_QUESTION_LIST && header.code == LVN_DELETEALLITEMS) return TRUE;
    return DefWindowProcA(window, WM_NOTIFY, wParam, lParam);
}

void OnClose(MainWindow& state) {
    if (state.session->MayGiveUpTest(*state.frameView)) DestroyWindow(state.window);
}

// The window stays; Windows is only told whether it may end the session.
LRESULT OnQueryEndSession(MainWindow& state) {
    return state.session->MayGiveUpTest(*state.frameView) ? TRUE : FALSE;
}

void OnDestroy(MainWindow& state) {
    // The panes are top-level windows and go first; the children go with us.
    state.textPane.Destroy();
    if (state.picturePane) DestroyWindow(state.picturePane);
    state.picturePane = nullptr;
    state.session->SetObserver(nullptr);
    state.session->EndProgram();
    PostQuitMessage(0);
}

LRESULT Dispatch(MainWindow& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(state, window, *reinterpret_cast<CREATESTRUCTA*>(lParam)) ? 0 : -1;
    case WM_SIZE: OnSize(state, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOVE: StoreMainRect(state); return 0;
    case WM_COMMAND: OnCommand(state, LOWORD(wParam)); return 0;
    case WM_INITMENUPOPUP: ApplyCommandStates(state); return 0;
    case WM_NOTIFY: return OnNotify(state, window, wParam, lParam);
    case WM_CLOSE: OnClose(state); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession(state);
    case WM_DESTROY: OnDestroy(state); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

namespace {

// The Undo item names the step it would take back.
void ApplyUndoText(const MainWindow& state) {
    const TestSession& session = *state.session;
    char text[64] = {};
    if (LoadStringA(state.module, static_cast<UINT>(session.UndoText()), text, sizeof text) > 0)
        ModifyMenuA(state.menu, IDM_EDIT_UNDO, MF_BYCOMMAND | MF_STRING | (session.CanUndo() ? MF_ENABLED : MF_GRAYED),
                    IDM_EDIT_UNDO, text);
}

}  // namespace

void ApplyCommandStates(const MainWindow& state) {
    if (!state.session) return;
    for (const MainCommand& command : kMainCommands) {
        const bool enabled = command.enabled(*state.session);
        const UINT id = static_cast<UINT>(command.id);
        EnableMenuItem(state.menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
        if (command.toolbarImage >= 0)
            SendMessageA(state.toolbar, TB_ENABLEBUTTON, id, MAKELPARAM(enabled ? TRUE : FALSE, 0));
    }
    for (const CheckedCommand& command : kCheckedCommands) {
        const bool checked = command.checked(*state.session);
        CheckMenuItem(state.menu, static_cast<UINT>(command.id), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    ApplyUndoText(state);
}

void OpenTestAtStart(MainWindow& state, const std::string& path) {
    CatchFailures(
        [&] {
            state.session->OpenTestAt(path, *state.frameView);
            ApplyCommandStates(state);
            return 0;
        },
        [&](FailureKind kind) {
            ShowFailure(state.window, kind);
            return 0;
        },
        0);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<MainWindow, Dispatch, ReportWindowFailure<MainWindow>>(window, message, wParam, lParam);
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
        windowClass.hIconSm =
            static_cast<HICON>(LoadImageA(module, MAKEINTRESOURCEA(IDI_PROGRAM_SMALL), IMAGE_ICON,
                                          GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
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
