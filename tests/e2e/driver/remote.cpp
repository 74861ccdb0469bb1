#include "tests/e2e/driver/remote.h"

#include <tlhelp32.h>
#include <cstring>
#include <vector>

#include "base/path_limits.h"

namespace qbdrive {

RemoteProcess::RemoteProcess(HWND window) {
    GetWindowThreadProcessId(window, &processId_);
    if (processId_ == 0) return;
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_CREATE_THREAD |
                               PROCESS_QUERY_INFORMATION | SYNCHRONIZE,
                           FALSE, processId_);
}

RemoteProcess::~RemoteProcess() {
    if (process_) CloseHandle(process_);
}

RemoteBuffer::RemoteBuffer(const RemoteProcess& process, size_t size) : process_(process.Handle()) {
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteBuffer::~RemoteBuffer() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t size, size_t offset) const {
    SIZE_T written = 0;
    return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &written) && written == size;
}

bool RemoteBuffer::Read(void* data, size_t size, size_t offset) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, size, &read) && read == size;
}

bool ReadRemoteString(HANDLE process, const void* address, size_t maxChars, std::string* text) {
    text->clear();
    const char* cursor = static_cast<const char*>(address);
    while (text->size() < maxChars) {
        char c = 0;
        SIZE_T read = 0;
        if (!ReadProcessMemory(process, cursor++, &c, 1, &read) || read != 1) return false;
        if (c == '\0') break;
        text->push_back(c);
    }
    return true;
}

namespace {

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DriverDirectory() {
    char path[qb::kPathBufferSize] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text = path;
    return text.substr(0, text.find_last_of("\\/") + 1);
}

// Base address of a module (by file name) in another process, or null.
BYTE* RemoteModuleBase(DWORD processId, const std::string& moduleName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, processId);
    if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
    MODULEENTRY32 entry;
    entry.dwSize = sizeof entry;
    BYTE* base = nullptr;
    for (BOOL more = Module32First(snapshot, &entry); more && !base; more = Module32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szModule, moduleName.c_str()) == 0) base = entry.modBaseAddr;
    }
    CloseHandle(snapshot);
    return base;
}

// Where a function of this process lies in the same module of another process.
void* RemoteAddressOf(DWORD processId, const void* localFunction) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCSTR>(localFunction), &module)) {
        return nullptr;
    }
    char path[qb::kPathBufferSize] = {};
    GetModuleFileNameA(module, path, sizeof path);
    BYTE* remoteBase = RemoteModuleBase(processId, BaseName(path));
    if (!remoteBase) return nullptr;
    return remoteBase + (static_cast<const BYTE*>(localFunction) - reinterpret_cast<const BYTE*>(module));
}

// Runs start(parameter) on a new thread of the process; its exit code is returned.
bool RunRemoteThread(HANDLE process, void* start, void* parameter, DWORD* exitCode) {
    HANDLE thread =
        CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), parameter, 0, nullptr);
    if (!thread) return false;
    bool finished = WaitForSingleObject(thread, 15000) == WAIT_OBJECT_0;
    if (finished) GetExitCodeThread(thread, exitCode);
    CloseHandle(thread);
    return finished;
}

bool LoadProbeInto(const RemoteProcess& process, const std::string& probePath, std::string* error) {
    if (RemoteModuleBase(process.Id(), BaseName(probePath))) return true;
    void* loadLibrary = RemoteAddressOf(
        process.Id(), reinterpret_cast<const void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
    if (!loadLibrary) {
        *error = "cannot find LoadLibraryA in the target";
        return false;
    }
    RemoteBuffer path(process, probePath.size() + 1);
    DWORD exitCode = 0;
    if (!path.IsValid() || !path.Write(probePath.c_str(), probePath.size() + 1) ||
        !RunRemoteThread(process.Handle(), loadLibrary, path.Address(), &exitCode) ||
        !RemoteModuleBase(process.Id(), BaseName(probePath))) {
        *error = "cannot load " + probePath + " into the target";
        return false;
    }
    return true;
}

}  // namespace

bool RunProbe(ProbeRequest* request, std::string* error) {
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(request->window));
    RemoteProcess process(window);
    if (!process.IsOpen()) {
        *error = "cannot open the process of the window";
        return false;
    }
    std::string probePath = DriverDirectory() + "qbprobe.dll";
    HMODULE localProbe = LoadLibraryA(probePath.c_str());
    if (!localProbe) {
        *error = "cannot load " + probePath;
        return false;
    }
    void* localEntry = reinterpret_cast<void*>(GetProcAddress(localProbe, "RunProbeRequest"));
    if (!localEntry || !LoadProbeInto(process, probePath, error)) {
        if (!localEntry) *error = "qbprobe.dll has no RunProbeRequest";
        return false;
    }
    void* remoteEntry = RemoteAddressOf(process.Id(), localEntry);
    RemoteBuffer buffer(process, sizeof(ProbeRequest));
    DWORD exitCode = 0;
    if (!remoteEntry || !buffer.IsValid() || !buffer.Write(request, sizeof *request) ||
        !RunRemoteThread(process.Handle(), remoteEntry, buffer.Address(), &exitCode) ||
        !buffer.Read(request, sizeof *request)) {
        *error = "the probe did not run in the target";
        return false;
    }
    return true;
}

}  // namespace qbdrive
