// The program files of the suite: the name each has in the program directory
// and in a distribution directory, what copying it is worth on Install's
// progress bar, and how Uninstall removes it. Creator copies them in by this
// table, Install copies them out by it and Uninstall removes them by it.
#pragma once
#include <array>
#include <string>

#include "base/paths.h"

namespace qb {

struct DistributedProgramFile {
    const char* stem;  // nullptr: the product word names the file
    const char* extension;
    int number;         // above 0: kept as "D" and two digits; 0: kept under its own name
    int installWeight;  // what Install's progress position grows by after the file
    // Removed with the programs; Uninstall itself goes last, by its clean-up.
    bool removedWithPrograms;
    const char* companion;  // extension of a file the system makes beside it, or nullptr
};

enum ProgramFileIndex { kMainProgram, kHelpFile, kUninstallProgram, kReadMe, kCreatorProgram, kInstallProgram };

// In copying order: the main program, its help file, Uninstall, the ReadMe,
// Creator and Install. The help viewer keeps its index beside the help file.
constexpr std::array<DistributedProgramFile, 6> kDistributedProgramFiles = {{
    {nullptr, ".exe", 1, 114, true, nullptr},
    {nullptr, ".hlp", 0, 117, true, ".gid"},
    {"Uninstall", ".exe", 3, 44, false, nullptr},
    {"ReadMe", ".txt", 0, 7, true, nullptr},
    {"Creator", ".exe", 5, 53, true, nullptr},
    {"Install", ".exe", 0, 50, true, nullptr},
}};

// The name in the program directory ("Quorbelind.exe" for the product word "Quorbelind").
std::string InstalledName(const DistributedProgramFile& file, const std::string& productWord);
// The same of the suite's own product word.
std::string InstalledName(ProgramFileIndex file);

// The file in the program directory.
std::string ProgramFilePath(const Directory& programDirectory, ProgramFileIndex file);

// The name in the distribution directory ("D01", or the installed name).
std::string DistributedName(const DistributedProgramFile& file, const std::string& productWord);

}  // namespace qb
