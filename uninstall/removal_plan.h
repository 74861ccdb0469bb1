// What Uninstall deletes: the groups of paths and patterns removed from the
// program directory, in order.
#pragma once
#include <string>
#include <vector>

#include "base/paths.h"

namespace qb {

struct RemovalChoice {
    bool tests = true;
    bool textFiles = true;
    bool bitmaps = true;
};

enum class RemovalKind { ProgramFiles, Tests, TextFiles, Bitmaps, SystemEntries };

struct RemovalGroup {
    RemovalKind kind;
    bool chosen;                     // false: skipped, box stays empty
    std::vector<std::string> paths;  // in deletion order; empty for the system entries
};

// The five groups in their order: program files, tests, text files, bitmaps,
// system entries. baseName is the programs' base name ("QUORBELIND").
std::vector<RemovalGroup> RemovalGroups(const Directory& directory, const std::string& baseName,
                                        const RemovalChoice& choice);

}  // namespace qb
