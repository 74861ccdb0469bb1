// The status bar of the main window: three parts for the counters, the
// hints of a window without a test, and the busy texts.
#pragma once
#include <windows.h>

#include <string>

#include "shell/session/session.h"

namespace qb {

class StatusBarView {
public:
    // The bar with the start-up hints; false when it cannot be created.
    bool Create(HWND parent, HINSTANCE module);
    // Follows the main window's new client width.
    void Resize(int clientWidth);
    // The asked, correct (with the rate) and remaining counts into the three parts.
    void ShowCounters(const Counters& counters);
    // The two hints of the start-up status bar, the third part empty.
    void ShowStartupHints();
    // A busy text (a string id) in part 0.
    void ShowBusy(int textId);

private:
    void SetText(int part, const std::string& text);

    HWND bar_ = nullptr;
};

}  // namespace qb
