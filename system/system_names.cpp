#include "system/system_names.h"

#include "base/document_names.h"
#include "base/paths.h"
#include "distribution/program_files.h"

namespace qb {

std::string TestExtensionKey() {
    return std::string(".") + kTestExtension;
}

SystemNames SuiteSystemNames() {
    return {InstalledName(kMainProgram), kOpenVerbText, kUninstallEntryName, kLinkFileName};
}

std::string DefaultIconValue(const std::string& dir, const std::string& programFile) {
    return dir + programFile + ",-" + std::to_string(kDocumentIconId);
}

std::string OpenCommandValue(const std::string& dir, const std::string& programFile) {
    return dir + programFile + " %1";
}

std::string UninstallStringValue(const std::string& dir) {
    return dir + InstalledName(kUninstallProgram);
}

std::string LinkFilePath(const std::string& folder, const std::string& linkName) {
    return WithTrailingBackslash(folder) + linkName;
}

}  // namespace qb
