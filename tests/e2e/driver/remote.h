// Memory in another process, for control messages whose parameters are
// pointers (the system does not carry those across processes), and running
// the probe DLL inside a program under test.
#pragma once
#include <windows.h>
#include <string>

#include "tests/e2e/driver/probe_request.h"

namespace qbdrive {

// The process that owns a window, opened for reading and writing its memory.
class RemoteProcess {
public:
    explicit RemoteProcess(HWND window);
    ~RemoteProcess();
    RemoteProcess(const RemoteProcess&) = delete;
    RemoteProcess& operator=(const RemoteProcess&) = delete;
    bool IsOpen() const { return process_ != nullptr; }
    HANDLE Handle() const { return process_; }
    DWORD Id() const { return processId_; }

private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// A block committed in another process, released on destruction.
class RemoteBuffer {
public:
    RemoteBuffer(const RemoteProcess& process, size_t size);
    ~RemoteBuffer();
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool IsValid() const { return address_ != nullptr; }
    void* Address() const { return address_; }
    LPARAM AsLParam() const { return reinterpret_cast<LPARAM>(address_); }
    // Address of a byte inside the block, as the target sees it.
    LPARAM At(size_t offset) const { return reinterpret_cast<LPARAM>(static_cast<char*>(address_) + offset); }
    bool Write(const void* data, size_t size, size_t offset = 0) const;
    bool Read(void* data, size_t size, size_t offset = 0) const;

private:
    HANDLE process_;
    void* address_ = nullptr;
};

// Reads a zero-terminated string of at most maxChars from another process.
bool ReadRemoteString(HANDLE process, const void* address, size_t maxChars, std::string* text);

// Runs a probe request on a new thread of the process that owns request->window.
bool RunProbe(ProbeRequest* request, std::string* error);

}  // namespace qbdrive
