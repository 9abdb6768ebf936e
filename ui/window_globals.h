// The window half's shared globals: the window-placement pair that every plug-in window reads, and the secondary windows that are open (null when closed). Window thread only.
#pragma once

namespace widgets {
class MultiplierGridWindow;
class DxccWindowView;
} // namespace widgets

extern int g_windowLeft;   // the position last read or written by any plug-in window
extern int g_windowTop;

extern widgets::MultiplierGridWindow* g_countyWindow;
extern widgets::MultiplierGridWindow* g_zoneWindow;
extern widgets::DxccWindowView* g_dxccWindow;

// Closing a secondary window: ends the window, deletes the object and forgets the pointer.
template <class Window>
void closeAndForget(Window*& window) {
    if (!window) return;
    window->close();
    delete window;
    window = nullptr;
}
