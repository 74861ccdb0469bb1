#include "distribution/program_files.h"

#include <cstdio>

namespace qb {

std::string InstalledName(const DistributedProgramFile& file, const std::string& productWord) {
    return (file.stem ? std::string(file.stem) : productWord) + file.extension;
}

std::string DistributedName(const DistributedProgramFile& file, const std::string& productWord) {
    if (file.number <= 0) return InstalledName(file, productWord);
    char name[16];
    std::snprintf(name, sizeof name, "D%02d", file.number);
    return name;
}

}  // namespace qb
