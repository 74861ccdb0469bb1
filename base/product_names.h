// The names the suite is known by in the registry and on disk. Every program
// reads and writes its keys through these, so the four cannot disagree.
#pragma once

namespace qb {

constexpr char kProductName[] = "Quorbelind";
constexpr char kVersionKeyName[] = "V1.00";
// The program title: the product name and its version.
constexpr char kProductTitle[] = "Quorbelind V1.00";

constexpr char kVendorKeyPath[] = "Software\\Tolvexia";
// The per-user key (below HKEY_CURRENT_USER) and the installed marker (below HKEY_LOCAL_MACHINE).
constexpr char kUserKeyPath[] = "Software\\Tolvexia\\Quorbelind";
constexpr char kMarkerKeyPath[] = "Software\\Tolvexia\\Quorbelind\\V1.00";
// The per-user key reached through the default user's hive (below HKEY_USERS).
constexpr char kDefaultUserVendorPath[] = ".Default\\Software\\Tolvexia";
constexpr char kDefaultUserKeyPath[] = ".Default\\Software\\Tolvexia\\Quorbelind";

// The per-user value holding the program directory (Directory::WithTrailingBackslash).
constexpr char kDataPathValue[] = "DataPath";

namespace product_names_detail {

constexpr bool Equal(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// True when path is parent, a backslash (or, for a title, a blank) and child.
constexpr bool Joins(const char* path, const char* parent, char separator, const char* child) {
    while (*parent != '\0' && *path == *parent) {
        ++path;
        ++parent;
    }
    return *parent == '\0' && *path == separator && Equal(path + 1, child);
}

}  // namespace product_names_detail

// The composed names are written out so they can be passed to the registry as
// they stand; these checks keep them built from the parts above.
static_assert(product_names_detail::Joins(kProductTitle, kProductName, ' ', kVersionKeyName));
static_assert(product_names_detail::Joins(kUserKeyPath, kVendorKeyPath, '\\', kProductName));
static_assert(product_names_detail::Joins(kMarkerKeyPath, kUserKeyPath, '\\', kVersionKeyName));
static_assert(product_names_detail::Joins(kDefaultUserVendorPath, ".Default", '\\', kVendorKeyPath));
static_assert(product_names_detail::Joins(kDefaultUserKeyPath, kDefaultUserVendorPath, '\\', kProductName));

}  // namespace qb
