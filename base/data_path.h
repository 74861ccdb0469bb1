// The program directory as every program finds it: the DataPath value setup
// stores for the user.
#pragma once
#include <optional>
#include <string>

#include "base/paths.h"

namespace qb {

// Whether a drive root alone ("C:", "C:\", "\") may serve as the program directory.
enum class DriveRoot {
    Accepted,
    // Where files are removed: the patterns of the user-file groups would
    // reach far beyond the program.
    Refused,
};

// Where a program looks for the DataPath value.
enum class DataPathLookup {
    CurrentUser,
    // Setup may have written it through the default user's hive, which is
    // the current user on a system without user profiles.
    CurrentUserThenDefaultUser,
};

// The DataPath values a program can see; nothing for a value that is
// missing, unreadable or longer than a path.
class DataPathValues {
public:
    virtual ~DataPathValues() = default;
    virtual std::optional<std::string> CurrentUser() = 0;
    virtual std::optional<std::string> DefaultUser() = 0;
};

// The directory a DataPath value names. Nothing when no directory is left,
// or a drive root that is refused.
std::optional<Directory> ProgramDirectoryFromDataPath(const std::string& dataPath, DriveRoot driveRoot);

// The program directory: the current user's value or, where the lookup
// allows, the default user's when the current user has none. An empty value
// counts as missing.
std::optional<Directory> ReadProgramDirectory(DataPathValues& values, DataPathLookup lookup, DriveRoot driveRoot);

}  // namespace qb
