// The batch file that removes Uninstall's own file and the program directory
// once Uninstall has ended, and then deletes itself.
#pragma once
#include <string>

#include "base/paths.h"

namespace qb {

constexpr const char* kCleanupBatchName = "TmpDelQB.BAT";
// Tries to delete the uninstaller before giving up, about one second apart.
constexpr int kCleanupTries = 60;

// The names the batch file works with, each in the form it is written in
// (short forms where they could be had).
struct CleanupNames {
    std::string uninstaller;
    std::string directory;
    std::string batchFile;
};

// The short (8.3) form of a path when the platform could give one, else the
// path as it stands.
std::string PreferShortForm(const std::string& longPath, const std::string& shortPath);

// The batch file in the temporary directory.
std::string CleanupBatchPath(const Directory& temporaryDirectory);
// Uninstall's own file in the program directory.
std::string UninstallerPath(const Directory& programDirectory);

// The whole file, every line ending in CR LF. The uninstaller is deleted in a
// loop that waits for it to end; the loop gives up after kCleanupTries tries,
// so a file that can never be deleted does not leave a hidden process behind.
std::string CleanupBatchText(const CleanupNames& names);

// The command line that starts the batch file; quoted, since the temporary
// directory may hold spaces.
std::string CleanupCommandLine(const std::string& batchPath);

}  // namespace qb
