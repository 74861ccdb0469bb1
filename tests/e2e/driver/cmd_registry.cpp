// Registry commands: exact reads and writes of keys and values, for setting
// up a case and checking what a program stored.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver/commands.h"

namespace qbdrive {

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Receive() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// "HKCU\Software\X" -> root and subkey path.
bool SplitKey(const std::string& text, HKEY* root, std::string* path) {
    struct Root {
        const char* name;
        HKEY key;
    };
    static const Root kRoots[] = {
        {"HKCU", HKEY_CURRENT_USER},  {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKLM", HKEY_LOCAL_MACHINE}, {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKCR", HKEY_CLASSES_ROOT},  {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKU", HKEY_USERS},          {"HKEY_USERS", HKEY_USERS},
    };
    size_t slash = text.find('\\');
    std::string head = text.substr(0, slash);
    for (const auto& candidate : kRoots) {
        if (lstrcmpiA(head.c_str(), candidate.name) == 0) {
            *root = candidate.key;
            *path = slash == std::string::npos ? "" : text.substr(slash + 1);
            return true;
        }
    }
    return false;
}

bool OpenKey(const std::string& text, REGSAM access, Key* key, bool create = false) {
    HKEY root = nullptr;
    std::string path;
    if (!SplitKey(text, &root, &path)) return false;
    if (create) {
        return RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access, nullptr, key->Receive(), nullptr) ==
               ERROR_SUCCESS;
    }
    return RegOpenKeyExA(root, path.c_str(), 0, access, key->Receive()) == ERROR_SUCCESS;
}

// "(default)" names the key's unnamed value.
std::string ValueName(const std::string& text) {
    return text == "(default)" ? "" : text;
}

bool QueryValue(HKEY key, const std::string& name, DWORD* type, std::vector<BYTE>* data) {
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    data->assign(size, 0);
    return RegQueryValueExA(key, name.c_str(), nullptr, type, data->data(), &size) == ERROR_SUCCESS;
}

std::string FormatData(DWORD type, const std::vector<BYTE>& data) {
    if (type == REG_DWORD && data.size() == 4) {
        DWORD value = 0;
        std::memcpy(&value, data.data(), 4);
        return std::to_string(value);
    }
    std::string text(data.begin(), data.end());
    if (type == REG_SZ || type == REG_EXPAND_SZ) text = text.c_str();
    return text;
}

const char* TypeName(DWORD type) {
    switch (type) {
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_DWORD: return "REG_DWORD";
    case REG_BINARY: return "REG_BINARY";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    default: return "REG_OTHER";
    }
}

LONG DeleteTree(HKEY parent, const std::string& path) {
    Key key;
    LONG status = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, key.Receive());
    if (status != ERROR_SUCCESS) return status;
    for (;;) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.Get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        status = DeleteTree(key.Get(), name);
        if (status != ERROR_SUCCESS) return status;
    }
    return RegDeleteKeyA(parent, path.c_str());
}

}  // namespace

int CmdRegGet(const Args& args) {
    if (args.Count() != 2) return Usage("reg-get KEY VALUE");
    Key key;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!OpenKey(args.At(0), KEY_READ, &key)) return Fail("no key " + args.At(0));
    if (!QueryValue(key.Get(), ValueName(args.At(1)), &type, &data)) {
        return Fail("no value " + args.At(1) + " in " + args.At(0));
    }
    std::printf("%s\n", FormatData(type, data).c_str());
    return kOk;
}

int CmdRegInfo(const Args& args) {
    if (args.Count() != 2) return Usage("reg-info KEY VALUE");
    Key key;
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!OpenKey(args.At(0), KEY_READ, &key)) return Fail("no key " + args.At(0));
    if (!QueryValue(key.Get(), ValueName(args.At(1)), &type, &data)) {
        return Fail("no value " + args.At(1) + " in " + args.At(0));
    }
    std::printf("%s %u\n", TypeName(type), static_cast<unsigned>(data.size()));
    return kOk;
}

int CmdRegSet(const Args& args) {
    if (args.Count() != 3) return Usage("reg-set KEY VALUE DATA [--type sz|dword]");
    Key key;
    if (!OpenKey(args.At(0), KEY_ALL_ACCESS, &key, true)) return Fail("cannot create key " + args.At(0));
    std::string name = ValueName(args.At(1));
    LONG status = 0;
    if (args.Get("type", "sz") == "dword") {
        long number = 0;
        if (!ParseLong(args.At(2), &number)) return Usage("a REG_DWORD needs a number");
        DWORD value = static_cast<DWORD>(number);
        status = RegSetValueExA(key.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    } else {
        // Stored with its terminating zero, as the programs store strings.
        const std::string& text = args.At(2);
        status = RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1));
    }
    return status == ERROR_SUCCESS ? kOk : Fail("cannot write " + args.At(1));
}

int CmdRegDeleteValue(const Args& args) {
    if (args.Count() != 2) return Usage("reg-delete-value KEY VALUE");
    Key key;
    if (!OpenKey(args.At(0), KEY_ALL_ACCESS, &key)) return kOk;
    LONG status = RegDeleteValueA(key.Get(), ValueName(args.At(1)).c_str());
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? kOk : Fail("cannot delete " + args.At(1));
}

int CmdRegDelete(const Args& args) {
    if (args.Count() < 1) return Usage("reg-delete KEY...");
    for (size_t i = 0; i < args.Count(); ++i) {
        HKEY root = nullptr;
        std::string path;
        if (!SplitKey(args.At(i), &root, &path) || path.empty()) return Usage("not a key below a root: " + args.At(i));
        LONG status = DeleteTree(root, path);
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) return Fail("cannot delete " + args.At(i));
    }
    return kOk;
}

int CmdRegExists(const Args& args) {
    if (args.Count() != 1 && args.Count() != 2) return Usage("reg-exists KEY [VALUE]");
    Key key;
    bool exists = OpenKey(args.At(0), KEY_READ, &key);
    if (exists && args.Count() == 2) {
        DWORD type = 0;
        std::vector<BYTE> data;
        exists = QueryValue(key.Get(), ValueName(args.At(1)), &type, &data);
    }
    std::printf("%d\n", exists ? 1 : 0);
    return kOk;
}

int CmdRegValues(const Args& args) {
    if (args.Count() != 1) return Usage("reg-values KEY");
    Key key;
    if (!OpenKey(args.At(0), KEY_READ, &key)) return Fail("no key " + args.At(0));
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        DWORD type = 0;
        std::vector<BYTE> data;
        QueryValue(key.Get(), name, &type, &data);
        std::printf("%s=%s\n", name[0] ? name : "(default)", FormatData(type, data).c_str());
    }
    return kOk;
}

int CmdRegKeys(const Args& args) {
    if (args.Count() != 1) return Usage("reg-keys KEY");
    Key key;
    if (!OpenKey(args.At(0), KEY_READ, &key)) return Fail("no key " + args.At(0));
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key.Get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        std::printf("%s\n", name);
    }
    return kOk;
}

}  // namespace qbdrive
