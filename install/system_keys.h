// Registry keys the system writes outside its program directory.
#pragma once
#include <optional>
#include <string>

#include "base/product_names.h"

namespace qb {

constexpr const char* kTestFileExtension = ".tvt";
// The file class of test files is named after the product.
constexpr const char* kFileClassName = kProductName;
constexpr const char* kUninstallListPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// The DataPath to use: the current user's value, or the default user's when
// the current user has none. An empty value counts as missing.
std::optional<std::string> PickDataPath(const std::optional<std::string>& currentUser,
                                        const std::optional<std::string>& defaultUser);

}  // namespace qb
