// The children and tool windows the main window creates with itself.
#include <windows.h>
#include <commctrl.h>

#include "base/product_names.h"
#include "settings/settings_registry.h"
#include "shell/frame/main_window.h"
#include "shell/frame/message_display.h"
#include "shell/frame/screen.h"
#include "shell/panes/picture_pane.h"
#include "shell/resource_ids.h"
#include "shell/session/command_table.h"
#include "shell/session/startup_core.h"

namespace qb {
namespace {

// The pane's stored rectangle (corner and size), or its default written back.
// A stored place on no monitor is shown on the nearest one.
RECT StoredPaneRect(const char* valueName, const StoredRect& fallback) {
    RECT stored;
    if (ReadWindowRect(valueName, stored)) return PlaceOnAMonitor(stored);
    RECT rect = ToRect(fallback);
    WriteWindowRect(valueName, rect);
    return rect;
}

// Each button starts enabled; the command states follow once the children exist.
bool CreateToolbar(MainWindow& state) {
    TBBUTTON buttons[kMainCommandCount + 3] = {};
    int count = 0;
    for (const MainCommand& command : kMainCommands) {
        if (command.toolbarImage < 0) continue;
        if (command.separatorBefore) buttons[count++].fsStyle = TBSTYLE_SEP;
        TBBUTTON& button = buttons[count++];
        button.iBitmap = command.toolbarImage;
        button.idCommand = command.id;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = TBSTYLE_BUTTON;
    }
    const DisplayScale& scale = state.program->scale;
    const int art = scale.ArtSize();
    state.toolbar = CreateToolbarEx(state.window, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE,
                                    IDC_TOOLBAR, kToolbarImageCount, state.module, ArtBitmapId(IDB_TOOLBAR, scale),
                                    buttons, count, art, art, art, art, sizeof(TBBUTTON));
    return state.toolbar != nullptr;
}

}  // namespace

bool CreateChildren(MainWindow& state) {
    if (!state.statusBar.Create(state.window, state.module) || !CreateToolbar(state) ||
        !state.questionList.Create(state.window, state.module, state.program->scale) ||
        !state.testPane.Create(*state.session, state.window, state.module, state.program->scale))
        return false;
    if (ReadUserSwitch(kValueListDetails)) {
        state.session->SetListDetails(true);
        state.questionList.ShowDetails(*state.session, true);
    }
    const ProgramContext& program = *state.program;
    const RECT textPlace = StoredPaneRect(kValueWinPosText, DefaultTextPaneRect(program.maxWidth, program.maxHeight));
    if (!state.textPane.Create(state.module, textPlace)) return false;
    const RECT picturePlace =
        StoredPaneRect(kValueWinPosBild, DefaultPicturePaneRect(program.maxWidth, program.maxHeight));
    state.picturePane = CreatePicturePane(state.module, picturePlace);
    if (!state.picturePane) return false;
    state.questionFont.Create(state.window);
    state.testPane.SetFont(state.questionFont.Handle());
    return true;
}

}  // namespace qb
