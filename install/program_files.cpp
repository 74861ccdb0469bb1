#include "install/program_files.h"

#include "install/resource_ids.h"

#include <cstdio>

namespace qb {

const std::array<ProgramFile, 6> kProgramFiles = {{
    {IDS_MAIN_PROGRAM_FILE, "Quorbelind.exe", SourceNaming::Numbered, 114},
    {IDS_HELP_FILE, "Quorbelind.hlp", SourceNaming::HelpFile, 117},
    {IDS_UNINSTALL_PROGRAM_FILE, "Uninstall.exe", SourceNaming::Numbered, 44},
    {IDS_README_FILE, "ReadMe.txt", SourceNaming::OwnName, 7},
    {IDS_CREATOR_PROGRAM_FILE, "Creator.exe", SourceNaming::Numbered, 53},
    {IDS_INSTALL_PROGRAM_FILE, "Install.exe", SourceNaming::OwnName, 50},
}};

int FullInstallationProgress() {
    int position = kProgressStart + kStepDirectoryMade + kStepMarker + kStepDataPath +
                   kStepAssociation + kStepUninstallEntry;
    for (const ProgramFile& file : kProgramFiles) position += file.weight;
    return position;
}

std::string PathInDirectory(const std::string& directory, const std::string& name) {
    return directory + name;
}

std::string ProgramFileSource(const ProgramFile& file, const std::string& sourceDirectory,
                              const std::string& productName) {
    switch (file.naming) {
    case SourceNaming::Numbered: {
        char name[16];
        std::snprintf(name, sizeof name, "D%02d", file.stringId - 50);
        return sourceDirectory + name;
    }
    case SourceNaming::HelpFile:
        return sourceDirectory + productName + ".hlp";
    case SourceNaming::OwnName:
        break;
    }
    return sourceDirectory + file.destinationName;
}

}  // namespace qb
