#include "base/document_names.h"

#include <cctype>

#include "base/paths.h"

namespace qb {

namespace {

constexpr char kRecoveredWord[] = " recovered";

std::string Extension() {
    return std::string(".") + kTestExtension;
}

std::string UpperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string CompanionName(const std::string& path, const char* suffix) {
    if (path.size() < 3) return std::string();
    const std::string tail = path.substr(path.size() - 3);
    if (tail.find_first_of("\\/:") != std::string::npos) return std::string();
    return path.substr(0, path.size() - 3) + suffix;
}

std::string JournalPathFor(const std::string& programDirectory) {
    return JoinPath(programDirectory, kJournalName);
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
