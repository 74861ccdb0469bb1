// The request the driver writes into a program under test for qbprobe.dll,
// which runs it on a thread of that program and writes the answer back.
// Driver and probe are built by the same tree, so both have the same bitness.
#pragma once
#include <stdint.h>

namespace qbdrive {

enum ProbeOperation : int32_t {
    kProbeMenuState = 1,   // state of menu item `id` of window `window`'s menu
    kProbeMenuDump = 2,    // every item of the window's menu, one line each
    kProbeFont = 3,        // the logical font of the font the window uses
    kProbeTextExtent = 4,  // width and height of the window's text in its font
};

struct ProbeRequest {
    int32_t operation;
    int32_t id;
    uint64_t window;
    int32_t result;  // 1 success, 0 failure
    uint32_t state;  // menu state flags
    char text[32768];
};

}  // namespace qbdrive
