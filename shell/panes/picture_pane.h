// The Bild pane: a tool window showing the picture of the displayed question
// (or of its answer) at its natural size, centred or scrollable.
#pragma once
#include <windows.h>

#include <string>

namespace qb {

// Class name of the pane's window class.
extern const char kPictureClass[];

// The tool window at place (corner and size); nullptr when it cannot be created.
HWND CreatePicturePane(HINSTANCE module, const RECT& place);

LRESULT CALLBACK PicturePaneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the pane's picture by the bitmap file at path (1, 4, 8 or 24 bits
// per pixel). A file that is missing or no bitmap leaves the pane empty.
void LoadPicture(HWND picturePane, const std::string& path);

// Drops the picture; the pane shows its background. The scroll bars stay
// until the next lay-out or size change.
void ReleasePicture(HWND picturePane);

}  // namespace qb
