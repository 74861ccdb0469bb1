#include "common/help_engine.h"

namespace qb {
namespace {

constexpr char kHelpEngineClass[] = "MS_WINHELP";
constexpr DWORD kEngineStartLimitMs = 5000;
constexpr DWORD kEnginePollMs = 50;

// Whether the engine's window appeared within the start limit.
bool WaitForHelpEngineWindow() {
    const DWORD started = GetTickCount();
    while (GetTickCount() - started < kEngineStartLimitMs) {
        if (FindWindowA(kHelpEngineClass, nullptr) != nullptr) return true;
        Sleep(kEnginePollMs);
    }
    return false;
}

}  // namespace

bool CallHelpEngine(HWND owner, const std::string& path, UINT command, ULONG_PTR data) {
    if (WinHelpA(owner, path.c_str(), command, data)) return true;
    // A freshly started engine may report ready before its window exists;
    // the call then fails although the engine is on its way.
    if (!WaitForHelpEngineWindow()) return false;
    return WinHelpA(owner, path.c_str(), command, data) != FALSE;
}

}  // namespace qb
