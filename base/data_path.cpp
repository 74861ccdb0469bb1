#include "base/data_path.h"

namespace qb {

namespace {

bool HasText(const std::optional<std::string>& value) {
    return value && !value->empty();
}

}  // namespace

std::optional<Directory> ProgramDirectoryFromDataPath(const std::string& dataPath, DriveRoot driveRoot) {
    const Directory directory(dataPath);
    if (directory.Empty() || (driveRoot == DriveRoot::Refused && directory.IsDriveRoot())) return std::nullopt;
    return directory;
}

std::optional<Directory> ReadProgramDirectory(DataPathValues& values, DataPathLookup lookup, DriveRoot driveRoot) {
    std::optional<std::string> dataPath = values.CurrentUser();
    if (!HasText(dataPath) && lookup == DataPathLookup::CurrentUserThenDefaultUser) dataPath = values.DefaultUser();
    if (!HasText(dataPath)) return std::nullopt;
    return ProgramDirectoryFromDataPath(*dataPath, driveRoot);
}

}  // namespace qb
