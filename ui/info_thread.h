// What the host's thread may ask of the window thread. Never called with the state lock held where it could wait.
#pragma once

constexpr unsigned WM_INFO_REFRESH = 0x0400 + 500; // 1524, posted with both parameters 0

// Starts the thread that runs the main information window; does not wait for it.
void StartInfoThread();
// Closes every plug-in window and waits for the window thread to end.
void StopInfoThread();
// Whether the main information window exists.
bool infoWindowOpen();
// Posts WM_INFO_REFRESH to the main window (queued, never waits).
void postInfoRefresh();
// Sets every cell of the open county and zone grids back to not worked.
void resetGridWindows();
