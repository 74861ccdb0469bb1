// What Uninstall deletes: the program directory it may work in, and the groups
// of paths and patterns removed from it, in order.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace qb {

// The program directory named by a DataPath value: one trailing backslash
// dropped. Nothing when the value is empty or names a drive root alone, where
// the patterns of the user-file groups would reach far beyond the program.
std::optional<std::string> ProgramDirectoryFromDataPath(const std::string& dataPath);

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
std::vector<RemovalGroup> RemovalGroups(const std::string& directory, const std::string& baseName,
                                        const RemovalChoice& choice);

}  // namespace qb
