#include "uninstall/removal_plan.h"

#include <cctype>

#include "base/paths.h"
#include "distribution/program_files.h"
#include "base/document_names.h"

namespace qb {
namespace {

std::vector<std::string> InDirectory(const Directory& directory, const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) paths.push_back(directory.Join(name).Text());
    return paths;
}

// The program files in the table's order, each followed by the file the
// system makes beside it; Uninstall itself is left to the clean-up.
std::vector<std::string> ProgramFileNames(const std::string& baseName) {
    std::vector<std::string> names;
    for (const DistributedProgramFile& file : kDistributedProgramFiles) {
        if (!file.removedWithPrograms) continue;
        const std::string name = UpperCase(InstalledName(file, baseName));
        names.push_back(name);
        if (file.companion) names.push_back(name.substr(0, name.rfind('.')) + UpperCase(file.companion));
    }
    return names;
}

}  // namespace

std::vector<RemovalGroup> RemovalGroups(const Directory& directory, const std::string& baseName,
                                        const RemovalChoice& choice) {
    return {
        {RemovalKind::ProgramFiles, true, InDirectory(directory, ProgramFileNames(baseName))},
        {RemovalKind::Tests, choice.tests, InDirectory(directory, TestFilePatterns())},
        {RemovalKind::TextFiles, choice.textFiles, InDirectory(directory, {"*.TXT", "*.RTF"})},
        {RemovalKind::Bitmaps, choice.bitmaps, InDirectory(directory, {"*.BMP"})},
        {RemovalKind::SystemEntries, true, {}},
    };
}

}  // namespace qb
