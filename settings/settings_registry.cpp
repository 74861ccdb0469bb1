#include "settings/settings_registry.h"

#include "base/product_names.h"
#include "common/registry.h"

namespace qb {
namespace {

ScopedRegKey OpenOrCreateUserKey(const char* product) {
    ScopedRegKey vendor = OpenOrCreateKey(HKEY_CURRENT_USER, kVendorKeyPath);
    return OpenOrCreateKey(vendor.get(), product);
}

ScopedRegKey OpenExistingUserKey(const char* product) {
    ScopedRegKey vendor = OpenKey(HKEY_CURRENT_USER, kVendorKeyPath, KEY_ALL_ACCESS);
    return OpenKey(vendor.get(), product, KEY_ALL_ACCESS);
}

// The string values of one open key.
class RegistryValueStore : public UserValueStore {
public:
    explicit RegistryValueStore(HKEY key) : key_(key) {}

    bool Read(const std::string& name, size_t capacity, std::string& value) override {
        std::optional<std::string> stored = ReadStringValue(key_, name.c_str(), capacity);
        if (stored) value = *stored;
        return stored.has_value();
    }

    bool Write(const std::string& name, const std::string& text) override {
        return WriteStringValue(key_, name.c_str(), text);
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
    ScopedRegKey vendor = OpenOrCreateKey(HKEY_LOCAL_MACHINE, kVendorKeyPath, &created);
    ScopedRegKey productKey = OpenOrCreateKey(vendor.get(), product, &created);
    ScopedRegKey versionKey = OpenOrCreateKey(productKey.get(), version, &created);
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
