#include "install/install_paths.h"

namespace qb {

std::string SuggestedDestination(const std::string& windowsDirectory, const std::string& productName) {
    return windowsDirectory.substr(0, 2) + '\\' + productName;
}

bool IsRefusedDestination(const std::string& destination) {
    std::string stem = destination;
    while (!stem.empty() && (stem.back() == '\\' || stem.back() == '/')) stem.pop_back();
    if (stem.empty()) return true;
    return stem.size() == 2 && stem[1] == ':';
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
