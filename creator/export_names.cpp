#include "creator/export_names.h"

#include "distribution/list_file.h"
#include "distribution/program_files.h"

namespace qb::creator {

std::string BaseNameOf(const std::string& storedName) {
    const bool inProgramDirectory = !storedName.empty() && storedName[0] == '*';
    return WinPath(inProgramDirectory ? storedName.substr(1) : storedName).FileName();
}

std::string NumberedFilePath(const Directory& destinationPath, int number) {
    return destinationPath.Join(NumberedFileName(number)).Text();
}

std::string ListFilePath(const Directory& destinationPath) {
    return destinationPath.Join(kListFileName).Text();
}

std::vector<FileCopy> ProgramFileCopies(const Directory& programDirectory, const std::string& productWord,
                                        const Directory& destinationPath) {
    std::vector<FileCopy> copies;
    for (const DistributedProgramFile& file : kDistributedProgramFiles) {
        copies.push_back({programDirectory.Join(InstalledName(file, productWord)).Text(),
                          destinationPath.Join(DistributedName(file, productWord)).Text()});
    }
    return copies;
}

namespace {

bool IsReservedCharacter(char c) {
    const std::string reserved = "\\/:*?\"<>|";
    return static_cast<unsigned char>(c) < 0x20 || reserved.find(c) != std::string::npos;
}

}  // namespace

DestinationNameCheck CheckDestinationName(const std::string& name) {
    if (name.empty()) return DestinationNameCheck::Empty;
    const std::string directory = Directory(name).Text();
    if (directory.empty()) return DestinationNameCheck::Refused;
    bool onlyDotsAndBlanks = true;
    for (char c : directory) {
        if (IsReservedCharacter(c)) return DestinationNameCheck::Refused;
        if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
    }
    return onlyDotsAndBlanks ? DestinationNameCheck::Refused : DestinationNameCheck::Acceptable;
}

}  // namespace qb::creator
