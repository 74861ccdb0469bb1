// Calls to the help engine (WinHelp), shared by the program and its dialogs.
#pragma once
#include <windows.h>
#include <string>

namespace qb {

// Asks the help engine to carry out command for the help file at path.
// The first call starts the engine when none runs; a call that finds the
// engine still starting is made once more, when its window has appeared.
bool CallHelpEngine(HWND owner, const std::string& path, UINT command, ULONG_PTR data);

}  // namespace qb
