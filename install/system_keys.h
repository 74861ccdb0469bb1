// Registry keys the system writes outside its program directory.
#pragma once
#include <optional>
#include <string>

namespace qb {

constexpr const char* kVendorKeyPath = "Software\\Tolvexia";
constexpr const char* kProductKeyName = "Quorbelind";
constexpr const char* kMarkerKeyPath = "Software\\Tolvexia\\Quorbelind\\V1.00";
constexpr const char* kUserKeyPath = "Software\\Tolvexia\\Quorbelind";
// The same per-user key reached through the default user's hive.
constexpr const char* kDefaultUserVendorPath = ".Default\\Software\\Tolvexia";
constexpr const char* kDefaultUserKeyPath = ".Default\\Software\\Tolvexia\\Quorbelind";
constexpr const char* kDataPathValue = "DataPath";
constexpr const char* kTestFileExtension = ".tvt";
constexpr const char* kFileClassName = "Quorbelind";
constexpr const char* kUninstallListPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
// Longest DataPath read back, terminating zero included.
constexpr unsigned kDataPathBufferSize = 260;

// The DataPath to use: the current user's value, or the default user's when
// the current user has none. An empty value counts as missing.
std::optional<std::string> PickDataPath(const std::optional<std::string>& currentUser,
                                        const std::optional<std::string>& defaultUser);

}  // namespace qb
