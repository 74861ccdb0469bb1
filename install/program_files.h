// The six program files Install copies, and the progress they are worth.
#pragma once
#include <array>
#include <string>

namespace qb {

constexpr const char* kProductName = "Quorbelind";
constexpr const char* kVersionKey = "V1.00";

// How the distribution directory names a program file.
enum class SourceNaming {
    Numbered,  // "D" and two digits: the string id minus 50
    HelpFile,  // the product name and ".hlp"
    OwnName,   // the destination name itself
};

struct ProgramFile {
    int stringId;                 // string-table entry with the destination name
    const char* destinationName;  // the same text, for code that has no string table
    SourceNaming naming;
    int weight;                   // what the progress position grows by after the file
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

}  // namespace qb
