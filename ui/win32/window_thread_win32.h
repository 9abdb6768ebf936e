// The plug-in's window thread on Windows: it runs the main information window and every other plug-in window,
// and makes every call to the host's automation object.
#pragma once

class master;

// The main window object while a window thread runs it (set by that thread), or null.
master* masterWindow();

// True once the library's unload has asked the window thread to close: the thread then opens nothing more (making
// a window needs the loader lock, which the unload holds).
bool windowThreadUnloading();
// The library is being unloaded (FreeLibrary, under the loader lock): asks the window thread to close its windows
// and waits, pumping, a bounded time for it to let go of the plug-in's code (its marker clear, its instruction
// pointer outside the image). Never waits for the thread's end.
void releaseWindowThreadForUnload();
