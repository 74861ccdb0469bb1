#include "system/system_names.h"

#include "base/document_names.h"
#include "distribution/program_files.h"

namespace qb {

std::string TestExtensionKey() {
    return Extension();
}

SystemNames SuiteSystemNames() {
    return {InstalledName(kMainProgram), kOpenVerbText, kUninstallEntryName, kLinkFileName};
}

std::string DefaultIconValue(const Directory& dir, const std::string& programFile) {
    return dir.Join(programFile).Text() + ",-" + std::to_string(kDocumentIconId);
}

std::string OpenCommandValue(const Directory& dir, const std::string& programFile) {
    return dir.Join(programFile).Text() + " %1";
}

std::string UninstallStringValue(const Directory& dir) {
    return dir.Join(InstalledName(kUninstallProgram)).Text();
}

std::string LinkFilePath(const std::string& folder, const std::string& linkName) {
    return Directory(folder).Join(linkName).Text();
}

}  // namespace qb
