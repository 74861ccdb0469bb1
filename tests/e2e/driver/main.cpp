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
    {"place", CmdPlace, {}},
    {"style", CmdStyle, {}},
    {"move", CmdMove, {}},
    {"show", CmdShow, {}},
    {"command", CmdCommand, {}},
    {"post-command", CmdPostCommand, {}},
    {"send", CmdSend, {}},
    {"post", CmdPost, {}},
    {"close", CmdClose, {}},
    {"keys", CmdKeys, {}},
    {"metric", CmdMetric, {}},
    {"system-font", CmdSystemFont, {}},
    {"status", CmdStatus, {}},
    {"toolbar", CmdToolbar, {}},
    {"toolbar-state", CmdToolbarState, {}},
    {"tooltip", CmdTooltip, {}},
    {"menu", CmdMenu, {}},
    {"menu-state", CmdMenuState, {}},
    {"menu-checked", CmdMenuChecked, {}},
    {"font", CmdFont, {}},
    {"text-extent", CmdTextExtent, {}},
    {"lv-items", CmdListItems, {}},
    {"lv-columns", CmdListColumns, {}},
    {"lv-cells", CmdListCells, {}},
    {"lv-header-click", CmdListHeaderClick, {}},
    {"lv-select", CmdListSelect, {}},
    {"lv-deselect", CmdListDeselect, {}},
    {"lv-selected", CmdListSelected, {}},
    {"lv-double-click", CmdListDoubleClick, {}},
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

int RunCommand(const std::string& name, const std::vector<std::string>& words) {
    for (const auto& command : kCommands) {
        if (name == command.name) return command.run(Args(words, command.flags));
    }
    return Usage("unknown command " + name);
}

// One request per line: the command and its arguments separated by 0x1F, a
// line break inside an argument written as 0x1E. The answer is the command's
// output, its messages each on a line starting with 0x1C, and a last line of
// 0x1D followed by the exit code. Saves starting a process per command.
int Serve() {
    std::string messages;
    SetMessageSink(&messages);
    char buffer[65536];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        std::vector<std::string> words;
        size_t start = 0;
        for (;;) {
            size_t end = line.find('\x1f', start);
            std::string word = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
            for (char& c : word) {
                if (c == '\x1e') c = '\n';
            }
            words.push_back(word);
            if (end == std::string::npos) break;
            start = end + 1;
        }
        int code = kUsage;
        if (words.front() == "launch" || words.front() == "serve") {
            Usage(words.front() + " cannot run inside serve");
        } else {
            code = RunCommand(words.front(), std::vector<std::string>(words.begin() + 1, words.end()));
        }
        size_t from = 0;
        while (from < messages.size()) {
            size_t end = messages.find('\n', from);
            std::printf("\x1c%s\n", messages.substr(from, end - from).c_str());
            from = end + 1;
        }
        messages.clear();
        std::printf("\n\x1d%d\n", code);
    }
    return kOk;
}

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qbdrive COMMAND [ARGS]; commands:");
        for (const auto& command : kCommands) std::fprintf(stderr, " %s", command.name);
        std::fprintf(stderr, "\n");
        return kUsage;
    }
    if (std::strcmp(argv[1], "serve") == 0) return Serve();
    return RunCommand(argv[1], std::vector<std::string>(argv + 2, argv + argc));
}

}  // namespace
}  // namespace qbdrive

int main(int argc, char** argv) {
    // Output goes to pipes read by shell scripts: plain LF line ends, no buffering surprises.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return qbdrive::Run(argc, argv);
}
