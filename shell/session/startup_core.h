// Start-up and main-window rules that need no window: default rectangles,
// where the children go, the command line, the window title and which
// commands belong to the open document.
#pragma once
#include <cstddef>
#include <string>

#include "base/path_limits.h"
#include "shell/session/display_scale.h"
#include "settings/settings_text.h"

namespace qb {

// The main window's default: two corners, from the size of a maximised window.
StoredRect DefaultMainRect(int maxWidth, int maxHeight);
// The panes' defaults: corner and size, side by side under the main window.
StoredRect DefaultTextPaneRect(int maxWidth, int maxHeight);
StoredRect DefaultPicturePaneRect(int maxWidth, int maxHeight);

struct ChildPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Places in a main window of client width W and height H; the margins are
// those of 96 DPI, scaled for the display.
ChildPlace QuestionListPlace(int clientWidth, int clientHeight, const DisplayScale& scale);
ChildPlace TestPanePlace(int clientWidth, int clientHeight, const DisplayScale& scale);

// Right edges of the three status-bar parts; the last one reaches the edge.
struct StatusPartEdges {
    int edges[3];
};
StatusPartEdges StatusParts(int clientWidth);

// The test path given on the command line. One pair of enclosing quotation
// marks is removed, as shells quote paths with blanks. Returns false when
// the line is empty. A path that does not fit the 260-character buffer is
// not taken: path becomes empty, so the Open command reports a file error.
bool TakeCommandLinePath(const std::string& commandLine, std::string& path);

// The program title, a colon, a blank and the path; the title alone without a path.
std::string DocumentTitle(const std::string& programTitle, const std::string& path);

// The dialogs' path buffer keeps at most 259 characters.
std::string FitPathBuffer(const std::string& path);

// The filter of Export as web page's dialog, as pairs separated by zero
// characters and ending in two of them.
std::string WebPageFileFilter();
// The export dialog's filter: comma-separated or tab-separated tables.
std::string ExportTableFilter();
// The import dialog's filter: every kind of table.
std::string ImportTableFilter();

}  // namespace qb
