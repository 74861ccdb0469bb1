#include "install/system_keys.h"

namespace qb {

std::optional<std::string> PickDataPath(const std::optional<std::string>& currentUser,
                                        const std::optional<std::string>& defaultUser) {
    if (currentUser && !currentUser->empty()) return currentUser;
    if (defaultUser && !defaultUser->empty()) return defaultUser;
    return std::nullopt;
}

}  // namespace qb
