// The library's load and unload on Windows.
#include <windows.h>

#include "ui/info_thread.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD reason, LPVOID reserved) {
    // At process exit (reserved != NULL) the other threads are already gone, killed mid-way: waiting for the
    // window thread there would hang the host for ever. Only a FreeLibrary unload closes it and waits.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        try {
            StopInfoThread();
        } catch (...) {
        }
    }
    return TRUE;
}
