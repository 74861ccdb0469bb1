#include "base/document_names.h"

#include <cctype>

namespace qb {

std::string Extension() {
    return std::string(".") + kTestExtension;
}

namespace {

constexpr char kRecoveredWord[] = " recovered";

}  // namespace

WinPath JournalPathFor(const Directory& programDirectory) {
    return programDirectory.Join(kJournalName);
}

std::string RecoveredTestName(const std::string& testStem, int number) {
    const std::string counted = number == 1 ? std::string() : " " + std::to_string(number);
    return testStem + kRecoveredWord + counted + Extension();
}

std::string TestFileFilter(bool withAllFiles) {
    const std::string pattern = "*" + Extension();
    std::string filter = "Tests (" + pattern + ")" + '\0' + pattern + '\0';
    if (withAllFiles) filter += std::string("All Files (*.*)") + '\0' + "*.*" + '\0';
    return filter + '\0';
}

std::vector<std::string> TestFilePatterns() {
    const std::string any = "*.";
    return {kJournalName,
            kKeptJournalName,
            any + kTemporarySuffix,
            any + kBackupSuffix,
            UpperCase("*" + std::string(kRecoveredWord) + Extension()),
            UpperCase("*" + std::string(kRecoveredWord) + " *" + Extension()),
            any + kSavedSuffix};
}

}  // namespace qb
