// qbhelpcalls.exe: stands in for the help viewer in end-to-end tests. It owns
// the window of class "MS_WINHELP" that WinHelpA delivers its calls to, and
// appends one line per call to a log file, so a test sees exactly what a
// program asked the help engine for.
// Usage: qbhelpcalls.exe <log file>
#include <windows.h>

#include <string>

#include "common/scoped_handles.h"
#include "tests/e2e/winhelp_receiver/help_call.h"

namespace {

constexpr char kViewerClass[] = "MS_WINHELP";
constexpr char kWindowTitle[] = "Help call receiver";

struct ReceiverState {
    qb::ScopedKernelHandle log;
};

void AppendLine(ReceiverState& state, const std::string& line) {
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(state.log.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    FlushFileBuffers(state.log.get());
}

// Answers TRUE like the viewer does; no exception may leave through USER32.
LRESULT OnCopyData(ReceiverState& state, LPARAM lParam) {
    try {
        const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        qbtest::HelpCall call;
        if (!copy || !qbtest::DecodeHelpCall(copy->lpData, copy->cbData, call)) {
            AppendLine(state, "malformed call");
        } else {
            AppendLine(state, qbtest::HelpCallLine(call));
        }
    } catch (...) {}
    return TRUE;
}

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<ReceiverState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA: return state ? OnCopyData(*state, lParam) : TRUE;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterReceiverClass(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = instance;
    wc.lpszClassName = kViewerClass;
    return RegisterClassA(&wc) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    std::string logPath = commandLine ? commandLine : "";
    if (logPath.size() >= 2 && logPath.front() == '"' && logPath.back() == '"')
        logPath = logPath.substr(1, logPath.size() - 2);
    if (logPath.empty()) return 2;
    ReceiverState state;
    state.log.reset(CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!state.log || !RegisterReceiverClass(instance)) return 1;
    HWND window =
        CreateWindowA(kViewerClass, kWindowTitle, WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&state));
    AppendLine(state, "ready");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
