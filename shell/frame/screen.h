// The screen the main window lives on: its resolution, its monitors, and the
// art drawn for that resolution.
#pragma once
#include <windows.h>

#include "shell/resource_ids.h"
#include "shell/session/display_scale.h"

namespace qb {

static_assert(IDB_TOOLBAR_24 == IDB_TOOLBAR + ART_ID_STEP && IDB_TOOLBAR_32 == IDB_TOOLBAR + 2 * ART_ID_STEP &&
                  IDB_LIST_SINGLE_24 == IDB_LIST_SINGLE + ART_ID_STEP &&
                  IDB_LIST_MULTI_ANSWERED_32 == IDB_LIST_MULTI_ANSWERED + 2 * ART_ID_STEP,
              "the larger art's ids follow the 16-pixel art's by whole steps");

// The bitmap of the 16-pixel art whose id is given, in the art size of the display.
inline int ArtBitmapId(int id16, const DisplayScale& scale) {
    return id16 + ART_ID_STEP * scale.ArtIndex();
}

// The screen's resolution in dots per inch, as the system scales for it.
int ScreenDpi();

// A window's place (left, top, width, height, as the panes' rectangles are
// stored) that lies on no monitor, moved onto the nearest monitor's work
// area; any other place unchanged.
RECT PlaceOnAMonitor(const RECT& place);

}  // namespace qb
