#include "shell/text_pane.h"

#include "base/product_names.h"
#include "common/window.h"
#include "settings/settings_registry.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

// Where the user left the pane, unless it is minimised or maximised.
void StorePlace(HWND window) {
    if (IsIconic(window) || IsZoomed(window)) return;
    RECT rect;
    GetWindowRect(window, &rect);
    RECT place = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    WriteWindowRect(kValueWinPosText, place);
}

void OnSize(HWND window, int width, int height) {
    MoveWindow(GetDlgItem(window, IDC_RICH_TEXT), 0, 0, width, height, TRUE);
    StorePlace(window);
}

// The pane's state is the main window's, handed in at creation.
LRESULT Dispatch(MainWindow&, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: OnSize(window, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_MOVE: StorePlace(window); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK TextPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return GuardedWindowProc<MainWindow, Dispatch, ReportWindowFailure>(window, message, wParam, lParam);
}

}  // namespace qb
