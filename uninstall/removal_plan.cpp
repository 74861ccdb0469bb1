#include "uninstall/removal_plan.h"

#include "uninstall/resource_ids.h"

namespace qb {
namespace {

std::vector<std::string> InDirectory(const std::string& directory, std::initializer_list<std::string> names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(directory + '\\' + name);
    return paths;
}

}  // namespace

std::optional<std::string> ProgramDirectoryFromDataPath(const std::string& dataPath) {
    std::string directory = dataPath;
    if (!directory.empty() && directory.back() == '\\') directory.pop_back();
    std::string stem = directory;
    while (!stem.empty() && (stem.back() == '\\' || stem.back() == '/')) stem.pop_back();
    if (stem.empty() || (stem.size() == 2 && stem[1] == ':')) return std::nullopt;
    return directory;
}

std::vector<RemovalGroup> RemovalGroups(const std::string& directory, const std::string& baseName,
                                        const RemovalChoice& choice) {
    return {
        {IDC_KIND_PROGRAM_FILES, true,
         InDirectory(directory, {baseName + ".EXE", baseName + ".HLP", baseName + ".GID", "README.TXT",
                                 "INSTALL.EXE", "CREATOR.EXE"})},
        {IDC_KIND_TESTS, choice.tests, InDirectory(directory, {"*.TMP", "*.BAK", "*.TVT"})},
        {IDC_KIND_TEXT_FILES, choice.textFiles, InDirectory(directory, {"*.TXT", "*.RTF"})},
        {IDC_KIND_BITMAPS, choice.bitmaps, InDirectory(directory, {"*.BMP"})},
        {IDC_KIND_SYSTEM_ENTRIES, true, {}},
    };
}

}  // namespace qb
