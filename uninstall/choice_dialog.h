// Dialog 101: finds the program directory and lets the user choose the kinds
// of user files to delete.
#pragma once
#include <windows.h>

#include <string>

#include "uninstall/removal_plan.h"

namespace qb {

struct ChoiceData {
    Directory programDirectory;
    RemovalChoice choice;
};

// True on Remove; false on Cancel, the close box, or when the program
// directory cannot be located (the user has been told).
bool RunChoiceDialog(HINSTANCE instance, ChoiceData* data);

}  // namespace qb
