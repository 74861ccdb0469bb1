// The export's connection to Windows: file copies with CopyFile, problems as
// message boxes, and the growing list shown in the export dialog.
#pragma once
#include <windows.h>

#include "creator/export.h"

namespace qb::creator {

class Win32FileCopier final : public FileCopier {
public:
    bool CopyNew(const std::string& source, const std::string& destination) override;
};

class DialogExportReporter final : public ExportReporter {
public:
    DialogExportReporter(HINSTANCE instance, HWND dialog) : instance_(instance), dialog_(dialog) {}
    void Report(ExportProblem problem, const std::string& text) override;
    // Shows the list, redraws the dialog at once and pauses, so the user can follow.
    void ListGrew(const std::string& listText) override;

    // Puts text into the list control, scrolled to its last line.
    void ShowList(const std::string& listText);

private:
    HINSTANCE instance_;
    HWND dialog_;
};

}  // namespace qb::creator
