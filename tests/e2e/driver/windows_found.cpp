#include "tests/e2e/driver/windows_found.h"

namespace qbdrive {

bool QueryFromArgs(const Args& args, WindowQuery* query, std::string* error) {
    long pid = 0;
    if (args.Has("pid") && !ParseLong(args.Get("pid"), &pid)) {
        *error = "--pid needs a process id";
        return false;
    }
    query->processId = static_cast<DWORD>(pid);
    if (args.Has("owner") && !ResolveWindow(args.Get("owner"), &query->owner, error)) return false;
    query->className = args.Get("class");
    if (args.Has("title")) {
        query->title = args.Get("title");
        query->hasTitle = true;
    } else if (args.Has("title-contains")) {
        query->title = args.Get("title-contains");
        query->hasTitle = true;
        query->titleContains = true;
    }
    query->visibleOnly = !args.Has("hidden");
    return true;
}

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

namespace {

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !IsWindowVisible(window)) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (query.processId && pid != query.processId) return false;
    if (query.owner && GetWindow(window, GW_OWNER) != query.owner) return false;
    if (!query.className.empty() && ClassNameOf(window) != query.className) return false;
    if (query.hasTitle) {
        std::string title;
        if (!ReadWindowText(window, &title)) return false;
        if (query.titleContains ? title.find(query.title) == std::string::npos : title != query.title) return false;
    }
    return true;
}

struct EnumState {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatching(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    if (Matches(window, *state->query)) state->found.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
    EnumState state{&query, {}};
    EnumWindows(CollectMatching, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil(timeoutMs, [&] {
        auto windows = FindTopLevelWindows(query);
        if (!windows.empty()) found = windows.front();
        return found != nullptr;
    });
    return found;
}

}  // namespace qbdrive
