// The six program files Install copies, and the progress they are worth.
#pragma once
#include <array>
#include <string>

#include "base/product_names.h"
#include "distribution/program_files.h"

namespace qb {

struct ProgramFile {
    const DistributedProgramFile& file;  // its names in the distribution and program directories
    int stringId;                        // string-table entry with the destination name
    int weight;                          // what the progress position grows by after the file
};

extern const std::array<ProgramFile, 6> kProgramFiles;

// The bar runs from 0 to kProgressRange; the work starts at kProgressStart and
// a full installation ends exactly at the range's end.
constexpr int kProgressStart = 5;
constexpr int kProgressRange = 425;
constexpr int kStepDirectoryMade = 5;
constexpr int kStepMarker = 5;
constexpr int kStepDataPath = 5;
constexpr int kStepAssociation = 15;
constexpr int kStepUninstallEntry = 5;

// The position after a full installation: start, registry steps and file weights.
int FullInstallationProgress();

// directory must end in a backslash; the name is appended as it stands.
std::string PathInDirectory(const std::string& directory, const std::string& name);

// Where a program file lies in the distribution directory.
std::string ProgramFileSource(const ProgramFile& file, const std::string& sourceDirectory,
                              const std::string& productName);

// The name the string table gives a program file, for code that has no string table.
std::string DestinationName(const ProgramFile& file);

}  // namespace qb
