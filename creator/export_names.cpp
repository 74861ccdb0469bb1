#include "creator/export_names.h"

#include <cstdio>

namespace qb::creator {

std::string JoinPath(const std::string& directory, const std::string& name) {
    return directory + "\\" + name;
}

std::string DropTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
    return path;
}

std::string FileNameOfPath(const std::string& path) {
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string BaseNameOf(const std::string& storedName) {
    if (!storedName.empty() && storedName[0] == '*') return storedName.substr(1);
    return FileNameOfPath(storedName);
}

std::string SourceOf(const std::string& storedName, const std::string& programDirectory) {
    if (!storedName.empty() && storedName[0] == '*') return JoinPath(programDirectory, storedName.substr(1));
    return storedName;
}

std::string NumberedFilePath(const std::string& destinationPath, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "T%07d", number);
    return JoinPath(destinationPath, name);
}

std::string ListFilePath(const std::string& destinationPath) {
    return JoinPath(destinationPath, "TEST.LST");
}

std::vector<FileCopy> ProgramFileCopies(const std::string& programDirectory, const std::string& productWord,
                                        const std::string& destinationPath) {
    auto from = [&](const std::string& name) { return JoinPath(programDirectory, name); };
    auto to = [&](const std::string& name) { return JoinPath(destinationPath, name); };
    return {
        {from(productWord + ".exe"), to("D01")},
        {from(productWord + ".hlp"), to(productWord + ".hlp")},
        {from("Uninstall.exe"), to("D03")},
        {from("ReadMe.txt"), to("ReadMe.txt")},
        {from("Creator.exe"), to("D05")},
        {from("Install.exe"), to("Install.exe")},
    };
}

bool ProgramDirectoryFromValue(const std::string& value, std::string& programDirectory) {
    programDirectory = DropTrailingBackslash(value);
    return !programDirectory.empty();
}

namespace {

bool IsReservedCharacter(char c) {
    const std::string reserved = "\\/:*?\"<>|";
    return static_cast<unsigned char>(c) < 0x20 || reserved.find(c) != std::string::npos;
}

}  // namespace

DestinationNameCheck CheckDestinationName(const std::string& name) {
    if (name.empty()) return DestinationNameCheck::Empty;
    // The path is formed and then loses one trailing backslash, so "Export\" names "Export".
    const std::string directory = DropTrailingBackslash(name);
    if (directory.empty()) return DestinationNameCheck::Refused;
    bool onlyDotsAndBlanks = true;
    for (char c : directory) {
        if (IsReservedCharacter(c)) return DestinationNameCheck::Refused;
        if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
    }
    return onlyDotsAndBlanks ? DestinationNameCheck::Refused : DestinationNameCheck::Acceptable;
}

}  // namespace qb::creator
