#include "uninstall/recycling.h"

#include "base/document_names.h"
#include "base/paths.h"

namespace qb {
namespace {

bool IsUsersKind(RemovalKind kind) {
    return kind == RemovalKind::Tests || kind == RemovalKind::TextFiles || kind == RemovalKind::Bitmaps;
}

}  // namespace

bool GoesToRecycleBin(RemovalKind kind, const std::string& pathOrPattern) {
    return IsUsersKind(kind) && !HasExtension(pathOrPattern, std::string(".") + kTemporarySuffix);
}

}  // namespace qb
