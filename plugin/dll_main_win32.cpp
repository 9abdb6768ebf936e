// The library's load and unload on Windows.
#include <windows.h>

#include "ui/win32/window_thread_win32.h"

namespace {
// The plug-in's windows come with the plug-in: the load puts its window thread behind the host's calls.
struct WindowThreadInstaller {
    WindowThreadInstaller() { installWin32WindowThread(); }
} installer;
} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
    // At process exit (reserved != NULL) the other threads are already gone, killed mid-way: waiting for the
    // window thread there would hang the host for ever. A FreeLibrary unload asks the thread to close its windows
    // and waits for it to let go of the plug-in's code, never for its end: that needs the loader lock held here.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        try {
            releaseWindowThreadForUnload();
        } catch (...) {
        }
    }
    return TRUE;
}
