// The registry routines shared by the main program and Install. Keys:
// HKEY_CURRENT_USER "Software\Tolvexia\<product>" for the per-user values and
// HKEY_LOCAL_MACHINE "Software\Tolvexia\<product>\<version>" as the installed
// marker. Registry failures are never reported: a value that cannot be read
// counts as missing, a write that fails does nothing.
#pragma once
#include <windows.h>

#include <string>

#include "settings/settings_store.h"

namespace qb {

// Open-or-create of the machine-wide marker key. True if no key had to be created.
bool MarkInstalled();

// The program directory and "WindowPosMain" (see ReadStartupValues). True if both were present.
bool ReadStartupSettings(const std::string& startDirectory, Directory& programDir, RECT& mainRect);

// Reads the value, or writes value's current text when missing. True if present.
bool ReadOrInitUserValue(const char* valueName, std::string& value);

bool WriteUserValue(const char* valueName, const std::string& text);

// A switched choice (see ReadSwitchValue); reading creates nothing.
bool ReadUserSwitch(const char* valueName);
bool WriteUserSwitch(const char* valueName, bool on);
bool WriteWindowRect(const char* valueName, const RECT& rect);

// How a window's place is stored: the main window by its two corners, the
// panes by their corner and size.
enum class StoredPlaceForm { Corners, CornerAndSize };

// Where the user left the window, unless it is minimised or maximised.
void StoreWindowPlace(HWND window, const char* valueName, StoredPlaceForm form);

// Opens the per-user key without creating it. 1 if the value was read; a value
// longer than 23 characters counts as missing.
bool ReadWindowRect(const char* valueName, RECT& rect);

// The stored form of a rectangle, and back.
StoredRect ToStoredRect(const RECT& rect);
RECT ToRect(const StoredRect& stored);

}  // namespace qb
