// qbtool: checks, salvages, imports and exports tests from the command line.
#include <iostream>
#include <string>
#include <vector>

#include "qbtool/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    qb::ToolConsole console{std::cout, std::cerr, false};
#else
    qb::ToolConsole console{std::cout, std::cerr, true};
#endif
    const int code = qb::RunQbtool(args, qb::RealFileSystem(), console);
    std::cout.flush();
    return code;
}
