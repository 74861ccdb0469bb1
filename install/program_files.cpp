#include "install/program_files.h"

#include "install/resource_ids.h"

namespace qb {

const std::array<ProgramFile, 6> kProgramFiles = {{
    {kDistributedProgramFiles[0], IDS_MAIN_PROGRAM_FILE, 114},
    {kDistributedProgramFiles[1], IDS_HELP_FILE, 117},
    {kDistributedProgramFiles[2], IDS_UNINSTALL_PROGRAM_FILE, 44},
    {kDistributedProgramFiles[3], IDS_README_FILE, 7},
    {kDistributedProgramFiles[4], IDS_CREATOR_PROGRAM_FILE, 53},
    {kDistributedProgramFiles[5], IDS_INSTALL_PROGRAM_FILE, 50},
}};

int FullInstallationProgress() {
    int position =
        kProgressStart + kStepDirectoryMade + kStepMarker + kStepDataPath + kStepAssociation + kStepUninstallEntry;
    for (const ProgramFile& file : kProgramFiles) position += file.weight;
    return position;
}

std::string PathInDirectory(const std::string& directory, const std::string& name) {
    return directory + name;
}

std::string ProgramFileSource(const ProgramFile& file, const std::string& sourceDirectory,
                              const std::string& productName) {
    return sourceDirectory + DistributedName(file.file, productName);
}

std::string DestinationName(const ProgramFile& file) {
    return InstalledName(file.file, kProductName);
}

}  // namespace qb
