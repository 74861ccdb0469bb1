// The import dialog: how a table will be read (encoding, separator, header
// row), with a preview of its first question rows.
#pragma once
#include <windows.h>

#include <string>

#include "authoring/question_table.h"
#include "base/paths.h"

namespace qb {

struct ImportDialogData {
    const std::string* tableBytes = nullptr;
    Directory programDirectory;    // where the help file lies
    TableOptions options;          // on OK: the encoding, separator and header as shown
};

// True on OK.
bool RunImportDialog(HWND owner, ImportDialogData& data);

}  // namespace qb
