// Checks the shared window plumbing against the real USER32, GDI32 and
// ADVAPI32: every handle wrapper closes its handle exactly once, also across
// moves, and the guarded procedures turn a thrown exception into the failure
// handler's message instead of letting it unwind.
#include <windows.h>

#include <optional>
#include <typeinfo>
#include <string>
#include <utility>

#include "common/dialog.h"
#include "common/message_box.h"
#include "common/scoped_handles.h"
#include "common/window.h"
#include "wine_check.h"

namespace qb {
namespace {

void CheckAbout(bool condition, const std::string& subject, const char* what, int line) {
    wine_check::Check(condition, (subject + ": " + what).c_str(), line);
}
#define CHECK_ABOUT(subject, condition) CheckAbout((condition), (subject), #condition, __LINE__)

// --- Handle wrappers ---------------------------------------------------------

// The traits of a wrapper, with its closes counted.
template <typename Traits>
struct Counted {
    using Handle = typename Traits::Handle;
    static inline int closes = 0;
    static Handle Invalid() { return Traits::Invalid(); }
    static bool IsValid(Handle handle) { return Traits::IsValid(handle); }
    static void Close(Handle handle) {
        ++closes;
        Traits::Close(handle);
    }
};

// Two fresh handles; the second is replaced by a move assignment, the first
// travels through a move construction and is closed by its last owner only.
template <typename Traits, typename Make, typename Alive>
void CheckClosesOnce(const std::string& kind, Make make, Alive alive) {
    using Scoped = ScopedHandle<Counted<Traits>>;
    Counted<Traits>::closes = 0;
    const typename Traits::Handle first = make();
    const typename Traits::Handle second = make();
    CHECK_ABOUT(kind, Traits::IsValid(first) && Traits::IsValid(second));
    {
        Scoped owner(first);
        Scoped taker(std::move(owner));
        CHECK_ABOUT(kind, !owner && taker.get() == first);
        Scoped target(second);
        target = std::move(taker);
        CHECK_ABOUT(kind, Counted<Traits>::closes == 1);
        CHECK_ABOUT(kind, !alive(second) && alive(first));
        Scoped released(make());
        const typename Traits::Handle kept = released.release();
        CHECK_ABOUT(kind, !released && alive(kept));
        Traits::Close(kept);
    }
    CHECK_ABOUT(kind, Counted<Traits>::closes == 2);
    CHECK_ABOUT(kind, !alive(first));
}

HKEY MakeKey() {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\QbPlumbingCheck", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    return key;
}

HICON MakeIcon() {
    const BYTE andMask[32 * 4] = {};
    const BYTE xorMask[32 * 4] = {};
    return CreateIcon(GetModuleHandleA(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

bool IconAlive(HICON icon) {
    ICONINFO info = {};
    if (!GetIconInfo(icon, &info)) return false;
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    return true;
}

bool FindAlive(HANDLE search) {
    WIN32_FIND_DATAA found;
    return FindNextFileA(search, &found) || GetLastError() != ERROR_INVALID_HANDLE;
}

void HandleWrappersCloseOnce() {
    CheckClosesOnce<RegKeyTraits>("registry key", MakeKey, [](HKEY key) {
        DWORD values = 0;
        return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                                nullptr, nullptr) == ERROR_SUCCESS;
    });
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\QbPlumbingCheck");
    CheckClosesOnce<KernelHandleTraits>(
        "event", [] { return CreateEventA(nullptr, TRUE, FALSE, nullptr); },
        [](HANDLE event) {
            DWORD flags = 0;
            return GetHandleInformation(event, &flags) != 0;
        });
    CheckClosesOnce<GdiObjectTraits>(
        "brush", [] { return static_cast<HGDIOBJ>(CreateSolidBrush(RGB(1, 2, 3))); },
        [](HGDIOBJ brush) { return GetObjectType(brush) != 0; });
    CheckClosesOnce<MemoryDcTraits>(
        "memory DC", [] { return CreateCompatibleDC(nullptr); }, [](HDC dc) { return GetObjectType(dc) != 0; });
    CheckClosesOnce<IconTraits>("icon", MakeIcon, IconAlive);
    CheckClosesOnce<FindTraits>(
        "find handle",
        [] {
            WIN32_FIND_DATAA found;
            return FindFirstFileA("C:\\windows\\*", &found);
        },
        FindAlive);
}

// --- Guarded procedures --------------------------------------------------------

constexpr UINT kProbeMessage = WM_APP + 1;
constexpr LRESULT kHandled = 7;
constexpr LRESULT kReported = 99;
constexpr FailureMessages kMessages = {1, 2, 3, MB_OK | MB_ICONWARNING};

enum class Throw { Nothing, BadAlloc, StandardException, Int, TooLongString, IndexOutOfRange };

struct Probe {
    Throw handlerThrows = Throw::Nothing;
    bool reportThrows = false;
    std::optional<FailureKind> reported;
};

void ThrowAs(Throw what) {
    switch (what) {
    case Throw::Nothing: return;
    case Throw::BadAlloc: throw std::bad_alloc();
    case Throw::StandardException: throw std::bad_cast();
    case Throw::Int: throw 5;
    case Throw::TooLongString: std::string().reserve(std::string().max_size() + 1); return;
    case Throw::IndexOutOfRange: std::string("ab").substr(3); return;
    }
}

LRESULT Report(Probe& probe, HWND owner, FailureKind kind) {
    probe.reported = kind;
    if (probe.reportThrows) throw std::bad_alloc();
    ShowFailureMessage(GetModuleHandleA(nullptr), owner, kMessages, kind);
    return kReported;
}

LRESULT ProbeWindowHandler(Probe& probe, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kProbeMessage) return DefWindowProcA(window, message, wParam, lParam);
    ThrowAs(probe.handlerThrows);
    return kHandled;
}

LRESULT ProbeWindowFailure(Probe& probe, HWND window, UINT, WPARAM, LPARAM, FailureKind kind) {
    return Report(probe, window, kind);
}

INT_PTR ProbeDialogHandler(Probe& probe, HWND, UINT message, WPARAM, LPARAM) {
    if (message != kProbeMessage) return message == WM_INITDIALOG ? TRUE : FALSE;
    ThrowAs(probe.handlerThrows);
    return kHandled;
}

INT_PTR ProbeDialogFailure(HWND dialog, FailureKind kind) {
    return Report(*DialogData<Probe>(dialog), dialog, kind);
}

const auto kProbeWindowProc = GuardedWindowProc<Probe, ProbeWindowHandler, ProbeWindowFailure>;
const auto kProbeDialogProc = GuardedDialogProc<Probe, ProbeDialogHandler, ProbeDialogFailure>;

// What the message boxes shown meanwhile said; each is closed as soon as it is up.
struct ShownMessage {
    std::string caption;
    std::string text;
};
std::optional<ShownMessage> shown;

LRESULT CALLBACK CloseMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    // A message box's text is its control 0xFFFF; the probe dialog has none.
    const int kMessageBoxText = 0xFFFF;
    if (code == HC_ACTION && call->message == WM_INITDIALOG && GetDlgItem(call->hwnd, kMessageBoxText)) {
        char caption[64] = {};
        char text[64] = {};
        GetWindowTextA(call->hwnd, caption, sizeof caption);
        GetDlgItemTextA(call->hwnd, kMessageBoxText, text, sizeof text);
        shown = ShownMessage{caption, text};
        PostMessageA(call->hwnd, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct GuardCase {
    const char* name;
    Throw handlerThrows;
    bool reportThrows;
    std::optional<FailureKind> reported;
    LRESULT result;
    const char* message;  // nullptr: no message box
};

const GuardCase kGuardCases[] = {
    {"no failure", Throw::Nothing, false, std::nullopt, kHandled, nullptr},
    {"bad_alloc", Throw::BadAlloc, false, FailureKind::NoMemory, kReported, "No memory left"},
    {"standard exception", Throw::StandardException, false, FailureKind::Other, kReported, "Something else failed"},
    {"thrown int", Throw::Int, false, FailureKind::Other, kReported, "Something else failed"},
    // The run-time library's own failures, raised as the programs raise them.
    {"string too long", Throw::TooLongString, false, FailureKind::NoMemory, kReported, "No memory left"},
    {"index out of range", Throw::IndexOutOfRange, false, FailureKind::Other, kReported, "Something else failed"},
    {"failing report", Throw::Int, true, FailureKind::Other, -1, nullptr},
};

void CheckGuardCase(const std::string& subject, const GuardCase& row, const Probe& probe, LRESULT result,
                    LRESULT fallback) {
    const std::string about = subject + ", " + row.name;
    CHECK_ABOUT(about, probe.reported == row.reported);
    CHECK_ABOUT(about, result == (row.result == -1 ? fallback : row.result));
    CHECK_ABOUT(about, shown.has_value() == (row.message != nullptr));
    if (shown && row.message) {
        CHECK_ABOUT(about, shown->text == row.message);
        CHECK_ABOUT(about, shown->caption == "Handler failure");
    }
}

void GuardedProceduresReportFailures() {
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, CloseMessageBoxes, nullptr, GetCurrentThreadId());
    CHECK(hook != nullptr);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = kProbeWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QbProbe";
    CHECK(RegisterClassA(&windowClass) != 0);
    for (const GuardCase& row : kGuardCases) {
        Probe probe{row.handlerThrows, row.reportThrows, std::nullopt};
        HWND window = CreateWindowExA(0, "QbProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), &probe);
        shown.reset();
        CheckGuardCase("window", row, probe, SendMessageA(window, kProbeMessage, 0, 0), 0);
        DestroyWindow(window);

        probe.reported.reset();
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), nullptr, kProbeDialogProc,
                                         reinterpret_cast<LPARAM>(&probe));
        CHECK(dialog != nullptr);
        shown.reset();
        CheckGuardCase("dialog", row, probe, kProbeDialogProc(dialog, kProbeMessage, 0, 0), TRUE);
        DestroyWindow(dialog);
    }
    // Without a state the window is left to the default procedure.
    HWND stateless =
        CreateWindowExA(0, "QbProbe", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CHECK(SendMessageA(stateless, kProbeMessage, 0, 0) == 0);
    DestroyWindow(stateless);
    UnhookWindowsHookEx(hook);
}

// A window's own state lives exactly as long as the window.
struct OwnState {
    static inline int alive = 0;
    OwnState() { ++alive; }
    ~OwnState() { --alive; }
};

LRESULT OwnStateHandler(OwnState&, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT OwnStateFailure(OwnState&, HWND window, UINT message, WPARAM wParam, LPARAM lParam, FailureKind) {
    return DefWindowProcA(window, message, wParam, lParam);
}

void WindowOwnedStateEndsWithWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = GuardedWindowProc<OwnState, OwnStateHandler, OwnStateFailure, StateOwner::Window>;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QbOwnState";
    CHECK(RegisterClassA(&windowClass) != 0);
    HWND window = CreateWindowExA(0, "QbOwnState", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    CHECK(window != nullptr && OwnState::alive == 1 && WindowState<OwnState>(window) != nullptr);
    DestroyWindow(window);
    CHECK(OwnState::alive == 0);
}

}  // namespace
}  // namespace qb

int main() {
    qb::HandleWrappersCloseOnce();
    qb::GuardedProceduresReportFailures();
    qb::WindowOwnedStateEndsWithWindow();
    return wine_check::Finish();
}
