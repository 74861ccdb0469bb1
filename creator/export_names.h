// Names and paths of a distribution directory: where each file comes from and
// what it is called there. Paths use the backslash of the target system.
#pragma once
#include <string>
#include <vector>

#include "base/paths.h"

namespace qb::creator {

// The name an attached file gets in the exported test and the list file: the
// file name of the stored path, after a leading "*" if there is one. Install
// creates it in one folder, so it holds no separator.
std::string BaseNameOf(const std::string& storedName);

// The numbered file of a distribution directory ("T0000001").
std::string NumberedFilePath(const Directory& destinationPath, int number);

// The list file of a distribution directory.
std::string ListFilePath(const Directory& destinationPath);

struct FileCopy {
    std::string source;
    std::string destination;
};

// The six program files in copying order, with their names in the
// distribution directory (D01, the help file, D03, ReadMe.txt, D05, Install.exe).
std::vector<FileCopy> ProgramFileCopies(const Directory& programDirectory, const std::string& productWord,
                                        const Directory& destinationPath);

enum class DestinationNameCheck {
    Empty,    // nothing typed: the user is asked for a name
    Refused,  // would leave the program directory or cannot name a directory
    Acceptable,
};

// A destination name must name a subdirectory one level below the program
// directory: no reserved characters and not made of dots and blanks alone
// (Windows drops trailing dots and blanks, so "..." would be the program
// directory itself and ".. " its parent). The name is a Directory, so
// "Export\" names "Export".
DestinationNameCheck CheckDestinationName(const std::string& name);

}  // namespace qb::creator
