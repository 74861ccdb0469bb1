// Window procedures of the Test, Text and Bild panes (test_pane.cpp,
// text_pane.cpp, picture_pane.cpp), and the hook the main window calls when
// the Test pane has been resized (question_display.cpp).
#pragma once
#include <windows.h>

namespace qb {

struct MainWindow;

LRESULT CALLBACK TestPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TextPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PicturePaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Lays the rows of a displayed question out again (nothing when none is shown).
void RelayoutTestPane(MainWindow& state);

}  // namespace qb
