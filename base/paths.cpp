#include "base/paths.h"

#include <cctype>

namespace qb {

namespace {

bool EndsWithBackslash(const std::string& path) {
    return !path.empty() && path.back() == '\\';
}

}  // namespace

std::string DropTrailingBackslash(const std::string& path) {
    return EndsWithBackslash(path) ? path.substr(0, path.size() - 1) : path;
}

std::string WithTrailingBackslash(const std::string& path) {
    return EndsWithBackslash(path) ? path : path + "\\";
}

bool IsDriveRoot(const std::string& path) {
    std::string stem = path;
    while (!stem.empty() && (stem.back() == '\\' || stem.back() == '/')) stem.pop_back();
    return stem.empty() || (stem.size() == 2 && stem[1] == ':');
}

std::string JoinPath(const std::string& directory, const std::string& name) {
    return directory + "\\" + name;
}

std::string Folder(const std::string& path) {
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string FileName(const std::string& path) {
    return path.substr(Folder(path).size());
}

std::string Stem(const std::string& path) {
    const std::string name = FileName(path);
    return name.substr(0, name.find_last_of('.'));
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y)) return false;
    }
    return true;
}

bool HasExtension(const std::string& name, const std::string& extension) {
    if (name.size() < extension.size()) return false;
    const size_t start = name.size() - extension.size();
    for (size_t i = 0; i < extension.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(name[start + i])) !=
            std::tolower(static_cast<unsigned char>(extension[i])))
            return false;
    }
    return true;
}

}  // namespace qb
