// Dialog 102: the export itself, started at the dialog's first paint.
#pragma once
#include <windows.h>

#include "creator/export.h"

namespace qb::creator {

struct ExportDialogData {
    ExportSettings settings;
};

// True when everything was exported without a failure.
bool RunExportDialog(HINSTANCE instance, ExportDialogData* data);

}  // namespace qb::creator
