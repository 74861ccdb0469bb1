// The entries the system leaves outside its program directory: file
// association, uninstall entry and shortcuts, and their removal. Shared by
// Install and Uninstall. Nothing here reports to the user: a registry call or
// shortcut that fails is passed over.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "system/system_names.h"

namespace qb {

// dir is the program directory.
void AssociateTestFiles(const Directory& dir, const SystemNames& names);
void AddUninstallEntry(const Directory& dir, const SystemNames& names);
// folder is a CSIDL value; COM must be initialised on the thread.
void CreateShortcut(const Directory& dir, int folder, const SystemNames& names);

void RemoveSystemEntries(const SystemNames& names);
void RemoveShortcuts(const SystemNames& names);

// The path of a shell folder, or nothing when the shell cannot supply one.
std::optional<std::string> SpecialFolderPath(int folder);

// Whether anything matches a path or pattern.
bool AnythingMatches(const std::string& pathOrPattern);

// One delete request of the shell's file operation for one path or pattern.
void ShellDelete(const std::string& pathOrPattern, unsigned flags);

}  // namespace qb
