// Checks the system entries of Install and their removal by Uninstall against
// the real registry, shell folders and shell-link object of the prefix.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <optional>
#include <string>

#include "base/path_limits.h"
#include "common/registry.h"
#include "system/system_entries.h"
#include "system/system_names.h"
#include "settings/settings_registry.h"

namespace qb {
namespace {

int failures = 0;

void Check(bool condition, const std::string& what, int line) {
    if (!condition) {
        ++failures;
        std::printf("FAIL line %d: %s\n", line, what.c_str());
    }
}

void CheckText(const std::optional<std::string>& seen, const std::string& expected, const std::string& what, int line) {
    if (!seen) {
        Check(false, what + ": missing, expected \"" + expected + "\"", line);
    } else {
        Check(*seen == expected, what + ": expected \"" + expected + "\", seen \"" + *seen + "\"", line);
    }
}

#define CHECK(condition, what) Check((condition), (what), __LINE__)
#define CHECK_TEXT(seen, expected, what) CheckText((seen), (expected), (what), __LINE__)

bool KeyExists(HKEY root, const char* path) {
    ScopedRegKey key;
    return RegOpenKeyExA(root, path, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}

std::optional<std::string> Default(HKEY root, const char* path) {
    return ReadStringValue(root, path, nullptr, 1024);
}

SystemNames Names() {
    return {"Quorbelind.exe", "Open with Quorbelind", "Quorbelind: Uninstall", "Quorbelind.lnk"};
}

void SetDefaultUserDataPath(const char* text) {
    ScopedRegKey key;
    RegCreateKeyExA(HKEY_USERS, kDefaultUserKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.receive(), nullptr);
    RegSetValueExA(key.get(), kDataPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::string(text).size() + 1));
}

void AssociationHasExactTexts() {
    AssociateTestFiles(Directory("C:\\Quorbelind\\"), Names());
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, ".tvt"), "Quorbelind", ".tvt");
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, "Quorbelind"), "Quorbelind", "file class");
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, "Quorbelind\\DefaultIcon"), "C:\\Quorbelind\\Quorbelind.exe,-114",
               "DefaultIcon");
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, "Quorbelind\\Shell"), "open", "Shell");
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, "Quorbelind\\Shell\\open"), "Open with Quorbelind", "open verb");
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, "Quorbelind\\Shell\\open\\command"), "C:\\Quorbelind\\Quorbelind.exe %1",
               "open command");
    // A second installation into another directory overwrites the texts.
    AssociateTestFiles(Directory("D:\\Other Place\\"), Names());
    CHECK_TEXT(Default(HKEY_CLASSES_ROOT, "Quorbelind\\Shell\\open\\command"), "D:\\Other Place\\Quorbelind.exe %1",
               "open command after reinstall");
}

void UninstallEntryHasExactTexts() {
    AddUninstallEntry(Directory("C:\\Quorbelind\\"), Names());
    const std::string entry = std::string(kUninstallListPath) + "\\Quorbelind: Uninstall";
    CHECK_TEXT(ReadStringValue(HKEY_LOCAL_MACHINE, entry.c_str(), "DisplayName", 1024), "Quorbelind: Uninstall",
               "DisplayName");
    CHECK_TEXT(ReadStringValue(HKEY_LOCAL_MACHINE, entry.c_str(), "UninstallString", 1024),
               "C:\\Quorbelind\\Uninstall.exe", "UninstallString");
}

std::string LinkIn(int folder) {
    std::optional<std::string> path = SpecialFolderPath(folder);
    return path ? *path + "\\Quorbelind.lnk" : std::string();
}

void ShortcutPointsAtTheProgram() {
    CoInitialize(nullptr);
    const std::string link = LinkIn(CSIDL_STARTMENU);
    CHECK(!link.empty(), "start menu folder known");
    DeleteFileA(link.c_str());
    CreateShortcut(Directory("C:\\Quorbelind\\"), CSIDL_STARTMENU, Names());
    CHECK(GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES, "shortcut written: " + link);

    IShellLinkA* shellLink = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&shellLink))) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[kPathBufferSize] = {};
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, static_cast<int>(kPathBufferSize));
        CHECK(SUCCEEDED(file->Load(wide, STGM_READ)), "shortcut loads");
        char text[kPathBufferSize] = {};
        shellLink->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        CHECK_TEXT(std::string(text), "C:\\Quorbelind\\Quorbelind.exe", "shortcut target");
        shellLink->GetDescription(text, sizeof text);
        CHECK_TEXT(std::string(text), "Quorbelind V1.00", "shortcut description");
        file->Release();
    } else {
        CHECK(false, "shell-link object available");
    }
    if (shellLink) shellLink->Release();
    RemoveShortcuts(Names());
    CHECK(GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES, "shortcut removed");
    // Nothing left to remove: no error, nothing happens.
    RemoveShortcuts(Names());
}

