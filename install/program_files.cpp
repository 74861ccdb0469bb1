#include "install/program_files.h"

namespace qb {

std::string ProgramFileSource(const DistributedProgramFile& file, const Directory& sourceDirectory,
                              const std::string& productName) {
    return sourceDirectory.Join(DistributedName(file, productName)).Text();
}

}  // namespace qb
