#include "base/paths.h"

#include <cctype>

namespace qb {

namespace {

constexpr char kSeparators[] = "\\/:";

bool SameLetters(const char* a, const char* b, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::string WinPath::Folder() const {
    const size_t separator = text_.find_last_of(kSeparators);
    return separator == std::string::npos ? std::string() : text_.substr(0, separator + 1);
}

std::string WinPath::FileName() const {
    return text_.substr(Folder().size());
}

std::string WinPath::Stem() const {
    const std::string name = FileName();
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

WinPath WinPath::WithExtension(const std::string& extension) const {
    return WinPath(Folder() + Stem() + extension);
}

WinPath WinPath::Companion(const char* suffix) const {
    if (text_.size() < 3) return WinPath();
    const std::string tail = text_.substr(text_.size() - 3);
    if (tail.find_first_of(kSeparators) != std::string::npos) return WinPath();
    return WinPath(text_.substr(0, text_.size() - 3) + suffix);
}

bool WinPath::SameFile(const WinPath& other) const {
    return text_.size() == other.text_.size() && SameLetters(text_.data(), other.text_.data(), text_.size());
}

Directory::Directory(const std::string& text)
    : text_(!text.empty() && text.back() == '\\' ? text.substr(0, text.size() - 1) : text) {}

bool Directory::IsDriveRoot() const {
    std::string stem = text_;
    while (!stem.empty() && (stem.back() == '\\' || stem.back() == '/')) stem.pop_back();
    return stem.empty() || (stem.size() == 2 && stem[1] == ':');
}

WinPath Directory::Join(const std::string& name) const {
    return WinPath(text_ + '\\' + name);
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool HasExtension(const std::string& name, const std::string& extension) {
    return name.size() >= extension.size() &&
           SameLetters(name.data() + name.size() - extension.size(), extension.data(), extension.size());
}

}  // namespace qb
