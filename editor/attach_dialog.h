// The attach dialog (template 112): ticks and clears the four attachment
// slots of the question dialog, choosing each file with the open-file dialog.
#pragma once
#include <windows.h>

#include <string>

#include "base/paths.h"
#include "editor/attachments.h"

namespace qb {

struct AttachDialogData {
    HINSTANCE module = nullptr;
    Directory programDirectory;
    AttachmentSlots* slots = nullptr;      // changed in place by every click
    OpenFileSetting* textFiles = nullptr;  // their filter index follows the user's pick
    OpenFileSetting* pictures = nullptr;
};

// Runs the dialog modally over owner: 1 for OK, 0 for Cancel. Both keep
// what the clicks did to the slots.
int RunAttachDialog(HWND owner, AttachDialogData& data);

}  // namespace qb
