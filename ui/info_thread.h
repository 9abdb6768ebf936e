// What the host's thread asks of the window thread. Called by plugin/ only, never with the state lock held.
#pragma once

namespace ui {
class ContestDoor;
}

// Starts the thread that runs the main information window, which reads and changes the contest state only
// through the door. Waits, pumping the caller's messages, until the window is up (or its thread has given up):
// an unload right after must not take the code from under a thread still making its windows.
void StartInfoThread(ui::ContestDoor& door);
// Closes every plug-in window and waits for the window thread to end.
void StopInfoThread();
// Whether a window thread is alive (starting, or running the main information window).
bool infoWindowOpen();
// Asks the main window for a live update (queued, never waits).
void postInfoRefresh();
// Asks the open county and zone grids to show no multiplier worked (queued ahead of a refresh, never waits).
void resetGridWindows();
// Whether a started thread really opens windows (the Windows plug-in), so that the pass that starts it takes the
// window's start-up mode first; the recording adapter opens none.
bool windowThreadOpensWindows();
// The window half's part of the plug-in's one reset: no window, nothing asked, the live update's and the
// windows' globals as loaded.
void resetWindowState();

// The window thread behind the calls above: the one the platform's build supplies (defaultWindowThread), unless
// another was installed.
class WindowThread {
public:
    virtual ~WindowThread() = default;
    virtual void start(ui::ContestDoor& door) = 0;
    virtual void stop() = 0;
    virtual bool alive() const = 0;
    virtual void postRefresh() = 0;
    virtual void resetGrids() = 0;
    virtual bool opensWindows() const = 0;
    // Forgets what it was asked (the plug-in's reset; no window is open).
    virtual void forget() {}
};
void installWindowThread(WindowThread* thread); // nullptr: the default one again
// Supplied by the build: the recording thread without windows (info_thread_headless.cpp), the Win32 one in the
// Windows plug-in (win32/window_thread_win32.cpp). Never destroyed.
WindowThread& defaultWindowThread();
