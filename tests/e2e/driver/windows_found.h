// Finding top-level windows by process, owner, class and title.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "tests/e2e/driver/args.h"

namespace qbdrive {

struct WindowQuery {
    DWORD processId = 0;    // 0: any process
    HWND owner = nullptr;   // null: any owner
    std::string className;  // empty: any class
    std::string title;      // exact title, unless titleContains
    bool hasTitle = false;
    bool titleContains = false;
    bool visibleOnly = true;
};

// Fills a query from --pid, --owner, --class, --title, --title-contains, --hidden.
bool QueryFromArgs(const Args& args, WindowQuery* query, std::string* error);

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);

// Polls until a matching window exists or the time limit passes.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);

std::string ClassNameOf(HWND window);

// Polls condition() every few milliseconds until it holds or the time runs out.
template <typename Condition>
bool PollUntil(DWORD timeoutMs, Condition condition) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

}  // namespace qbdrive
