#include "shell/shell_ui.h"

#include <commctrl.h>

#include "common/message_box.h"
#include "common/scoped_handles.h"
#include "shell/command_table.h"
#include "shell/counters.h"
#include "shell/display_scale.h"
#include "shell/main_window.h"
#include "shell/resource_ids.h"
#include "shell/startup_core.h"

namespace qb {
namespace {

constexpr FailureMessages kFailureMessages = {IDS_NO_MEMORY, IDS_FILE_ERROR, IDS_ERROR_CAPTION, MB_OK | MB_ICONWARNING};

}  // namespace

std::string LoadText(UINT id) {
    return LoadResourceString(GetModuleHandleA(nullptr), id);
}

int ShowMessage(HWND owner, UINT textId, UINT captionId, UINT style) {
    return ShowStringMessage(GetModuleHandleA(nullptr), owner, textId, captionId, style);
}

void ShowNoMemory(HWND owner) {
    ShowFailure(owner, FailureKind::NoMemory);
}

void ShowFailure(HWND owner, FailureKind kind) {
    ShowFailureMessage(GetModuleHandleA(nullptr), owner, kFailureMessages, kind);
}

void SetCommandEnabled(const MainWindow& state, int command, bool enabled) {
    EnableMenuItem(state.menu, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    SendMessageA(state.toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(command), MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void DisableDocumentCommands(const MainWindow& state) {
    for (int command : kDocumentCommands) SetCommandEnabled(state, command, false);
}

void EnableDocumentCommands(const MainWindow& state) {
    for (int command : kOpenTestCommands) SetCommandEnabled(state, command, true);
}

void SetStatusText(const MainWindow& state, int part, const std::string& text) {
    SendMessageA(state.statusBar, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

void SetStatusTextId(const MainWindow& state, int part, UINT textId) {
    SetStatusText(state, part, LoadText(textId));
}

void UpdateCounters(HWND statusBar, int32_t asked, int32_t correct, int32_t remaining) {
    CounterLabels labels;
    labels.asked = LoadText(IDS_LABEL_ASKED);
    labels.correct = LoadText(IDS_LABEL_CORRECT);
    labels.remaining = LoadText(IDS_LABEL_REMAINING);
    CounterTexts texts = FormatCounters(labels, asked, correct, remaining);
    SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(texts.asked.c_str()));
    SendMessageA(statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(texts.correct.c_str()));
    SendMessageA(statusBar, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(texts.remaining.c_str()));
}

void SetDocumentTitle(const MainWindow& state, const std::string& path) {
    SetWindowTextA(state.window, DocumentTitle(LoadText(IDS_PROGRAM_TITLE), path).c_str());
}

int ScreenDpi() {
    ScopedWindowDc screen(nullptr);
    return screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kBaseDpi;
}

RECT PlaceOnAMonitor(const RECT& place) {
    const RECT corners = {place.left, place.top, place.left + place.right, place.top + place.bottom};
    if (MonitorFromRect(&corners, MONITOR_DEFAULTTONULL) != nullptr) return place;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromRect(&corners, MONITOR_DEFAULTTONEAREST), &monitor)) return place;
    const RECT& work = monitor.rcWork;
    const ScreenRect moved = MovedOnto({place.left, place.top, place.right, place.bottom},
                                       {work.left, work.top, work.right - work.left, work.bottom - work.top});
    return {moved.x, moved.y, moved.width, moved.height};
}

}  // namespace qb
