#include "install/install_paths.h"

#include "base/paths.h"

namespace qb {

std::string SuggestedDestination(const std::string& windowsDirectory, const std::string& productName) {
    return windowsDirectory.substr(0, 2) + '\\' + productName;
}

bool IsRefusedDestination(const std::string& destination) {
    return IsDriveRoot(destination);
}

std::string DefaultIconValue(const std::string& dir, const std::string& programFile) {
    return dir + programFile + ",-" + std::to_string(kDocumentIconId);
}

std::string OpenCommandValue(const std::string& dir, const std::string& programFile) {
    return dir + programFile + " %1";
}

std::string UninstallStringValue(const std::string& dir) {
    return dir + kUninstallProgramName;
}

std::string LinkFilePath(const std::string& folder, const std::string& linkName) {
    return WithTrailingBackslash(folder) + linkName;
}

}  // namespace qb
