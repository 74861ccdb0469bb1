#include "uninstall/removal_plan.h"

#include "base/paths.h"
#include "base/document_names.h"

namespace qb {
namespace {

std::vector<std::string> InDirectory(const std::string& directory, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(JoinPath(directory, name));
    return paths;
}

}  // namespace

std::vector<RemovalGroup> RemovalGroups(const std::string& directory, const std::string& baseName,
                                        const RemovalChoice& choice) {
    return {
        {RemovalKind::ProgramFiles, true,
         InDirectory(directory, {baseName + ".EXE", baseName + ".HLP", baseName + ".GID", "README.TXT", "INSTALL.EXE",
                                 "CREATOR.EXE"})},
        {RemovalKind::Tests, choice.tests, InDirectory(directory, TestFilePatterns())},
        {RemovalKind::TextFiles, choice.textFiles, InDirectory(directory, {"*.TXT", "*.RTF"})},
        {RemovalKind::Bitmaps, choice.bitmaps, InDirectory(directory, {"*.BMP"})},
        {RemovalKind::SystemEntries, true, {}},
    };
}

}  // namespace qb
