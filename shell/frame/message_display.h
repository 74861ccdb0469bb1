// Showing what the session tells: one helper for every message of the main
// program, and the string-table texts of its windows.
#pragma once
#include <windows.h>

#include <string>

#include "common/failure_guard.h"
#include "message/message.h"

namespace qb {

// Loads text and caption from the string table, fills their placeholders,
// sounds the icon's system sound and shows the box. Returns the button pressed
// (Cancel when no box could be shown).
MessageAnswer ShowMessage(HWND owner, const Message& message);

// The lack of memory, or the file error for any other failure, captioned as
// errors are.
void ShowFailure(HWND owner, FailureKind kind);

// A string-table text of the main program (at most 255 characters).
std::string LoadText(UINT id);

// What a window of the main program does when a handler fails: show the
// failure over its top-level window; a failed WM_CREATE fails the creation.
template <typename State>
LRESULT ReportWindowFailure(State&, HWND window, UINT message, WPARAM, LPARAM, FailureKind kind) {
    ShowFailure(GetAncestor(window, GA_ROOT), kind);
    return message == WM_CREATE ? -1 : 0;
}

}  // namespace qb
