// Symbolic names of the programs' resource and control ids.
#pragma once
#include <string>

namespace qbdrive {

struct IdEntry {
    const char* name;
    long value;
};

struct IdTable {
    const char* program;  // folder of the header, e.g. "shell"
    const IdEntry* entries;
};

// Resolves "NAME", "program.NAME" or a decimal/hex number. Returns false and
// fills error when the name is unknown or means different values in two programs.
bool ResolveId(const std::string& text, long* value, std::string* error);

// Prints NAME=VALUE for every name with one meaning, for sourcing by shell scripts.
void PrintIdsForShell();

}  // namespace qbdrive
