// The driver's commands; each takes its arguments and returns an exit code.
#pragma once
#include "tests/e2e/driver/args.h"

namespace qbdrive {

// Windows and messages.
int CmdWindows(const Args& args);
int CmdChildren(const Args& args);
int CmdWaitWindow(const Args& args);
int CmdWaitDialog(const Args& args);
int CmdWaitGone(const Args& args);
int CmdCount(const Args& args);
int CmdText(const Args& args);
int CmdWaitText(const Args& args);
int CmdIsWindow(const Args& args);
int CmdEnabled(const Args& args);
int CmdVisible(const Args& args);
int CmdRect(const Args& args);
int CmdClientSize(const Args& args);
int CmdPlace(const Args& args);
int CmdStyle(const Args& args);
int CmdMove(const Args& args);
int CmdShow(const Args& args);
int CmdCommand(const Args& args);
int CmdPostCommand(const Args& args);
int CmdSend(const Args& args);
int CmdPost(const Args& args);
int CmdClose(const Args& args);
int CmdKeys(const Args& args);
int CmdMetric(const Args& args);
int CmdSystemFont(const Args& args);

// Controls.
int CmdStatus(const Args& args);
int CmdToolbar(const Args& args);
int CmdToolbarState(const Args& args);
int CmdTooltip(const Args& args);
int CmdMenu(const Args& args);
int CmdMenuState(const Args& args);
int CmdMenuChecked(const Args& args);
int CmdFont(const Args& args);
int CmdTextExtent(const Args& args);
int CmdListItems(const Args& args);
int CmdListColumns(const Args& args);
int CmdListCells(const Args& args);
int CmdListHeaderClick(const Args& args);
int CmdListSelect(const Args& args);
int CmdListDeselect(const Args& args);
int CmdListSelected(const Args& args);
int CmdListDoubleClick(const Args& args);
int CmdPress(const Args& args);
int CmdCheck(const Args& args);
int CmdChecked(const Args& args);
int CmdSetText(const Args& args);
int CmdType(const Args& args);

// Processes.
int CmdLaunch(const Args& args);
int CmdWaitExit(const Args& args);
int CmdKill(const Args& args);
int CmdProcesses(const Args& args);

// Registry.
int CmdRegGet(const Args& args);
int CmdRegInfo(const Args& args);
int CmdRegSet(const Args& args);
int CmdRegDeleteValue(const Args& args);
int CmdRegDelete(const Args& args);
int CmdRegExists(const Args& args);
int CmdRegValues(const Args& args);
int CmdRegKeys(const Args& args);

}  // namespace qbdrive
