#include "uninstall/cleanup_launch.h"

#include <windows.h>

#include <vector>

#include "base/byte_stream.h"
#include "base/path_limits.h"
#include "common/scoped_handles.h"
#include "uninstall/cleanup_batch.h"

namespace qb {
namespace {

constexpr DWORD kTempPathBufferSize = 256;

// The 8.3 form of an existing path, or an empty text when there is none.
std::string ShortFormOf(const std::string& path) {
    char shortPath[kPathBufferSize] = {};
    DWORD length = GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    if (length == 0 || length >= sizeof shortPath) return std::string();
    return shortPath;
}

std::string TemporaryDirectory() {
    char path[kTempPathBufferSize] = {};
    DWORD length = GetTempPathA(kTempPathBufferSize, path);
    if (length == 0 || length >= kTempPathBufferSize) return std::string();
    return path;
}

bool StartHidden(const std::string& batchPath, const std::string& workingDirectory) {
    std::string commandLine = CleanupCommandLine(batchPath);
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    // Started in the temporary directory: a batch whose current directory is
    // the program directory could not remove it.
    if (!CreateProcessA(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        workingDirectory.c_str(), &startup, &process)) {
        return false;
    }
    ScopedKernelHandle processHandle(process.hProcess);
    ScopedKernelHandle threadHandle(process.hThread);
    return true;
}

}  // namespace

void WriteAndStartCleanup(const Directory& programDirectory) {
    const std::string temporary = TemporaryDirectory();
    if (temporary.empty()) return;
    const std::string batchPath = CleanupBatchPath(Directory(temporary));
    std::unique_ptr<ByteStream> batch = RealFileSystem().Open(batchPath, OpenMode::CreateWrite);
    if (!batch) return;

    const std::string uninstaller = UninstallerPath(programDirectory);
    CleanupNames names;
    names.uninstaller = PreferShortForm(uninstaller, ShortFormOf(uninstaller));
    names.directory = PreferShortForm(programDirectory.Text(), ShortFormOf(programDirectory.Text()));
    names.batchFile = PreferShortForm(batchPath, ShortFormOf(batchPath));
    bool written = batch->WriteText(CleanupBatchText(names));
    // A batch file cut short must not run.
    if (!batch->Close() || !written) {
        RealFileSystem().Remove(batchPath);
        return;
    }
    StartHidden(batchPath, temporary);
}

}  // namespace qb
