#include "creator/program_directory.h"

#include "base/path_limits.h"
#include "base/product_names.h"
#include "common/scoped_handles.h"
#include "creator/export_names.h"

namespace qb::creator {

namespace {

bool QueryString(HKEY key, const char* name, std::string& value) {
    char buffer[kPathBufferSize] = {};
    DWORD type = 0;
    DWORD size = sizeof buffer;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    // Stored strings need not carry their terminator.
    size_t length = 0;
    while (length < size && buffer[length] != '\0') ++length;
    value.assign(buffer, length);
    return true;
}

}  // namespace

bool ReadProgramDirectory(std::string& programDirectory) {
    ScopedRegKey vendor;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kVendorKeyPath, 0, KEY_READ, vendor.receive()) != ERROR_SUCCESS)
        return false;
    ScopedRegKey product;
    if (RegOpenKeyExA(vendor.get(), kProductName, 0, KEY_READ, product.receive()) != ERROR_SUCCESS) return false;
    std::string value;
    if (!QueryString(product.get(), kDataPathValue, value)) return false;
    return ProgramDirectoryFromValue(value, programDirectory);
}

}  // namespace qb::creator
