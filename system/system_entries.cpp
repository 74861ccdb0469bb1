#include "system/system_entries.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "base/path_limits.h"
#include "common/registry.h"
#include "common/scoped_handles.h"

namespace qb {
namespace {

// Deletes subKey of an opened parent key, if the parent could be opened.
void DeleteBelow(HKEY root, const char* parentPath, const char* subKey) {
    ScopedRegKey parent = OpenKey(root, parentPath, KEY_ALL_ACCESS);
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

void AssociateTestFiles(const Directory& dir, const SystemNames& names) {
    WriteStringValue(OpenOrCreateKey(HKEY_CLASSES_ROOT, TestExtensionKey().c_str()).get(), nullptr, kFileClassName);
    ScopedRegKey fileClass = OpenOrCreateKey(HKEY_CLASSES_ROOT, kFileClassName);
    WriteStringValue(fileClass.get(), nullptr, kFileClassName);
    WriteStringValue(OpenOrCreateKey(fileClass.get(), "DefaultIcon").get(), nullptr,
                     DefaultIconValue(dir, names.programFile));
    ScopedRegKey shell = OpenOrCreateKey(fileClass.get(), "Shell");
    WriteStringValue(shell.get(), nullptr, "open");
    fileClass.reset();
    ScopedRegKey open = OpenOrCreateKey(shell.get(), "open");
    WriteStringValue(open.get(), nullptr, names.openVerbText);
    shell.reset();
    WriteStringValue(OpenOrCreateKey(open.get(), "command").get(), nullptr, OpenCommandValue(dir, names.programFile));
}

void AddUninstallEntry(const Directory& dir, const SystemNames& names) {
    // The platform's list is never created here: without it there is no entry.
    ScopedRegKey list = OpenKey(HKEY_LOCAL_MACHINE, kUninstallListPath, KEY_ALL_ACCESS);
    if (!list) return;
    ScopedRegKey entry = OpenOrCreateKey(list.get(), names.uninstallEntry.c_str());
    list.reset();
    WriteStringValue(entry.get(), "DisplayName", names.uninstallEntry);
    WriteStringValue(entry.get(), "UninstallString", UninstallStringValue(dir));
}

std::optional<std::string> SpecialFolderPath(int folder) {
    ScopedHandle<ItemListTraits> items;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, folder, items.receive())) || !items) return std::nullopt;
    char path[kPathBufferSize] = {};
    if (!SHGetPathFromIDListA(items.get(), path) || path[0] == '\0') return std::nullopt;
    return std::string(path);
}

void CreateShortcut(const Directory& dir, int folder, const SystemNames& names) {
    std::optional<std::string> folderPath = SpecialFolderPath(folder);
    if (!folderPath) return;
    const std::string target = dir.Join(names.programFile).Text();
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
    WCHAR widePath[kPathBufferSize] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, static_cast<int>(kPathBufferSize)) == 0) return;
    file.get()->Save(widePath, TRUE);
}

void RemoveSystemEntries(const SystemNames& names) {
    DeleteKeyTree(HKEY_CLASSES_ROOT, TestExtensionKey().c_str());
    DeleteKeyTree(HKEY_CLASSES_ROOT, kFileClassName);
    DeleteBelow(HKEY_LOCAL_MACHINE, kVendorKeyPath, kProductName);
    DeleteBelow(HKEY_USERS, kDefaultUserVendorPath, kProductName);
    // Where the values were written on a system with user profiles.
    DeleteBelow(HKEY_CURRENT_USER, kVendorKeyPath, kProductName);
    DeleteBelow(HKEY_LOCAL_MACHINE, kUninstallListPath, names.uninstallEntry.c_str());
}

bool AnythingMatches(const std::string& pathOrPattern) {
    WIN32_FIND_DATAA found;
    ScopedFindHandle search(FindFirstFileA(pathOrPattern.c_str(), &found));
    return static_cast<bool>(search);
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

}  // namespace qb