std::optional<std::string> SetupDirectory(DriveRoot driveRoot = DriveRoot::Accepted) {
    const std::optional<Directory> directory =
        ReadProgramDirectory(DataPathLookup::CurrentUserThenDefaultUser, driveRoot);
    return directory ? std::optional<std::string>(directory->Text()) : std::nullopt;
}

void DataPathIsReadFromTheCurrentUserFirst() {
    RegDeleteKeyA(HKEY_CURRENT_USER, kUserKeyPath);
    SetDefaultUserDataPath("C:\\Default User Place\\");
    CHECK_TEXT(SetupDirectory(), "C:\\Default User Place", "DataPath of the default user");
    CHECK(!ReadProgramDirectory(DataPathLookup::CurrentUser, DriveRoot::Accepted), "only the current user's");
    WriteUserValue(kDataPathValue, "C:\\Quorbelind\\");
    CHECK_TEXT(SetupDirectory(), "C:\\Quorbelind", "DataPath of the current user");
    // An empty value counts as missing; a drive root serves unless refused.
    WriteUserValue(kDataPathValue, "");
    CHECK_TEXT(SetupDirectory(), "C:\\Default User Place", "empty DataPath of the current user");
    WriteUserValue(kDataPathValue, "D:\\");
    CHECK_TEXT(SetupDirectory(), "D:", "drive root accepted");
    CHECK(!SetupDirectory(DriveRoot::Refused), "drive root refused");
}

void RemovalTakesEveryEntryAndKeepsTheVendorKeys() {
    MarkInstalled();
    WriteUserValue("Font", "-11,0,0,0,400,0,0,0,0,0,0,0,0,Arial");
    WriteUserSwitch(kValueListDetails, true);
    SetDefaultUserDataPath("C:\\Quorbelind\\");
    AssociateTestFiles(Directory("C:\\Quorbelind\\"), Names());
    AddUninstallEntry(Directory("C:\\Quorbelind\\"), Names());
    CHECK(KeyExists(HKEY_LOCAL_MACHINE, kMarkerKeyPath), "marker before removal");

    RemoveSystemEntries(Names());
    CHECK(!KeyExists(HKEY_CLASSES_ROOT, ".tvt"), ".tvt removed");
    CHECK(!KeyExists(HKEY_CLASSES_ROOT, "Quorbelind"), "file class removed");
    CHECK(!KeyExists(HKEY_LOCAL_MACHINE, "Software\\Tolvexia\\Quorbelind"), "machine key removed");
    CHECK(!KeyExists(HKEY_CURRENT_USER, kUserKeyPath), "current user's key removed");
    CHECK(!KeyExists(HKEY_USERS, kDefaultUserKeyPath), "default user's key removed");
    const std::string entry = std::string(kUninstallListPath) + "\\Quorbelind: Uninstall";
    CHECK(!KeyExists(HKEY_LOCAL_MACHINE, entry.c_str()), "uninstall entry removed");
    CHECK(KeyExists(HKEY_LOCAL_MACHINE, kVendorKeyPath), "machine vendor key stays");
    CHECK(KeyExists(HKEY_USERS, kDefaultUserVendorPath), "default user's vendor key stays");
    CHECK(KeyExists(HKEY_LOCAL_MACHINE, kUninstallListPath), "platform uninstall list stays");
    CHECK(!SetupDirectory().has_value(), "no DataPath after removal");
    // A second removal finds nothing and does no harm.
    RemoveSystemEntries(Names());
    CHECK(KeyExists(HKEY_LOCAL_MACHINE, kVendorKeyPath), "machine vendor key stays after a second removal");
}

void DeepKeyTreeIsDeletedWhole() {
    ScopedRegKey deep;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QbTreeTest\\a\\b\\c", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    deep.receive(), nullptr);
    deep.reset();
    ScopedRegKey sibling;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QbTreeTest\\a\\d", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    sibling.receive(), nullptr);
    sibling.reset();
    ScopedRegKey software;
    RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, software.receive());
    CHECK(DeleteKeyTree(software.get(), "QbTreeTest"), "tree deleted");
    CHECK(!KeyExists(HKEY_CURRENT_USER, "Software\\QbTreeTest"), "tree gone");
    CHECK(!DeleteKeyTree(software.get(), "QbTreeTest"), "a missing tree reports false");
}

}  // namespace
}  // namespace qb

int main() {
    qb::AssociationHasExactTexts();
    qb::UninstallEntryHasExactTexts();
    qb::ShortcutPointsAtTheProgram();
    qb::DataPathIsReadFromTheCurrentUserFirst();
    qb::RemovalTakesEveryEntryAndKeepsTheVendorKeys();
    qb::DeepKeyTreeIsDeletedWhole();
    std::printf("%s: %d failed checks\n", qb::failures == 0 ? "PASS" : "FAIL", qb::failures);
    return qb::failures == 0 ? 0 : 1;
}
