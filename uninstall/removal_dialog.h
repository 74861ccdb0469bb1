// Dialog 103: removes the groups one after another inside its first paint and
// marks each group done with a grey tick.
#pragma once
#include <windows.h>

#include <string>

#include "system/system_entries.h"
#include "uninstall/removal_plan.h"

namespace qb {

struct RemovalData {
    Directory programDirectory;
    RemovalChoice choice;
    std::string baseName;  // the programs' base name, from the string table
    SystemNames names;
};

void RunRemovalDialog(HINSTANCE instance, RemovalData* data);

// Deletes the files matching one path or pattern, into the Recycle Bin or for
// good; folders are left.
void RemoveOneKind(const std::string& pathOrPattern, bool toRecycleBin);

}  // namespace qb
