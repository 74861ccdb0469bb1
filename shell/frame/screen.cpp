#include "shell/frame/screen.h"

#include "common/scoped_handles.h"

namespace qb {

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
