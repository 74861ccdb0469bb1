// Which of Uninstall's deletions can be undone: the files of the kinds the
// user chose (tests, text files, bitmaps) go to the Recycle Bin, where an
// unwanted tick can be taken back. The programs' own files and the working
// files the program makes and removes itself (*.TMP: the change journal and a
// save's unfinished copy) are deleted for good, as are the system entries.
#pragma once
#include <string>

#include "uninstall/removal_plan.h"

namespace qb {

bool GoesToRecycleBin(RemovalKind kind, const std::string& pathOrPattern);

}  // namespace qb
