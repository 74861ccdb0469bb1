#include "uninstall/recycling.h"

#include <cctype>

namespace qb {
namespace {

constexpr char kWorkingFileEnding[] = ".TMP";

bool EndsWithIgnoringCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) return false;
    const size_t start = text.size() - ending.size();
    for (size_t i = 0; i < ending.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[start + i]);
        const auto b = static_cast<unsigned char>(ending[i]);
        if (std::toupper(a) != std::toupper(b)) return false;
    }
    return true;
}

bool IsUsersKind(RemovalKind kind) {
    return kind == RemovalKind::Tests || kind == RemovalKind::TextFiles || kind == RemovalKind::Bitmaps;
}

}  // namespace

bool GoesToRecycleBin(RemovalKind kind, const std::string& pathOrPattern) {
    return IsUsersKind(kind) && !EndsWithIgnoringCase(pathOrPattern, kWorkingFileEnding);
}

}  // namespace qb
