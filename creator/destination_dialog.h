// Dialog 101: the name of the distribution directory below the program directory.
#pragma once
#include <windows.h>
#include <string>

#include "base/paths.h"

namespace qb::creator {

struct DestinationData {
    Directory programDirectory;  // shown to the user
    Directory destinationPath;   // set on OK: an existing directory
};

// True when the user confirmed a name and the directory exists; false on Cancel.
bool RunDestinationDialog(HINSTANCE instance, DestinationData* data);

}  // namespace qb::creator
