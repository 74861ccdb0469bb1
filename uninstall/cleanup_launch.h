// Writes the clean-up batch file into the temporary directory and starts it
// hidden; it removes the uninstaller and the program directory after
// Uninstall has ended.
#pragma once
#include "base/paths.h"

namespace qb {

// Does nothing when the batch file cannot be written.
void WriteAndStartCleanup(const Directory& programDirectory);

}  // namespace qb
