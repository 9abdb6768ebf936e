#include "ui/win32/window_thread_win32.h"

#include <windows.h>

#include <objbase.h>

#include <atomic>

#include "platform/win32/message_owner_win32.h"
#include "ui/info_thread.h"
#include "ui/win32/master_win32.h"

namespace {

// The life marker: true from StartInfoThread until the thread's last act; its window and apartment are gone
// by then.
std::atomic<bool> g_threadAlive{false};
// True from StartInfoThread until the new thread's main window is up (or the thread has given up).
std::atomic<bool> g_threadStarting{false};
std::atomic<master*> g_master{nullptr};
std::atomic<HWND> g_masterWindow{nullptr};
// The contest state's door that the starting host's thread handed over; the window thread reads it once.
std::atomic<ui::ContestDoor*> g_door{nullptr};
// Set when the library is being unloaded: the ending thread then leaves its apartment to the system, since
// CoUninitialize may need the loader lock that the unloading thread holds.
std::atomic<bool> g_unloading{false};

// The window thread's own loop: every plug-in window's dialog keys (Escape, Tab) work, not only the main one's.
// The first time it finds its queue empty, the window's start (the first live update, the secondary windows it
// opens) is done: the starting host's thread may go on.
void runMessageLoop() {
    MSG msg;
    for (;;) {
        if (g_threadStarting && !PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) g_threadStarting = false;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogMessageW(root, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

DWORD WINAPI InfoThreadProc(LPVOID) {
    DWORD code = 0;
    try {
        const HRESULT com = CoInitialize(nullptr);
        auto* window = new master(*g_door.load());
        g_master = window;
        if (window->open()) {
            g_masterWindow = window->GetSafeHwnd();
            platform::setMessageOwnerWindow(window->GetSafeHwnd());
            runMessageLoop();
        }
        g_threadStarting = false;
        platform::setMessageOwnerWindow(nullptr);
        g_masterWindow = nullptr;
        g_master = nullptr;
        delete window;
        if (SUCCEEDED(com) && !g_unloading) CoUninitialize();
    } catch (...) {
        code = 1;
    }
    g_masterWindow = nullptr;
    g_master = nullptr;
    g_threadStarting = false;
    g_threadAlive = false; // the last act: nothing of the plug-in's runs on this thread after it but the return
    return code;
}

// Waits while the condition holds, pumping the caller's messages: calls from the window thread to the host's
// object are served on the host's thread, which must not sit in a wait that serves nothing. The limit counts
// only the time spent waiting, not the time the host takes over its own messages (a host that answers slowly is
// still answering).
template <class Condition>
bool waitPumping(Condition condition, DWORD limitMs) {
    DWORD waited = 0;
    while (condition()) {
        if (waited >= limitMs) return false;
        const DWORD before = GetTickCount();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        waited += GetTickCount() - before;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

bool waitForThreadEnd(DWORD limitMs) {
    return waitPumping([] { return g_threadAlive.load(); }, limitMs);
}

void askToClose() {
    // A thread still starting has no window yet: it will find one to close as soon as it posts its first.
    for (int i = 0; i < 250 && g_threadAlive && !g_masterWindow; ++i) Sleep(20);
    if (HWND window = g_masterWindow) PostMessageW(window, WM_CLOSE_WINDOWS, 0, 0);
}

class Win32WindowThread : public WindowThread {
public:
    void start(ui::ContestDoor& door) override {
        if (g_threadAlive) stop();
        g_door = &door;
        g_threadAlive = true;
        g_threadStarting = true;
        HANDLE thread = CreateThread(nullptr, 0, &InfoThreadProc, nullptr, 0, nullptr);
        if (!thread) {
            g_threadStarting = false;
            g_threadAlive = false;
            return;
        }
        CloseHandle(thread);
        // The host's thread waits until the new windows are up and the thread waits for messages (its first
        // calls to the host served meanwhile): a thread that has not yet run, or is still making its windows
        // (templates and icons are found under the loader lock), cannot be waited for when the library is
        // unloaded right after, since the unload holds that lock; and the unload would take the code from under
        // it.
        waitPumping([] { return g_threadStarting.load() && g_threadAlive.load(); }, 10000);
    }
    void stop() override {
        if (!g_threadAlive) return;
        askToClose();
        waitForThreadEnd(10000);
    }
    bool alive() const override { return g_threadAlive; }
    void postRefresh() override {
        if (HWND window = g_masterWindow) PostMessageW(window, WM_INFO_REFRESH, 0, 0);
    }
    void resetGrids() override {
        if (HWND window = g_masterWindow) PostMessageW(window, WM_GRID_RESET, 0, 0);
    }
    bool opensWindows() const override { return true; }
};

Win32WindowThread* windowThread() {
    static Win32WindowThread* const thread = new Win32WindowThread;
    return thread;
}

} // namespace

master* masterWindow() { return g_master; }

bool windowThreadUnloading() { return g_unloading; }

// The Windows build's window thread: the plug-in's windows come with the plug-in.
WindowThread& defaultWindowThread() { return *windowThread(); }

void releaseWindowThreadForUnload() {
    if (!g_threadAlive) return;
    g_unloading = true;
    askToClose();
    if (waitForThreadEnd(3000)) Sleep(20); // the thread's return, after its marker, takes a moment
}
