// qbdrive: drives the programs under test from outside, as a user would, and
// reads what they show. One command per run; see tests/e2e/README.md.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/driver/commands.h"
#include "tests/e2e/driver/ids.h"

namespace qbdrive {
namespace {

int CmdIds(const Args&) {
    PrintIdsForShell();
    return kOk;
}

int CmdId(const Args& args) {
    if (args.Count() != 1) return Usage("id NAME");
    long value = 0;
    std::string error;
    if (!ResolveId(args.At(0), &value, &error)) return Fail(error);
    std::printf("%ld\n", value);
    return kOk;
}

struct Command {
    const char* name;
    int (*run)(const Args&);
    std::vector<std::string> flags;  // options without a value
};

const Command kCommands[] = {
    {"ids", CmdIds, {}},
    {"id", CmdId, {}},
    {"windows", CmdWindows, {"hidden"}},
    {"children", CmdChildren, {}},
    {"wait-window", CmdWaitWindow, {"hidden"}},
    {"wait-dialog", CmdWaitDialog, {"hidden"}},
    {"wait-gone", CmdWaitGone, {}},
    {"count", CmdCount, {"hidden"}},
    {"text", CmdText, {}},
    {"wait-text", CmdWaitText, {}},
    {"is-window", CmdIsWindow, {}},
    {"enabled", CmdEnabled, {}},
    {"visible", CmdVisible, {}},
    {"rect", CmdRect, {}},
    {"client-size", CmdClientSize, {}},
    {"move", CmdMove, {}},
    {"show", CmdShow, {}},
    {"command", CmdCommand, {}},
    {"post-command", CmdPostCommand, {}},
    {"send", CmdSend, {}},
    {"post", CmdPost, {}},
    {"close", CmdClose, {}},
    {"keys", CmdKeys, {}},
    {"status", CmdStatus, {}},
    {"toolbar", CmdToolbar, {}},
    {"toolbar-state", CmdToolbarState, {}},
    {"tooltip", CmdTooltip, {}},
    {"menu", CmdMenu, {}},
    {"menu-state", CmdMenuState, {}},
    {"font", CmdFont, {}},
    {"lv-items", CmdListItems, {}},
    {"lv-select", CmdListSelect, {}},
    {"lv-deselect", CmdListDeselect, {}},
    {"lv-selected", CmdListSelected, {}},
    {"press", CmdPress, {}},
    {"check", CmdCheck, {}},
    {"checked", CmdChecked, {}},
    {"set-text", CmdSetText, {}},
    {"type", CmdType, {}},
    {"launch", CmdLaunch, {}},
    {"wait-exit", CmdWaitExit, {}},
    {"kill", CmdKill, {}},
    {"processes", CmdProcesses, {}},
    {"reg-get", CmdRegGet, {}},
    {"reg-info", CmdRegInfo, {}},
    {"reg-set", CmdRegSet, {}},
    {"reg-delete-value", CmdRegDeleteValue, {}},
    {"reg-delete", CmdRegDelete, {}},
    {"reg-exists", CmdRegExists, {}},
    {"reg-values", CmdRegValues, {}},
    {"reg-keys", CmdRegKeys, {}},
};

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qbdrive COMMAND [ARGS]; commands:");
        for (const auto& command : kCommands) std::fprintf(stderr, " %s", command.name);
        std::fprintf(stderr, "\n");
        return kUsage;
    }
    std::vector<std::string> words(argv + 2, argv + argc);
    for (const auto& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0) return command.run(Args(words, command.flags));
    }
    return Usage(std::string("unknown command ") + argv[1]);
}

}  // namespace
}  // namespace qbdrive

int main(int argc, char** argv) {
    // Output goes to pipes read by shell scripts: plain LF line ends, no buffering surprises.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return qbdrive::Run(argc, argv);
}
