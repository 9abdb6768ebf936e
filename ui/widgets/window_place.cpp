#include "ui/widgets/window_place.h"

#include <string>

#include "engine/contest_settings.h"
#include "ui/window_globals.h"

namespace widgets {

// Missing, empty and non-numeric keys read as 0, and 0 means "not stored": a window really placed at 0 on an
// axis with a default reopens at the default there.
Point loadWindowPlace(const WindowPlace& place) {
    g_windowLeft = settingsReadInt(place.keyX);
    g_windowTop = settingsReadInt(place.keyY);
    if (g_windowLeft == 0) g_windowLeft = place.defaultLeft;
    if (g_windowTop == 0) g_windowTop = place.defaultTop;
    return {g_windowLeft, g_windowTop};
}

// Decimal text of any width: desktops of several monitors have corners below -999 and beyond 9999. Unchanged
// coordinates are not written, so passing the pointer over a window that stands still costs nothing.
void saveWindowPlace(const WindowPlace& place, Point corner) {
    if (corner.x != g_windowLeft) {
        g_windowLeft = corner.x;
        settingsWrite(place.keyX, std::to_string(corner.x));
    }
    if (corner.y != g_windowTop) {
        g_windowTop = corner.y;
        settingsWrite(place.keyY, std::to_string(corner.y));
    }
}

} // namespace widgets
