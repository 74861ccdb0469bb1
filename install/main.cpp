// Install: installs the programs and the test of a distribution directory, or
// only the test when this version is installed already.
#include <windows.h>
#include <commctrl.h>

#include "base/path_limits.h"
#include "common/message_box.h"
#include "common/registry.h"
#include "install/destination_dialog.h"
#include "install/install_paths.h"
#include "install/program_files.h"
#include "install/progress_dialog.h"
#include "install/resource_ids.h"
#include "install/shortcut_dialog.h"
#include "system/system_names.h"

namespace qb {
namespace {

Directory SourceDirectory() {
    char current[kPathBufferSize] = {};
    GetCurrentDirectoryA(sizeof current, current);
    return Directory(current);
}

bool MarkerExists() {
    return static_cast<bool>(OpenKey(HKEY_LOCAL_MACHINE, kMarkerKeyPath, KEY_READ));
}

void ShowInformation(HINSTANCE instance, UINT textId) {
    ShowStringMessage(instance, nullptr, textId, IDS_SETUP_CAPTION, MB_OK | MB_ICONINFORMATION);
}

// The test goes where the installed programs are. False (after telling the
// user) when that directory is not known.
bool PrepareTestsOnly(HINSTANCE instance, InstallState& state) {
    const std::optional<Directory> directory =
        ReadProgramDirectory(DataPathLookup::CurrentUserThenDefaultUser, DriveRoot::Accepted);
    if (!directory) {
        ShowStringMessage(instance, nullptr, IDS_DIRECTORY_NOT_FOUND, IDS_ERROR_CAPTION, MB_OK | MB_ICONWARNING);
        return false;
    }
    state.destinationDirectory = *directory;
    state.testsOnly = true;
    return true;
}

bool PrepareFullInstallation(HINSTANCE instance, InstallState& state) {
    DestinationData destination;
    if (!RunDestinationDialog(instance, &destination)) {
        ShowInformation(instance, IDS_INSTALLATION_ABORTED);
        return false;
    }
    state.destinationDirectory = destination.destination;
    return true;
}

void RunInstall(HINSTANCE instance) {
    InstallState state;
    state.sourceDirectory = SourceDirectory();
    if (MarkerExists()) {
        if (ShowStringMessage(instance, nullptr, IDS_ALREADY_INSTALLED, IDS_SETUP_CAPTION,
                              MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) {
            return;
        }
        if (!PrepareTestsOnly(instance, state)) return;
    } else if (!PrepareFullInstallation(instance, state)) {
        return;
    }

    ProgressData progress;
    progress.state = &state;
    progress.names = SuiteSystemNames();
    if (!RunProgressDialog(instance, &progress)) return;

    if (!state.testsOnly) {
        ShortcutData shortcuts;
        shortcuts.programDirectory = state.destinationDirectory;
        shortcuts.names = progress.names;
        RunShortcutDialog(instance, &shortcuts);
    }
    ShowInformation(instance, IDS_INSTALLED);
}

}  // namespace
}  // namespace qb

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    try {
        qb::RunInstall(instance);
    } catch (...) {
        // Nothing more can be said without memory; the exit code stays 0.
    }
    return 0;
}
