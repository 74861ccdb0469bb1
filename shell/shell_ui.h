// Small routines every part of the main program uses: string-table messages,
// switching commands in the menu and on the toolbar together, status-bar texts
// and the counters.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "common/failure_guard.h"

namespace qb {

struct MainWindow;

// Loads text and caption from the string table, sounds the style's system
// sound and shows the box. Returns the button pressed.
int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT style);
// "... no memory available !", "An error occured ...", warning icon.
void ShowNoMemory(HWND owner);
// The same for a lack of memory, the file error for any other failure.
void ShowFailure(HWND owner, FailureKind kind);

// A string-table text of the main program (at most 255 characters).
std::string LoadText(UINT id);

// Enables or grays the menu item and enables or disables the toolbar button.
void SetCommandEnabled(const MainWindow& state, int command, bool enabled);

// Close, Save, Save as, New Question, Edit and Remove Question and the five
// test commands off.
void DisableDocumentCommands(const MainWindow& state);
// Close, Save, Save as and New Question on.
void EnableDocumentCommands(const MainWindow& state);

// Text of status-bar part 0, 1 or 2.
void SetStatusText(const MainWindow& state, int part, const std::string& text);
void SetStatusTextId(const MainWindow& state, int part, UINT textId);

// "Asked: n", "Correct: n (r %)", "Remaining: n" into the three parts.
void UpdateCounters(HWND statusBar, int32_t asked, int32_t correct, int32_t remaining);

// The window title: the program title alone, or with ": path".
void SetDocumentTitle(const MainWindow& state, const std::string& path);

// The screen's resolution in dots per inch, as the system scales for it.
int ScreenDpi();

// A window's place (left, top, width, height, as the panes' rectangles are
// stored) that lies on no monitor, moved onto the nearest monitor's work
// area; any other place unchanged.
RECT PlaceOnAMonitor(const RECT& place);

}  // namespace qb
