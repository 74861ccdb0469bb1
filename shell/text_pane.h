// The Text pane: a tool window whose rich-text control shows the attached
// text of the displayed question or answer.
#pragma once
#include <windows.h>

namespace qb {

LRESULT CALLBACK TextPaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qb
