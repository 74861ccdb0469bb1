// Dialog 101: asks for the destination directory.
#pragma once
#include <windows.h>

#include <string>

#include "base/paths.h"

namespace qb {

struct DestinationData {
    Directory destination;  // on Install: the typed directory
};

// True on Install; false on Cancel or the close box.
bool RunDestinationDialog(HINSTANCE instance, DestinationData* data);

}  // namespace qb
