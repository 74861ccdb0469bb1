// Commands on processes: starting a program, waiting for its end, ending it.
#include <windows.h>
#include <tlhelp32.h>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/driver/commands.h"

namespace qbdrive {

namespace {

// Writes a small file whole: a reader polling for it never sees half of it.
bool WriteFileAtOnce(const std::string& path, const std::string& content) {
    std::string temporary = path + ".part";
    HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
              written == content.size();
    ok = CloseHandle(file) && ok;
    return ok && MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

}  // namespace

int CmdLaunch(const Args& args) {
    if (args.Count() != 1 && args.Count() != 2) {
        return Usage("launch [--cwd DIR] [--pid-file FILE] [--exit-file FILE] PROGRAM [COMMAND-LINE-TAIL]");
    }
    // The program's own command line is exactly the tail given, after its quoted name.
    std::string commandLine = "\"" + args.At(0) + "\"";
    if (args.Count() == 2 && !args.At(1).empty()) commandLine += " " + args.At(1);
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    std::string cwd = args.Get("cwd");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Wine on a heavily loaded machine now and then refuses a start with an
    // internal error that the next try does not meet; a missing program fails every try.
    constexpr int kStartTries = 5;
    DWORD error = 0;
    for (int attempt = 0; attempt < kStartTries; ++attempt) {
        if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           cwd.empty() ? nullptr : cwd.c_str(), &startup, &info)) {
            error = 0;
            break;
        }
        error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR) break;
        Sleep(500);
    }
    if (error != 0) {
        return Fail("cannot start " + args.At(0) + " (error " + std::to_string(error) + ")");
    }
    CloseHandle(info.hThread);
    std::string pid = std::to_string(info.dwProcessId) + "\n";
    std::printf("%s", pid.c_str());
    if (args.Has("pid-file") && !WriteFileAtOnce(args.Get("pid-file"), pid)) {
        Fail("cannot write " + args.Get("pid-file"));
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD exitCode = 0;
    GetExitCodeProcess(info.hProcess, &exitCode);
    CloseHandle(info.hProcess);
    if (args.Has("exit-file") && !WriteFileAtOnce(args.Get("exit-file"), std::to_string(exitCode) + "\n")) {
        return Fail("cannot write " + args.Get("exit-file"));
    }
    return static_cast<int>(exitCode);
}

int CmdWaitExit(const Args& args) {
    long pid = 0;
    if (args.Count() != 1 || !ParseLong(args.At(0), &pid)) return Usage("wait-exit PID [--timeout MS]");
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process) return Fail("process " + args.At(0) + " is not running");
    DWORD waited = WaitForSingleObject(process, args.Timeout());
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0) {
        return Fail("process " + args.At(0) + " still running after " + std::to_string(args.Timeout()) + " ms");
    }
    std::printf("%lu\n", static_cast<unsigned long>(exitCode));
    return kOk;
}

int CmdKill(const Args& args) {
    long pid = 0;
    if (args.Count() != 1 || !ParseLong(args.At(0), &pid)) return Usage("kill PID");
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (!process) return kOk;  // already gone
    bool ok = TerminateProcess(process, 1) && WaitForSingleObject(process, 10000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ok ? kOk : Fail("cannot end process " + args.At(0));
}

int CmdProcesses(const Args&) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return Fail("cannot list processes");
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        std::printf("%lu\t%lu\t%s\n", static_cast<unsigned long>(entry.th32ProcessID),
                    static_cast<unsigned long>(entry.th32ParentProcessID), entry.szExeFile);
    }
    CloseHandle(snapshot);
    return kOk;
}

}  // namespace qbdrive
