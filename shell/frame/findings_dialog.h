// The findings of Check test, one row each (keyword, finding); a double-click
// on a row picks its question.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "authoring/question_check.h"

namespace qb {

struct FindingsDialogData {
    const std::vector<Finding>* findings = nullptr;
    int32_t pickedKey = -1;  // the key of the question double-clicked; -1 for none
};

// Runs the dialog over data; data.pickedKey tells what was picked.
void RunFindingsDialog(HWND owner, FindingsDialogData& data);

}  // namespace qb
