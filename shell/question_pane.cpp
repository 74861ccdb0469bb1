#include "shell/question_pane.h"

#include <string>
#include <vector>

#include "common/scoped_handles.h"
#include "common/window.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/shell_ui.h"
#include "shell/practice_core.h"

namespace qb {
namespace {

std::string WholeText(HWND box) {
    const int length = GetWindowTextLengthA(box);
    std::vector<char> text(static_cast<size_t>(length) + 1);
    const int got = GetWindowTextA(box, text.data(), length + 1);
    return std::string(text.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

// Not stored: the marker's next repaint restores it, a second inversion undoes it.
void InvertMarker(HWND marker) {
    RECT rect;
    if (!GetClientRect(marker, &rect)) return;
    ScopedWindowDc dc(marker);
    if (dc.get() != nullptr) InvertRect(dc.get(), &rect);
}

void SendCommand(HWND mainWindow, int command) {
    SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void OnMarkerClicked(MainWindow& state, int controlId) {
    const int index = controlId == IDC_QUESTION_MARKER ? -1 : controlId - IDC_ANSWER_MARKER_FIRST;
    const std::string text = index < 0 ? std::string() : WholeText(state.pane.answerBoxes[index]);
    switch (JudgeMarkerClick(state.run, index, text)) {
    case MarkerClick::Ignored: break;
    case MarkerClick::ShowAnswer: SendCommand(state.window, IDM_TEST_SHOW_ANSWER); break;
    case MarkerClick::RightAnswer:
        MessageBeep(MB_OK);
        SendCommand(state.window, IDM_TEST_SHOW_ANSWER);
        SendCommand(state.window, IDM_TEST_MARK_ANSWERED);
        break;
    case MarkerClick::WrongAnswer:
        InvertMarker(state.pane.answerMarkers[index]);
        MessageBeep(MB_ICONQUESTION);
        break;
    }
}

bool IsMarker(int id) {
    return id >= IDC_QUESTION_MARKER && id <= IDC_ANSWER_MARKER_LAST;
}

void OnCommand(MainWindow& state, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) == STN_CLICKED && IsMarker(id)) OnMarkerClicked(state, id);
}

// The pane's state is the main window's, handed in at creation.
LRESULT Dispatch(MainWindow& state, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(state, wParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK TestPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<MainWindow, Dispatch, ReportWindowFailure>(window, message, wParam, lParam);
}

}  // namespace qb
