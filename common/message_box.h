// Message boxes whose text and caption come from the string table, each
// preceded by the system sound of its icon.
#pragma once
#include <windows.h>
#include <string>

#include "common/failure_guard.h"

namespace qb {

// Loads a string-table entry (at most maxChars characters).
std::string LoadResourceString(HINSTANCE module, UINT id, int maxChars = 255);

// MessageBeep with the icon type of style, then MessageBoxA with that style.
int BeepAndShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style);

// The same with text and caption loaded from the string table of module.
int ShowStringMessage(HINSTANCE module, HWND owner, UINT textId, UINT captionId, UINT style);

// The string-table message a program shows when a handler failed.
struct FailureMessages {
    UINT noMemoryTextId;  // for an allocation failure
    UINT otherTextId;     // for any other failure
    UINT captionId;
    UINT style;
};

void ShowFailureMessage(HINSTANCE module, HWND owner, const FailureMessages& messages, FailureKind kind);

// The sound type that belongs to a message box style (its icon bits).
UINT SoundOfStyle(UINT style);

}  // namespace qb
