#include "common/registry.h"

#include "base/path_limits.h"
#include "base/product_names.h"

namespace qb {

ScopedRegKey OpenKey(HKEY parent, const char* subKey, REGSAM access) {
    ScopedRegKey key;
    if (parent == nullptr || RegOpenKeyExA(parent, subKey, 0, access, key.receive()) != ERROR_SUCCESS) key.reset();
    return key;
}

ScopedRegKey OpenOrCreateKey(HKEY parent, const char* subKey, bool* created) {
    ScopedRegKey key = OpenKey(parent, subKey, KEY_ALL_ACCESS);
    if (key || parent == nullptr) return key;
    if (created) *created = true;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.receive(),
                        &disposition) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

bool DeleteKeyTree(HKEY parent, const char* subKey) {
    ScopedRegKey key = OpenKey(parent, subKey, KEY_ALL_ACCESS);
    if (!key) return false;
    // Deleting shifts the indices, so always take the first child.
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        if (!DeleteKeyTree(key.get(), child)) return false;
        length = sizeof child;
    }
    key.reset();
    return RegDeleteKeyA(parent, subKey) == ERROR_SUCCESS;
}

std::optional<std::string> ReadStringValue(HKEY key, const char* name, size_t capacity) {
    if (key == nullptr) return std::nullopt;
    std::string buffer(capacity, '\0');
    DWORD size = static_cast<DWORD>(capacity);
    DWORD type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // The stored size counts the terminating zero when there is one.
    buffer.resize(size);
    const size_t end = buffer.find('\0');
    if (end != std::string::npos) buffer.resize(end);
    if (buffer.size() + 1 > capacity) return std::nullopt;
    return buffer;
}

std::optional<std::string> ReadStringValue(HKEY root, const char* keyPath, const char* name, size_t capacity) {
    return ReadStringValue(OpenKey(root, keyPath, KEY_READ).get(), name, capacity);
}

bool WriteStringValue(HKEY key, const char* name, const std::string& text) {
    return key != nullptr && RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::optional<std::string> RegistryDataPathValues::CurrentUser() {
    return ReadStringValue(HKEY_CURRENT_USER, kUserKeyPath, kDataPathValue, kPathBufferSize);
}

std::optional<std::string> RegistryDataPathValues::DefaultUser() {
    return ReadStringValue(HKEY_USERS, kDefaultUserKeyPath, kDataPathValue, kPathBufferSize);
}

std::optional<Directory> ReadProgramDirectory(DataPathLookup lookup, DriveRoot driveRoot) {
    RegistryDataPathValues values;
    return ReadProgramDirectory(values, lookup, driveRoot);
}

}  // namespace qb
