// What the host's thread asks of the window thread. Called by plugin/ only, never with the state lock held; none
// of these waits for the window thread except StopInfoThread.
#pragma once

constexpr unsigned WM_INFO_REFRESH = 0x0400 + 500; // 1524, posted with both parameters 0

// Starts the thread that runs the main information window; does not wait for it.
void StartInfoThread();
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
// The window half's part of the plug-in's one reset: no window, nothing asked.
void resetWindowState();

// The window thread behind the calls above. By default every build has the recording one, which starts nothing
// (tests and tools); the Windows plug-in installs its own when the library loads.
class WindowThread {
public:
    virtual ~WindowThread() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool alive() const = 0;
    virtual void postRefresh() = 0;
    virtual void resetGrids() = 0;
    virtual bool opensWindows() const = 0;
};
void installWindowThread(WindowThread* thread); // nullptr: the recording one again
