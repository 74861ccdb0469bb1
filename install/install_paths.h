// Directory names Install works with, and the texts of the system entries it
// writes for a program directory.
#pragma once
#include <string>

#include "base/paths.h"

namespace qb {

// The destination proposed in the destination dialog: the drive of the Windows
// directory, a backslash and the product name (C:\WINDOWS gives C:\Quorbelind).
std::string SuggestedDestination(const std::string& windowsDirectory, const std::string& productName);

// True for a destination that must not be used: empty, or a drive root alone
// ("C:", "C:\", "\"). A program directory there would later let the removal of
// user files sweep the whole drive root.
bool IsRefusedDestination(const std::string& destination);

}  // namespace qb
