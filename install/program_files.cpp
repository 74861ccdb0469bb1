#include "install/program_files.h"

namespace qb {

std::string ProgramFileSource(const DistributedProgramFile& file, const std::string& sourceDirectory,
                              const std::string& productName) {
    return sourceDirectory + DistributedName(file, productName);
}

}  // namespace qb
