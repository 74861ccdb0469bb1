// The registry routines of all four programs: keys opened for one call and
// closed with their owner, string and number values, and the program
// directory that setup stores as DataPath. Failures are results, never
// messages: a value that cannot be read is missing.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "base/data_path.h"
#include "common/scoped_handles.h"

namespace qb {

// An existing key, or an empty owner.
ScopedRegKey OpenKey(HKEY parent, const char* subKey, REGSAM access);
// Opens the key with full access or, failing that, creates it; created is
// set when it had to be made. An empty owner when neither works.
ScopedRegKey OpenOrCreateKey(HKEY parent, const char* subKey, bool* created = nullptr);

// Deletes subKey of parent with everything beneath it. True when it is gone.
bool DeleteKeyTree(HKEY parent, const char* subKey);

// A REG_SZ (or REG_EXPAND_SZ) value of an open key, up to its first zero.
// Missing when it does not fit capacity bytes with its terminating zero.
std::optional<std::string> ReadStringValue(HKEY key, const char* name, size_t capacity);
// The same from a key opened for reading only.
std::optional<std::string> ReadStringValue(HKEY root, const char* keyPath, const char* name, size_t capacity);
// Stored as REG_SZ with its terminating zero; name nullptr is the key's default value.
bool WriteStringValue(HKEY key, const char* name, const std::string& text);

// The DataPath values in the registry: the current user's key and the
// default user's key below HKEY_USERS.
class RegistryDataPathValues final : public DataPathValues {
public:
    std::optional<std::string> CurrentUser() override;
    std::optional<std::string> DefaultUser() override;
};

// The program directory as Creator, Install and Uninstall read it (see
// ReadProgramDirectory of base/data_path.h).
std::optional<Directory> ReadProgramDirectory(DataPathLookup lookup, DriveRoot driveRoot);

}  // namespace qb
