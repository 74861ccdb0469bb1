// The About box, dialog 116.
#pragma once
#include <windows.h>

namespace qb {

void RunAboutDialog(HWND owner);

}  // namespace qb
