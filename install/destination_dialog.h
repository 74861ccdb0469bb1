// Dialog 101: asks for the destination directory.
#pragma once
#include <windows.h>

#include <string>

namespace qb {

struct DestinationData {
    std::string destination;  // on Install: the typed directory with a trailing backslash
};

// True on Install; false on Cancel or the close box.
bool RunDestinationDialog(HINSTANCE instance, DestinationData* data);

}  // namespace qb
