// The progress Install's work is worth, and where it finds the program files.
#pragma once
#include <string>

#include "base/product_names.h"
#include "distribution/program_files.h"

namespace qb {

// The bar runs from 0 to kProgressRange; the work starts at kProgressStart and
// a full installation ends exactly at the range's end.
constexpr int kProgressStart = 5;
constexpr int kProgressRange = 425;
constexpr int kStepDirectoryMade = 5;
constexpr int kStepMarker = 5;
constexpr int kStepDataPath = 5;
constexpr int kStepAssociation = 15;
constexpr int kStepUninstallEntry = 5;

constexpr int FullInstallationProgress() {
    int position =
        kProgressStart + kStepDirectoryMade + kStepMarker + kStepDataPath + kStepAssociation + kStepUninstallEntry;
    for (const DistributedProgramFile& file : kDistributedProgramFiles) position += file.installWeight;
    return position;
}
static_assert(FullInstallationProgress() == kProgressRange, "a full installation fills the bar exactly");

// Where a program file lies in the distribution directory.
std::string ProgramFileSource(const DistributedProgramFile& file, const Directory& sourceDirectory,
                              const std::string& productName);

}  // namespace qb
