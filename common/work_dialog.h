// The progress dialogs of Install, Uninstall and Creator: a modal dialog that
// does one piece of work, started from its first paint so that it is on
// screen while the work goes on. The work cannot be cancelled.
#pragma once
#include <windows.h>

namespace qb {

// What one progress dialog does at each stage.
class WorkDialog {
public:
    virtual ~WorkDialog() = default;
    // At WM_INITDIALOG. False ends the dialog with 0 and no work is done.
    virtual bool Prepare(HWND dialog) = 0;
    // The work itself; its result ends the dialog.
    virtual INT_PTR Work(HWND dialog) = 0;
    // Between BeginPaint and EndPaint of every paint.
    virtual void Paint(HWND) {}
};

struct WorkDialogSettings {
    int dialogId = 0;
    int startCommand = 0;         // sent to the dialog at its first paint
    INT_PTR resultOnFailure = 0;  // ends the dialog when a step throws
    DWORD pauseAfterPaintMs = 0;  // paces work that paints while it goes on
};

// Runs the dialog without an owner; returns the result it ended with.
INT_PTR RunWorkDialog(HINSTANCE instance, const WorkDialogSettings& settings, WorkDialog& work);

}  // namespace qb
