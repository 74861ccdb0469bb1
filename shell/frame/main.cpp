// Program entry of Quorbelind.exe: settings, window classes, the main window
// and the one message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "base/product_names.h"
#include "settings/settings_registry.h"
#include "shell/frame/main_window.h"
#include "shell/frame/recovery_prompt.h"
#include "shell/resource_ids.h"
#include "shell/frame/screen.h"
#include "shell/session/startup_core.h"

namespace qb {
namespace {

// The stored main window's two corners, moved onto a monitor when on none.
RECT CornersOnAMonitor(const RECT& corners) {
    const RECT place =
        PlaceOnAMonitor({corners.left, corners.top, corners.right - corners.left, corners.bottom - corners.top});
    return {place.left, place.top, place.left + place.right, place.top + place.bottom};
}

void ReadSettings(ProgramContext& program) {
    char directory[kPathBufferSize] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    const std::string startDirectory = length < sizeof directory ? directory : "";
    program.maxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    program.maxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    program.mainRect = ToRect(DefaultMainRect(program.maxWidth, program.maxHeight));
    MarkInstalled();
    ReadStartupSettings(startDirectory, program.programDir, program.mainRect);
    program.mainRect = CornersOnAMonitor(program.mainRect);
    program.scale = DisplayScale(ScreenDpi());
}

int RunMessageLoop(HWND mainWindow, HINSTANCE module) {
    HACCEL accelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDA_MAIN));
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(mainWindow, accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

// The command line's path made full against the directory the program was
// started in, so that the journal names the test from anywhere. A full path
// that does not fit the path buffer becomes empty, as a long given path does.
std::string FullPath(const std::string& path) {
    if (path.empty()) return path;
    char full[kPathBufferSize] = {};
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length != 0 && length < sizeof full ? std::string(full, length) : std::string();
}

int Run(HINSTANCE module, const char* commandLine, int showMode) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    // Stays loaded for the program's life: the Text pane's control lives in it.
    LoadLibraryA("RICHED32.DLL");

    ProgramContext program;
    program.module = module;
    ReadSettings(program);
    if (!RegisterWindowClasses(module)) return 0;
    auto state = std::make_unique<MainWindow>();
    HWND mainWindow = CreateMainWindow(program, *state);
    if (mainWindow == nullptr) return 0;
    ShowWindow(mainWindow, showMode);
    UpdateWindow(mainWindow);
    // Before any test opens: every Open starts the journal anew.
    const std::string recovered = OfferRecovery(*state);
    std::string path;
    if (TakeCommandLinePath(commandLine ? commandLine : "", path))
        OpenTestAtStart(*state, FullPath(path));
    else if (!recovered.empty())
        OpenTestAtStart(*state, recovered);
    return RunMessageLoop(mainWindow, module);
}

}  // namespace
}  // namespace qb

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR commandLine, int showMode) {
    try {
        return qb::Run(module, commandLine, showMode);
    } catch (...) {
        return 0;
    }
}
