#include "settings/settings_registry.h"

#include "base/product_names.h"
#include "common/scoped_handles.h"

namespace qb {
namespace {

// Opens subKey with full access or, failing that, creates it. Sets created
// when the key had to be made.
ScopedRegKey OpenOrCreate(HKEY parent, const char* subKey, bool* created = nullptr) {
    ScopedRegKey key;
    if (parent == nullptr) return key;
    if (RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, key.receive()) == ERROR_SUCCESS) return key;
    if (created) *created = true;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        key.receive(), &disposition) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

ScopedRegKey OpenOrCreateUserKey(const char* product) {
    ScopedRegKey vendor = OpenOrCreate(HKEY_CURRENT_USER, kVendorKeyPath);
    return OpenOrCreate(vendor.get(), product);
}

ScopedRegKey OpenExistingUserKey(const char* product) {
    ScopedRegKey vendor;
    ScopedRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kVendorKeyPath, 0, KEY_ALL_ACCESS, vendor.receive()) == ERROR_SUCCESS) {
        if (RegOpenKeyExA(vendor.get(), product, 0, KEY_ALL_ACCESS, key.receive()) != ERROR_SUCCESS) key.reset();
    }
    return key;
}

// The string values of one open key.
class RegistryValueStore : public UserValueStore {
public:
    explicit RegistryValueStore(HKEY key) : key_(key) {}

    bool Read(const std::string& name, size_t capacity, std::string& value) override {
        if (key_ == nullptr) return false;
        std::string buffer(capacity, '\0');
        DWORD size = static_cast<DWORD>(capacity);
        DWORD type = 0;
        if (RegQueryValueExA(key_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size) !=
            ERROR_SUCCESS) {
            return false;
        }
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        buffer.resize(size);
        // The stored size counts the terminating zero when there is one.
        size_t end = buffer.find('\0');
        if (end != std::string::npos) buffer.resize(end);
        if (buffer.size() + 1 > capacity) return false;
        value = buffer;
        return true;
    }

    bool Write(const std::string& name, const std::string& text) override {
        if (key_ == nullptr) return false;
        return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }

private:
    HKEY key_;
};

}  // namespace

StoredRect ToStoredRect(const RECT& rect) {
    StoredRect stored;
    stored.a = rect.left;
    stored.b = rect.top;
    stored.c = rect.right;
    stored.d = rect.bottom;
    return stored;
}

RECT ToRect(const StoredRect& stored) {
    RECT rect;
    rect.left = stored.a;
    rect.top = stored.b;
    rect.right = stored.c;
    rect.bottom = stored.d;
    return rect;
}

int MarkInstalled(const char* product, const char* version) {
    bool created = false;
    ScopedRegKey vendor = OpenOrCreate(HKEY_LOCAL_MACHINE, kVendorKeyPath, &created);
    ScopedRegKey productKey = OpenOrCreate(vendor.get(), product, &created);
    ScopedRegKey versionKey = OpenOrCreate(productKey.get(), version, &created);
    return created ? 0 : 1;
}

int ReadStartupSettings(const char* product, std::string& programDir, RECT& mainRect) {
    ScopedRegKey key = OpenOrCreateUserKey(product);
    RegistryValueStore store(key.get());
    StoredRect stored = ToStoredRect(mainRect);
    bool present = ReadStartupValues(store, programDir, stored);
    mainRect = ToRect(stored);
    return present ? 1 : 0;
}

int ReadOrInitUserValue(const char* product, const char* valueName, std::string& value) {
    ScopedRegKey key = OpenOrCreateUserKey(product);
    RegistryValueStore store(key.get());
    return ReadOrInitValue(store, valueName, value) ? 1 : 0;
}

int WriteUserValue(const char* product, const char* valueName, const std::string& text) {
    ScopedRegKey key = OpenOrCreateUserKey(product);
    RegistryValueStore store(key.get());
    return store.Write(valueName, text) ? 1 : 0;
}

int WriteWindowRect(const RECT& rect, const char* product, const char* valueName) {
    ScopedRegKey key = OpenOrCreateUserKey(product);
    RegistryValueStore store(key.get());
    return WriteRectValue(store, valueName, ToStoredRect(rect)) ? 1 : 0;
}

int ReadWindowRect(RECT& rect, const char* product, const char* valueName) {
    ScopedRegKey key = OpenExistingUserKey(product);
    RegistryValueStore store(key.get());
    StoredRect stored;
    if (!ReadRectValue(store, valueName, stored)) return 0;
    rect = ToRect(stored);
    return 1;
}

}  // namespace qb
