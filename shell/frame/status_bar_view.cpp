#include "shell/frame/status_bar_view.h"

#include <commctrl.h>

#include "shell/frame/message_display.h"
#include "shell/resource_ids.h"
#include "shell/session/counters.h"
#include "shell/session/startup_core.h"

namespace qb {

bool StatusBarView::Create(HWND parent, HINSTANCE module) {
    bar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), module, nullptr);
    if (!bar_) return false;
    int edges[3] = {-1, -1, -1};
    SendMessageA(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SetText(0, LoadText(IDS_STARTUP_HINT));
    SetText(1, LoadText(IDS_HELP_HINT));
    return true;
}

void StatusBarView::Resize(int clientWidth) {
    SendMessageA(bar_, WM_SIZE, 0, 0);
    StatusPartEdges parts = StatusParts(clientWidth);
    SendMessageA(bar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts.edges));
}

void StatusBarView::SetText(int part, const std::string& text) {
    SendMessageA(bar_, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBarView::ShowCounters(const Counters& counters) {
    CounterLabels labels;
    labels.asked = LoadText(IDS_LABEL_ASKED);
    labels.correct = LoadText(IDS_LABEL_CORRECT);
    labels.remaining = LoadText(IDS_LABEL_REMAINING);
    const CounterTexts texts = FormatCounters(labels, counters.asked, counters.correct, counters.remaining);
    SetText(0, texts.asked);
    SetText(1, texts.correct);
    SetText(2, texts.remaining);
}

void StatusBarView::ShowStartupHints() {
    SetText(0, LoadText(IDS_STARTUP_HINT));
    SetText(1, LoadText(IDS_HELP_HINT));
    SetText(2, "");
}

void StatusBarView::ShowBusy(int textId) {
    SetText(0, LoadText(static_cast<UINT>(textId)));
}

}  // namespace qb
