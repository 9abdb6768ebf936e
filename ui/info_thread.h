// What the host's thread asks of the window thread. Called by plugin/ only, never with the state lock held; none
// of these waits for the window thread except StopInfoThread.
#pragma once

constexpr unsigned WM_INFO_REFRESH = 0x0400 + 500; // 1524, posted with both parameters 0

// Starts the thread that runs the main information window; does not wait for it.
void StartInfoThread();
// Closes every plug-in window and waits for the window thread to end.
void StopInfoThread();
// Whether the main information window exists.
bool infoWindowOpen();
// Asks the main window for a live update (queued, never waits).
void postInfoRefresh();
// Asks the open county and zone grids to show no multiplier worked (queued ahead of a refresh, never waits).
void resetGridWindows();
// The window half's part of the plug-in's one reset: no window, nothing asked.
void resetWindowState();
