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

std::string FileNameOfPath(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
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
