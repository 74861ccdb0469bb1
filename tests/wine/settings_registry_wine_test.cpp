// The registry routines against a real registry (run under Wine by run.sh, in
// a prefix of its own): the product's keys are made and removed here.
#include <windows.h>

#include <cstdio>
#include <string>

#include "base/product_names.h"
#include "common/registry.h"
#include "settings/settings_registry.h"
#include "tests/wine/wine_check.h"

namespace {

const char* const kUserKey = qb::kUserKeyPath;
const char* const kMarkerKey = qb::kMarkerKeyPath;

void CheckText(const std::string& actual, const std::string& expected, int line) {
    if (actual == expected) {
        ++wine_check::passed;
    } else {
        ++wine_check::failed;
        std::printf("FAILED line %d: expected \"%s\", saw \"%s\"\n", line, expected.c_str(), actual.c_str());
    }
}
#define CHECK_TEXT(actual, expected) CheckText((actual), (expected), __LINE__)

bool KeyExists(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The stored bytes of a value, terminating zero included; "<missing>" when absent.
std::string RawValue(const char* name, DWORD* type = nullptr) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "<missing>";
    char buffer[512];
    DWORD size = sizeof buffer;
    LONG result = RegQueryValueExA(key, name, nullptr, type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return "<missing>";
    return std::string(buffer, size);
}

void SetRaw(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kUserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void RemoveTestKeys() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMarkerKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, qb::kUserKeyPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, kUserKey);
}

void TestMarker() {
    CHECK(!qb::MarkInstalled());
    CHECK(KeyExists(HKEY_LOCAL_MACHINE, kMarkerKey));
    CHECK(qb::MarkInstalled());
}

void TestStartupSettings() {
    qb::Directory dir;
    RECT rect = {0, 0, 1273, 682};
    CHECK(!qb::ReadStartupSettings("C:\\Work", dir, rect));
    CHECK_TEXT(RawValue("DataPath"), std::string("C:\\Work\0", 8));
    CHECK_TEXT(RawValue("WindowPosMain"), std::string("00000,00000,01273,00682\0", 24));

    SetRaw("DataPath", REG_SZ, "D:\\Tests\\\\", 11);
    SetRaw("WindowPosMain", REG_SZ, "-0012,00040,00800,00600", 24);
    CHECK(qb::ReadStartupSettings("C:\\Work", dir, rect));
    CHECK_TEXT(dir.Text(), "D:\\Tests\\");
    CHECK(rect.left == -12 && rect.top == 40 && rect.right == 800 && rect.bottom == 600);
}

void TestWindowRect() {
    RECT rect = {7, 7, 7, 7};
    CHECK(!qb::ReadWindowRect("WinPosText", rect));
    // Reading never creates the key.
    CHECK(!KeyExists(HKEY_CURRENT_USER, kUserKey));
    CHECK(rect.left == 7);

    RECT moved = {-12, 300, 640, 200};
    CHECK(qb::WriteWindowRect("WinPosText", moved));
    CHECK_TEXT(RawValue("WinPosText"), std::string("-0012,00300,00640,00200\0", 24));
    RECT read = {};
    CHECK(qb::ReadWindowRect("WinPosText", read));
    CHECK(read.left == -12 && read.top == 300 && read.right == 640 && read.bottom == 200);

    SetRaw("WinPosBild", REG_SZ, "00010,00020,00300,002000", 25);
    RECT overlong = {1, 2, 3, 4};
    CHECK(!qb::ReadWindowRect("WinPosBild", overlong));
    CHECK(overlong.left == 1 && overlong.bottom == 4);

    DWORD number = 5;
    SetRaw("WinPosBild", REG_DWORD, &number, sizeof number);
    CHECK(!qb::ReadWindowRect("WinPosBild", overlong));
}

void TestUserValues() {
    std::string font = "1,2,3,4,5,6,7,8,9,10,11,12,13,Face, with comma";
    CHECK(!qb::ReadOrInitUserValue("Font", font));
    DWORD type = 0;
    CHECK_TEXT(RawValue("Font", &type), font + std::string(1, '\0'));
    CHECK(type == REG_SZ);
    std::string again = "default";
    CHECK(qb::ReadOrInitUserValue("Font", again));
    CHECK_TEXT(again, font);

    CHECK(qb::WriteUserValue("DataPath", "E:\\Installed\\"));
    CHECK_TEXT(RawValue("DataPath"), std::string("E:\\Installed\\\0", 14));
}

// The registry module keeps the kinds apart and wants room for the terminating zero.
void TestValueKinds() {
    qb::ScopedRegKey key = qb::OpenOrCreateKey(HKEY_CURRENT_USER, kUserKey);
    const DWORD count = 0x01020304;
    SetRaw("Count", REG_DWORD, &count, sizeof count);
    CHECK(!qb::ReadStringValue(key.get(), "Count", 260));
    CHECK(qb::WriteStringValue(key.get(), "Text", "12"));

    const std::string fits(259, 'x');
    SetRaw("Text", REG_SZ, fits.c_str(), 260);
    CHECK(qb::ReadStringValue(key.get(), "Text", 260) == fits);
    const std::string unterminated(260, 'x');
    SetRaw("Text", REG_SZ, unterminated.data(), 260);
    CHECK(!qb::ReadStringValue(key.get(), "Text", 260));
    CHECK(qb::ReadStringValue(key.get(), "Text", 261) == unterminated);
}

}  // namespace

int main() {
    RemoveTestKeys();
    TestMarker();
    RemoveTestKeys();
    TestWindowRect();
    RemoveTestKeys();
    TestStartupSettings();
    RemoveTestKeys();
    TestUserValues();
    RemoveTestKeys();
    TestValueKinds();
    RemoveTestKeys();
    return wine_check::Finish();
}
