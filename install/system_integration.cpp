#include "install/system_integration.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "base/path_limits.h"
#include "common/scoped_handles.h"
#include "install/install_paths.h"
#include "install/system_keys.h"

namespace qb {
namespace {

ScopedRegKey OpenKey(HKEY parent, const char* subKey) {
    ScopedRegKey key;
    if (parent != nullptr && RegOpenKeyExA(parent, subKey, 0, KEY_ALL_ACCESS, key.receive()) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

ScopedRegKey OpenOrCreateKey(HKEY parent, const char* subKey) {
    ScopedRegKey key = OpenKey(parent, subKey);
    if (key || parent == nullptr) return key;
    DWORD disposition = 0;
    if (RegCreateKeyExA(parent, subKey, 0, const_cast<char*>(""), REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, key.receive(), &disposition) != ERROR_SUCCESS) {
        key.reset();
    }
    return key;
}

// A REG_SZ value stored with its terminating zero; name nullptr is the default value.
void SetString(HKEY key, const char* name, const std::string& text) {
    if (key == nullptr) return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

// Deletes subKey of an opened parent key, if the parent could be opened.
void DeleteBelow(HKEY root, const char* parentPath, const char* subKey) {
    ScopedRegKey parent = OpenKey(root, parentPath);
    if (parent) DeleteKeyTree(parent.get(), subKey);
}

// Shell item lists come from the shell's allocator.
struct ItemListTraits {
    using Handle = LPITEMIDLIST;
    static LPITEMIDLIST Invalid() { return nullptr; }
    static bool IsValid(LPITEMIDLIST list) { return list != nullptr; }
    static void Close(LPITEMIDLIST list) { CoTaskMemFree(list); }
};

template <typename Interface>
struct ComTraits {
    using Handle = Interface*;
    static Interface* Invalid() { return nullptr; }
    static bool IsValid(Interface* object) { return object != nullptr; }
    static void Close(Interface* object) { object->Release(); }
};

const int kShortcutFolders[] = {CSIDL_DESKTOP, CSIDL_STARTUP, CSIDL_STARTMENU};

}  // namespace

void AssociateTestFiles(const std::string& dir, const SystemNames& names) {
    SetString(OpenOrCreateKey(HKEY_CLASSES_ROOT, kTestFileExtension).get(), nullptr, kFileClassName);
    ScopedRegKey fileClass = OpenOrCreateKey(HKEY_CLASSES_ROOT, kFileClassName);
    SetString(fileClass.get(), nullptr, kFileClassName);
    SetString(OpenOrCreateKey(fileClass.get(), "DefaultIcon").get(), nullptr,
              DefaultIconValue(dir, names.programFile));
    ScopedRegKey shell = OpenOrCreateKey(fileClass.get(), "Shell");
    SetString(shell.get(), nullptr, "open");
    fileClass.reset();
    ScopedRegKey open = OpenOrCreateKey(shell.get(), "open");
    SetString(open.get(), nullptr, names.openVerbText);
    shell.reset();
    SetString(OpenOrCreateKey(open.get(), "command").get(), nullptr, OpenCommandValue(dir, names.programFile));
}

void AddUninstallEntry(const std::string& dir, const SystemNames& names) {
    // The platform's list is never created here: without it there is no entry.
    ScopedRegKey list = OpenKey(HKEY_LOCAL_MACHINE, kUninstallListPath);
    if (!list) return;
    ScopedRegKey entry = OpenOrCreateKey(list.get(), names.uninstallEntry.c_str());
    list.reset();
    SetString(entry.get(), "DisplayName", names.uninstallEntry);
    SetString(entry.get(), "UninstallString", UninstallStringValue(dir));
}

std::optional<std::string> SpecialFolderPath(int folder) {
    ScopedHandle<ItemListTraits> items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, items.receive())) || !items) return std::nullopt;
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(items.get(), path) || path[0] == '\0') return std::nullopt;
    return std::string(path);
}

void CreateShortcut(const std::string& dir, int folder, const SystemNames& names) {
    std::optional<std::string> folderPath = SpecialFolderPath(folder);
    if (!folderPath) return;
    const std::string target = dir + names.programFile;
    const std::string linkPath = LinkFilePath(*folderPath, names.linkFile);

    ScopedHandle<ComTraits<IShellLinkA>> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.receive()))) ||
        !link) {
        return;
    }
    link.get()->SetPath(target.c_str());
    link.get()->SetDescription(kProductTitle);
    ScopedHandle<ComTraits<IPersistFile>> file;
    if (FAILED(link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.receive()))) || !file) {
        return;
    }
    WCHAR widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0) return;
    file.get()->Save(widePath, TRUE);
}

bool DeleteKeyTree(HKEY parent, const char* subKey) {
    ScopedRegKey key = OpenKey(parent, subKey);
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

void RemoveSystemEntries(const SystemNames& names) {
    DeleteKeyTree(HKEY_CLASSES_ROOT, kTestFileExtension);
    DeleteKeyTree(HKEY_CLASSES_ROOT, kFileClassName);
    DeleteBelow(HKEY_LOCAL_MACHINE, kVendorKeyPath, kProductName);
    DeleteBelow(HKEY_USERS, kDefaultUserVendorPath, kProductName);
    // Where the values were written on a system with user profiles.
    DeleteBelow(HKEY_CURRENT_USER, kVendorKeyPath, kProductName);
    DeleteBelow(HKEY_LOCAL_MACHINE, kUninstallListPath, names.uninstallEntry.c_str());
}

bool AnythingMatches(const std::string& pathOrPattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pathOrPattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

void ShellDelete(const std::string& pathOrPattern, unsigned flags) {
    // A list of one name, ended by an empty name.
    std::vector<char> from(pathOrPattern.begin(), pathOrPattern.end());
    from.push_back('\0');
    from.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
    SHFileOperationA(&operation);
}

void RemoveShortcuts(const SystemNames& names) {
    for (int folder : kShortcutFolders) {
        std::optional<std::string> folderPath = SpecialFolderPath(folder);
        if (!folderPath) continue;
        const std::string linkPath = LinkFilePath(*folderPath, names.linkFile);
        // Asking the shell to delete a missing file can raise its error box.
        if (AnythingMatches(linkPath)) ShellDelete(linkPath, FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO);
    }
}

std::optional<std::string> ReadStringValue(HKEY root, const char* keyPath, const char* valueName,
                                           size_t capacity) {
    ScopedRegKey key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_READ, key.receive()) != ERROR_SUCCESS) return std::nullopt;
    std::string buffer(capacity, '\0');
    DWORD size = static_cast<DWORD>(capacity);
    DWORD type = 0;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(&buffer[0]), &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    buffer.resize(size);
    size_t end = buffer.find('\0');
    if (end != std::string::npos) buffer.resize(end);
    return buffer;
}

std::optional<std::string> ReadDataPath() {
    return PickDataPath(ReadStringValue(HKEY_CURRENT_USER, kUserKeyPath, kDataPathValue, kPathBufferSize),
                        ReadStringValue(HKEY_USERS, kDefaultUserKeyPath, kDataPathValue, kPathBufferSize));
}

}  // namespace qb
