// The program directory as all four programs find it: the DataPath value
// setup stores for the user, a directory with its trailing backslash.
#pragma once
#include <optional>
#include <string>

namespace qb {

// Whether a drive root alone ("C:", "C:\", "\") may serve as the program directory.
enum class DriveRoot {
    Accepted,
    // Where files are removed: the patterns of the user-file groups would
    // reach far beyond the program.
    Refused,
};

// The directory a DataPath value names: the value without one trailing
// backslash. Nothing when no directory is left, or a drive root that is refused.
std::optional<std::string> ProgramDirectoryFromDataPath(const std::string& dataPath, DriveRoot driveRoot);

// The DataPath to use: the current user's value, or the default user's when
// the current user has none. An empty value counts as missing.
std::optional<std::string> PickDataPath(const std::optional<std::string>& currentUser,
                                        const std::optional<std::string>& defaultUser);

}  // namespace qb
