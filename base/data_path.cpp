#include "base/data_path.h"

#include "base/paths.h"

namespace qb {

std::optional<std::string> ProgramDirectoryFromDataPath(const std::string& dataPath, DriveRoot driveRoot) {
    std::string directory = DropTrailingBackslash(dataPath);
    if (directory.empty() || (driveRoot == DriveRoot::Refused && IsDriveRoot(directory))) return std::nullopt;
    return directory;
}

std::optional<std::string> PickDataPath(const std::optional<std::string>& currentUser,
                                        const std::optional<std::string>& defaultUser) {
    if (currentUser && !currentUser->empty()) return currentUser;
    if (defaultUser && !defaultUser->empty()) return defaultUser;
    return std::nullopt;
}

}  // namespace qb
