// Dialog 109: the kinds of shortcuts to create.
#pragma once
#include <windows.h>

#include <string>

#include "system/system_entries.h"

namespace qb {

struct ShortcutData {
    Directory programDirectory;
    SystemNames names;
};

void RunShortcutDialog(HINSTANCE instance, ShortcutData* data);

}  // namespace qb
