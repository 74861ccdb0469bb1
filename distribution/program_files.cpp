#include "distribution/program_files.h"

#include <cstdio>

#include "base/paths.h"
#include "base/product_names.h"

namespace qb {

std::string InstalledName(const DistributedProgramFile& file, const std::string& productWord) {
    return (file.stem ? std::string(file.stem) : productWord) + file.extension;
}

std::string InstalledName(ProgramFileIndex file) {
    return InstalledName(kDistributedProgramFiles[file], kProductName);
}

std::string ProgramFilePath(const Directory& programDirectory, ProgramFileIndex file) {
    return programDirectory.Join(InstalledName(file)).Text();
}

std::string DistributedName(const DistributedProgramFile& file, const std::string& productWord) {
    if (file.number <= 0) return InstalledName(file, productWord);
    char name[16];
    std::snprintf(name, sizeof name, "D%02d", file.number);
    return name;
}

}  // namespace qb
