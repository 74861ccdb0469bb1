// The main program's commands in one table: each command's id, what it does,
// when it is enabled, and its toolbar button and tooltip where it has one.
// The table drives the dispatch of WM_COMMAND, the toolbar and the state of
// every menu item and button. Portable, so it is checked natively against the
// menu and the accelerators of the resource script.
#pragma once
#include <cstddef>

#include "shell/session/frame_view.h"
#include "shell/session/session.h"

namespace qb {

using CommandHandler = void (*)(TestSession& session, FrameView& view);
using EnablePredicate = bool (*)(const TestSession& session);

struct MainCommand {
    int id;
    CommandHandler run;
    EnablePredicate enabled;
    int toolbarImage;      // index into the toolbar bitmap, -1 for no button
    bool separatorBefore;  // the button starts a new group on the toolbar
    // The tooltip of a button is the string whose id is the command id.
};

constexpr size_t kMainCommandCount = 29;
extern const MainCommand kMainCommands[kMainCommandCount];

// A command of the table whose menu item carries a check mark while its
// predicate holds.
struct CheckedCommand {
    int id;
    EnablePredicate checked;
};

constexpr size_t kCheckedCommandCount = 2;
extern const CheckedCommand kCheckedCommands[kCheckedCommandCount];
constexpr int kToolbarImageCount = 14;

// The entry of id; nullptr for an id the table does not hold.
const MainCommand* FindMainCommand(int id);

// Whether the menu item and the button of id are enabled now; ids outside
// the table are always enabled.
bool IsCommandEnabled(const TestSession& session, int id);

}  // namespace qb
