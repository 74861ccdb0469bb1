// The program files a distribution directory carries besides the tests: the
// name each has in the program directory and the name it has in the
// distribution directory. Creator copies them in by this table and Install
// copies them out by it.
#pragma once
#include <array>
#include <string>

namespace qb {

struct DistributedProgramFile {
    const char* stem;  // nullptr: the product word names the file
    const char* extension;
    int number;  // above 0: kept as "D" and two digits; 0: kept under its own name
};

// In copying order: the main program, its help file, Uninstall, the ReadMe,
// Creator and Install.
constexpr std::array<DistributedProgramFile, 6> kDistributedProgramFiles = {{
    {nullptr, ".exe", 1},
    {nullptr, ".hlp", 0},
    {"Uninstall", ".exe", 3},
    {"ReadMe", ".txt", 0},
    {"Creator", ".exe", 5},
    {"Install", ".exe", 0},
}};

// The name in the program directory ("Quorbelind.exe" for the product word "Quorbelind").
std::string InstalledName(const DistributedProgramFile& file, const std::string& productWord);

// The name in the distribution directory ("D01", or the installed name).
std::string DistributedName(const DistributedProgramFile& file, const std::string& productWord);

}  // namespace qb
