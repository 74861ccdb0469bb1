#include "install/install_paths.h"

#include "base/paths.h"

namespace qb {

std::string SuggestedDestination(const std::string& windowsDirectory, const std::string& productName) {
    return Directory(windowsDirectory.substr(0, 2)).Join(productName).Text();
}

bool IsRefusedDestination(const std::string& destination) {
    return Directory(destination).IsDriveRoot();
}

}  // namespace qb
