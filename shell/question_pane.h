// The Test pane: keyword label, question row and answer rows. Clicks on its
// markers reveal and judge the answers.
#pragma once
#include <windows.h>

namespace qb {

LRESULT CALLBACK TestPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qb
