// Registry keys the system writes outside its program directory.
#pragma once
#include "base/product_names.h"

namespace qb {

constexpr const char* kTestFileExtension = ".tvt";
// The file class of test files is named after the product.
constexpr const char* kFileClassName = kProductName;
constexpr const char* kUninstallListPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace qb
