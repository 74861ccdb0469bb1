// Dialog 102: the export itself, started at the dialog's first paint.
#pragma once
#include <windows.h>

#include <memory>

#include "creator/export.h"

namespace qb::creator {

struct ExportDialogState;

struct ExportDialogData {
    ExportDialogData();
    ~ExportDialogData();
    ExportSettings settings;
    // The export while the dialog is open.
    std::unique_ptr<ExportDialogState> state;
};

// True when everything was exported without a failure.
bool RunExportDialog(HINSTANCE instance, ExportDialogData* data);

}  // namespace qb::creator
