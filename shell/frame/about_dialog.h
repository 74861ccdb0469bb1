// The About box 116, "Program Information".
#pragma once
#include <windows.h>

namespace qb {

void RunAboutDialog(HWND owner);

}  // namespace qb
