// qbtool's commands: check, salvage, import and export. Each returns the
// process's exit code: 0 done (or clean), 1 findings, 2 refused or failed.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "base/byte_stream.h"

namespace qb {

constexpr int kExitClean = 0;
constexpr int kExitFindings = 1;
constexpr int kExitFailed = 2;

struct ToolConsole {
    std::ostream& out;
    std::ostream& err;
    // Keywords and texts shown converted from Windows-1252 to UTF-8, as the
    // messages about a table's characters are; else shown as stored.
    bool showUtf8 = false;
};

// args without the program's name.
int RunQbtool(const std::vector<std::string>& args, FileSystem& files, ToolConsole& console);

}  // namespace qb
