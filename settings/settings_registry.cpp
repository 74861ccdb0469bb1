#include "settings/settings_registry.h"

#include "base/product_names.h"
#include "common/registry.h"

namespace qb {
namespace {

ScopedRegKey OpenOrCreateUserKey() {
    ScopedRegKey vendor = OpenOrCreateKey(HKEY_CURRENT_USER, kVendorKeyPath);
    return OpenOrCreateKey(vendor.get(), kProductName);
}

ScopedRegKey OpenExistingUserKey() {
    ScopedRegKey vendor = OpenKey(HKEY_CURRENT_USER, kVendorKeyPath, KEY_ALL_ACCESS);
    return OpenKey(vendor.get(), kProductName, KEY_ALL_ACCESS);
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

bool MarkInstalled() {
    bool created = false;
    ScopedRegKey vendor = OpenOrCreateKey(HKEY_LOCAL_MACHINE, kVendorKeyPath, &created);
    ScopedRegKey productKey = OpenOrCreateKey(vendor.get(), kProductName, &created);
    ScopedRegKey versionKey = OpenOrCreateKey(productKey.get(), kVersionKeyName, &created);
    return !created;
}

bool ReadStartupSettings(const std::string& startDirectory, Directory& programDir, RECT& mainRect) {
    ScopedRegKey key = OpenOrCreateUserKey();
    RegistryValueStore store(key.get());
    StoredRect stored = ToStoredRect(mainRect);
    bool present = ReadStartupValues(store, startDirectory, programDir, stored);
    mainRect = ToRect(stored);
    return present;
}

bool ReadOrInitUserValue(const char* valueName, std::string& value) {
    ScopedRegKey key = OpenOrCreateUserKey();
    RegistryValueStore store(key.get());
    return ReadOrInitValue(store, valueName, value);
}

bool WriteUserValue(const char* valueName, const std::string& text) {
    ScopedRegKey key = OpenOrCreateUserKey();
    RegistryValueStore store(key.get());
    return store.Write(valueName, text);
}

bool ReadUserSwitch(const char* valueName) {
    ScopedRegKey key = OpenExistingUserKey();
    RegistryValueStore store(key.get());
    return ReadSwitchValue(store, valueName);
}

bool WriteUserSwitch(const char* valueName, bool on) {
    ScopedRegKey key = OpenOrCreateUserKey();
    RegistryValueStore store(key.get());
    return WriteSwitchValue(store, valueName, on);
}

bool WriteWindowRect(const char* valueName, const RECT& rect) {
    ScopedRegKey key = OpenOrCreateUserKey();
    RegistryValueStore store(key.get());
    return WriteRectValue(store, valueName, ToStoredRect(rect));
}

void StoreWindowPlace(HWND window, const char* valueName, StoredPlaceForm form) {
    if (IsIconic(window) || IsZoomed(window)) return;
    RECT rect;
    if (!GetWindowRect(window, &rect)) return;
    if (form == StoredPlaceForm::CornerAndSize)
        rect = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    WriteWindowRect(valueName, rect);
}

bool ReadWindowRect(const char* valueName, RECT& rect) {
    ScopedRegKey key = OpenExistingUserKey();
    RegistryValueStore store(key.get());
    StoredRect stored;
    if (!ReadRectValue(store, valueName, stored)) return false;
    rect = ToRect(stored);
    return true;
}

}  // namespace qb
