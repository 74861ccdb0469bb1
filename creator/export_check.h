// The check of a test before Creator exports it.
#pragma once
#include <windows.h>

#include <string>

#include "base/paths.h"

namespace qb::creator {

// Checks the test as qbtool check does, attachments looked up as the export
// looks them up. True when the export goes on: the test is clean, cannot be
// opened (the export reports that itself), or the author answers Yes to the
// findings shown.
bool ConfirmExportAfterCheck(HINSTANCE instance, const Directory& programDirectory, const std::string& testPath);

}  // namespace qb::creator
