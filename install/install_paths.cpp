#include "install/install_paths.h"

#include "base/paths.h"

namespace qb {

std::string SuggestedDestination(const std::string& windowsDirectory, const std::string& productName) {
    return windowsDirectory.substr(0, 2) + '\\' + productName;
}

bool IsRefusedDestination(const std::string& destination) {
    return IsDriveRoot(destination);
}

}  // namespace qb
