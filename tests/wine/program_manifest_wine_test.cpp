// Reads the application manifest back from every built program's resources:
// the execution level it asks for, the common controls of version 6 for the
// programs with windows, system DPI awareness and the supported systems. Then
// starts Quorbelind and checks that the common controls it loaded are those
// of version 6. Under Wine nothing is stretched or elevated, so the manifest
// itself is the evidence for those. Last, the program files Creator ships
// still fit the size they are allowed.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "base/path_limits.h"
#include "common/scoped_handles.h"
#include "wine_check.h"

namespace qb {
namespace {

// The program directory of the build that made this test (a Linux path; Wine's
// drive Z: is the Linux root).
const std::string kProgramDirectory = std::string("Z:") + QB_PROGRAM_DIRECTORY;

struct ProgramManifest {
    const char* file;
    const char* level;
    bool windows;
};

const ProgramManifest kPrograms[] = {
    {"Quorbelind.exe", "asInvoker", true},
    {"Creator.exe", "asInvoker", true},
    {"Install.exe", "requireAdministrator", true},
    {"Uninstall.exe", "requireAdministrator", true},
    {"qbtool.exe", "asInvoker", false},
};

// The ids Windows 7, 8, 8.1 and 10 (with 11) are known by.
const char* const kSupportedSystems[] = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",
};

const char kCommonControls[] =
    "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" processorArchitecture=\"*\" "
    "publicKeyToken=\"6595b64144ccf1df\"";

// The text of the program's manifest resource (type 24, id 1); empty when it has none.
std::string ManifestOf(const std::string& path) {
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return std::string();
    std::string text;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (bytes) text.assign(bytes, SizeofResource(module, found));
    FreeLibrary(module);
    return text;
}

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

void CheckAbout(bool condition, const std::string& subject, const char* what, int line) {
    wine_check::Check(condition, (subject + ": " + what).c_str(), line);
}
#define CHECK_ABOUT(subject, condition) CheckAbout((condition), (subject), #condition, __LINE__)

void CheckManifest(const ProgramManifest& program) {
    const std::string manifest = ManifestOf(kProgramDirectory + "\\" + program.file);
    const std::string name = program.file;
    CHECK_ABOUT(name, Has(manifest, "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"));
    CHECK_ABOUT(name, Has(manifest, std::string("<requestedExecutionLevel level=\"") + program.level +
                                        "\" uiAccess=\"false\"/>"));
    CHECK_ABOUT(name, Has(manifest, kCommonControls) == program.windows);
    CHECK_ABOUT(name, Has(manifest, ">true</dpiAware>"));
    CHECK_ABOUT(name, Has(manifest, ">system</dpiAwareness>"));
    for (const char* system : kSupportedSystems) {
        CHECK_ABOUT(name, Has(manifest, std::string("<supportedOS Id=\"") + system + "\"/>"));
    }
}

// Whether the module was loaded from the side-by-side assembly of the common
// controls of version 6 (a folder named by the assembly and its version).
bool IsFromCommonControls6(const std::string& path) {
    std::string lower = path;
    CharLowerBuffA(lower.data(), static_cast<DWORD>(lower.size()));
    return Has(lower, "\\winsxs\\") && Has(lower, "microsoft.windows.common-controls_6595b64144ccf1df_6.");
}

// The paths of the comctl32.dll modules the process has loaded.
std::string CommonControlsLoadedBy(HANDLE process) {
    HMODULE modules[512];
    DWORD needed = 0;
    if (!EnumProcessModules(process, modules, sizeof modules, &needed)) return std::string();
    std::string found;
    for (DWORD i = 0; i < needed / sizeof(HMODULE) && i < 512; ++i) {
        char path[qb::kPathBufferSize] = {};
        if (GetModuleFileNameExA(process, modules[i], path, sizeof path) == 0) continue;
        const std::string text = path;
        const size_t slash = text.find_last_of('\\');
        if (lstrcmpiA(text.substr(slash + 1).c_str(), "comctl32.dll") == 0) found += text + "\n";
    }
    return found;
}

void CheckStartedProgramLoadsCommonControls6() {
    const std::string program = kProgramDirectory + "\\Quorbelind.exe";
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    const bool ran = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                    kProgramDirectory.c_str(), &startup, &started);
    CHECK(ran);
    if (!ran) return;
    ScopedKernelHandle process(started.hProcess);
    ScopedKernelHandle thread(started.hThread);
    WaitForInputIdle(process.get(), 20000);
    const std::string loaded = CommonControlsLoadedBy(process.get());
    std::printf("common controls loaded by Quorbelind:\n%s", loaded.c_str());
    CHECK(!loaded.empty());
    CHECK(loaded.find('\n') == loaded.size() - 1);  // one of them only, not version 5 beside it
    CHECK(IsFromCommonControls6(loaded));
    TerminateProcess(process.get(), 0);
    WaitForSingleObject(process.get(), 10000);
}

// The four programs, the help file and the read-me together: at most 1,250 KB.
void CheckShippedSize() {
    const char* const files[] = {"Quorbelind.exe", "Creator.exe",    "Install.exe",
                                 "Uninstall.exe",  "Quorbelind.hlp", "ReadMe.txt"};
    unsigned long long total = 0;
    for (const char* file : files) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        const bool found =
            GetFileAttributesExA((kProgramDirectory + "\\" + file).c_str(), GetFileExInfoStandard, &data) != FALSE;
        CHECK_ABOUT(std::string(file), found);
        total += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    std::printf("the six program files: %llu bytes\n", total);
    CHECK(total <= 1250ull * 1024);
}

}  // namespace
}  // namespace qb

int main() {
    for (const qb::ProgramManifest& program : qb::kPrograms) qb::CheckManifest(program);
    qb::CheckStartedProgramLoadsCommonControls6();
    qb::CheckShippedSize();
    return wine_check::Finish();
}
