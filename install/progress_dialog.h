// Dialog 105: runs the installation work inside its first paint.
#pragma once
#include <windows.h>

#include "install/install_work.h"
#include "system/system_entries.h"

namespace qb {

struct ProgressData {
    InstallState* state = nullptr;
    SystemNames names;
};

// False when the destination directory could not be made.
bool RunProgressDialog(HINSTANCE instance, ProgressData* data);

}  // namespace qb
