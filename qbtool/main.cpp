// qbtool: checks, salvages, imports and exports tests from the command line.
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "qbtool/commands.h"

namespace {

#ifdef _WIN32
// The console shows UTF-8 while qbtool runs, so that a message can show a
// character Windows-1252 has no form for; the console's own code page is
// given back on the way out.
class Utf8Console {
public:
    Utf8Console() : previous_(GetConsoleOutputCP()) { SetConsoleOutputCP(CP_UTF8); }
    ~Utf8Console() {
        if (previous_ != 0) SetConsoleOutputCP(previous_);
    }
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    UINT previous_;
};
#endif

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
#ifdef _WIN32
    const Utf8Console utf8Console;
#endif
    qb::ToolConsole console{std::cout, std::cerr, true};
    const int code = qb::RunQbtool(args, qb::RealFileSystem(), console);
    std::cout.flush();
    return code;
}
