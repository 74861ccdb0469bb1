// Program entry of Quorbelind.exe: settings, window classes, the main window
// and the one message loop.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "base/product_names.h"
#include "settings/settings_registry.h"
#include "shell/main_window.h"
#include "shell/recovery_prompt.h"
#include "shell/resource_ids.h"
#include "shell/startup_core.h"

namespace qb {
namespace {

void ReadSettings(ProgramContext& program) {
    char directory[kPathBufferSize] = {};
    DWORD length = GetCurrentDirectoryA(sizeof directory, directory);
    program.programDir = length < sizeof directory ? directory : "";
    program.maxWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    program.maxHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    program.mainRect = ToRect(DefaultMainRect(program.maxWidth, program.maxHeight));
    MarkInstalled();
    ReadStartupSettings(program.programDir, program.mainRect);
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

// Open as the command line's test opens: the path is taken without the dialog.
void OpenWithoutDialog(MainWindow& state, const std::string& path) {
    state.document.testPath = path;
    state.program->pathFromCommandLine = true;
    SendMessageA(state.window, WM_COMMAND, IDM_FILE_OPEN, 0);
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
        OpenWithoutDialog(*state, path);
    else if (!recovered.empty())
        OpenWithoutDialog(*state, recovered);
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
