// Where a secondary window opens and how it remembers its place: two settings keys, read into and saved
// through the shared g_windowLeft / g_windowTop.
#pragma once

namespace widgets {

struct WindowPlace {
    const char* keyX;
    const char* keyY;
    int defaultLeft;  // what a stored 0 (or a missing key) stands for, each axis by itself
    int defaultTop;
};
inline constexpr WindowPlace kCountyPlace{"oblast_x", "oblast_y", 0, 0};
inline constexpr WindowPlace kZonePlace{"itu_x", "itu_y", 10, 400};
inline constexpr WindowPlace kDxccPlace{"dxcc_x", "dxcc_y", 10, 400};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// The point the window's top-left corner goes to, read from both keys; it becomes the shared pair that
// saveWindowPlace compares with. Callers place the window by the point, never by the pair.
Point loadWindowPlace(const WindowPlace& place);
// The window's corner as it stands now: each coordinate that differs from the shared pair is stored there and
// written under its key.
void saveWindowPlace(const WindowPlace& place, Point corner);

} // namespace widgets
