// The program directory, as setup stored it for the current user.
#pragma once
#include <string>

namespace qb::creator {

// Reads "DataPath" from HKCU\Software\Tolvexia\Quorbelind and drops one
// trailing backslash. False when the key or the value is missing or unusable.
bool ReadProgramDirectory(std::string& programDirectory);

}  // namespace qb::creator
