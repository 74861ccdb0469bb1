// First versions of the panes' window procedures: the Text pane keeps its
// rich-text control filling it and stores its place; the Test and Bild panes
// have only the default handling until the question display and the picture
// display replace this file.
#include "shell/panes.h"

#include "settings/settings_registry.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"

namespace qb {
namespace {

void StorePanePlace(HWND pane, const char* valueName) {
    if (IsIconic(pane) || IsZoomed(pane)) return;
    RECT rect;
    GetWindowRect(pane, &rect);
    RECT place = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    WriteWindowRect(place, "Quorbelind", valueName);
}

}  // namespace

LRESULT CALLBACK TestPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK TextPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, IDC_RICH_TEXT), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        StorePanePlace(window, kValueWinPosText);
        return 0;
    case WM_MOVE:
        StorePanePlace(window, kValueWinPosText);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK PicturePaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
    case WM_MOVE:
        StorePanePlace(window, kValueWinPosBild);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void RelayoutTestPane(MainWindow& state) {
    (void)state;
}

}  // namespace qb
