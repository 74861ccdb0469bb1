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

// Open-or-create of the machine-wide marker key. 1 if no key had to be created.
int MarkInstalled(const char* product, const char* version);

// "DataPath" and "WindowPosMain" (see ReadStartupValues). 1 if both were present.
int ReadStartupSettings(const char* product, std::string& programDir, RECT& mainRect);

// Reads the value, or writes value's current text when missing. 1 if present.
int ReadOrInitUserValue(const char* product, const char* valueName, std::string& value);

// 1 on success.
int WriteUserValue(const char* product, const char* valueName, const std::string& text);
int WriteWindowRect(const RECT& rect, const char* product, const char* valueName);

// Opens the per-user key without creating it. 1 if the value was read; a value
// longer than 23 characters counts as missing.
int ReadWindowRect(RECT& rect, const char* product, const char* valueName);

// The stored form of a rectangle, and back.
StoredRect ToStoredRect(const RECT& rect);
RECT ToRect(const StoredRect& stored);

}  // namespace qb
