// The plug-in's window thread on Windows: it runs the main information window and every other plug-in window,
// and makes every call to the host's automation object.
#pragma once

class CMasterWindow;

// The main window object while a window thread runs it (set by that thread), or null.
CMasterWindow* masterWindow();

// True once the library's unload has asked the window thread to close: the thread then opens nothing more (making
// a window needs the loader lock, which the unload holds).
bool windowThreadUnloading();
// The library is being unloaded (FreeLibrary, under the loader lock): asks the window thread to close its windows
// and waits, pumping, a bounded time for it to let go of the plug-in's code: at most 3 s for its life marker to
// clear, then at most 1 s for its instruction pointer to leave the image. Never waits for the thread's own end,
// which cannot come while the unload holds the loader lock.
void releaseWindowThreadForUnload();
