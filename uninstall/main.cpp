// Uninstall: removes the programs, the chosen kinds of user files, the system
// entries and shortcuts, and finally (through a batch file) itself and the
// program directory.
#include <windows.h>

#include "base/product_names.h"
#include "common/message_box.h"
#include "system/system_names.h"
#include "uninstall/choice_dialog.h"
#include "uninstall/cleanup_launch.h"
#include "uninstall/removal_dialog.h"
#include "uninstall/resource_ids.h"

namespace qb {
namespace {

void ShowInformation(HINSTANCE instance, UINT textId) {
    ShowStringMessage(instance, nullptr, textId, IDS_UNINSTALL_CAPTION, MB_OK | MB_ICONINFORMATION);
}

void RunUninstall(HINSTANCE instance) {
    ChoiceData choice;
    if (!RunChoiceDialog(instance, &choice)) {
        ShowInformation(instance, IDS_NOT_REMOVED);
        return;
    }
    RemovalData removal;
    removal.programDirectory = choice.programDirectory;
    removal.choice = choice.choice;
    removal.baseName = kProductName;
    removal.names = SuiteSystemNames();
    RunRemovalDialog(instance, &removal);
    ShowInformation(instance, IDS_REMOVED);
    WriteAndStartCleanup(removal.programDirectory);
}

}  // namespace
}  // namespace qb

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        qb::RunUninstall(instance);
    } catch (...) {
        // Nothing more can be said without memory; the exit code stays 0.
    }
    return 0;
}
