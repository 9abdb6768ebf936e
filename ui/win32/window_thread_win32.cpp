#include "ui/win32/window_thread_win32.h"

#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <cstdint>
#include <optional>

#include "platform/win32/message_owner_win32.h"
#include "platform/win32/thread_place_win32.h"
#include "ui/info_thread.h"
#include "ui/win32/master_win32.h"

// The linker's name for the start of this module's image (its DOS header): the plug-in's own module.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// The life marker: true from StartInfoThread until the thread's last act; its window is gone by then, and its
// apartment too unless the library is being unloaded (g_unloading).
std::atomic<bool> g_threadAlive{false};
// True from StartInfoThread until the new thread's start is done: its windows up and its queue found empty for the
// first time (runMessageLoop), or the thread has given up.
std::atomic<bool> g_threadStarting{false};
std::atomic<CMasterWindow*> g_master{nullptr};
std::atomic<HWND> g_masterWindow{nullptr};
// The contest state's door that the starting host's thread handed over; the window thread reads it once.
std::atomic<ui::ContestDoor*> g_door{nullptr};
// Set when the library is being unloaded: the ending thread then leaves its apartment to the system, since
// CoUninitialize may need the loader lock that the unloading thread holds.
std::atomic<bool> g_unloading{false};
// Set when the host's thread asks the window thread to close. A thread still making its window has none to post
// to yet: it reads this once the window is up and asks itself.
std::atomic<bool> g_closeAsked{false};
// The latest window thread, kept open until the unload has seen it leave the plug-in's code (only the host's
// thread touches it).
HANDLE g_thread = nullptr;

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
        auto* window = new CMasterWindow(*g_door.load());
        g_master = window;
        if (window->open()) {
            g_masterWindow = window->GetSafeHwnd();
            if (g_closeAsked) PostMessageW(window->GetSafeHwnd(), WM_CLOSE_WINDOWS, 0, 0);
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
    g_threadAlive = false;
    // Nothing of the plug-in's runs on this thread after its marker: the unload, once it sees the marker clear,
    // unmaps the code as soon as this thread's instruction pointer is outside it. A return would still run this
    // function's epilogue in that code; ExitThread leaves it at once and waits for the loader lock in the system's.
    ExitThread(code);
}

// Waits while the condition holds, pumping the caller's messages: calls from the window thread to the host's
// object are served on the host's thread, which must not sit in a wait that serves nothing. The limit counts
// only the time spent waiting, not the time the host takes over its own messages (a host that answers slowly is
// still answering). A WM_QUIT met here is the host's (PostQuitMessage only sets a flag, which the first
// PeekMessage to see it clears): it is posted again on the way out, or the host would never quit.
template <class Condition>
bool waitPumping(Condition condition, DWORD limitMs, DWORD pollMs = 20) {
    bool quit = false;
    WPARAM quitCode = 0;
    DWORD waited = 0;
    bool ended = true;
    while (condition()) {
        if (waited >= limitMs) {
            ended = false;
            break;
        }
        const DWORD before = GetTickCount();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, pollMs, QS_ALLINPUT);
        waited += GetTickCount() - before;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (quit) PostQuitMessage(static_cast<int>(quitCode));
    return ended;
}

// Waits for the thread's last act, the clearing of its life marker; not for the system's thread to end, which it
// does only after its ExitThread took the loader lock. False when the limit came first.
bool waitForLifeMarkerClear(DWORD limitMs) {
    return waitPumping([] { return g_threadAlive.load(); }, limitMs);
}

// Never waits: a thread still making its window reads the request once the window is up. The flag is set before
// the window is read, and the thread publishes its window before it reads the flag, so one of the two always
// sees the other (a close asked twice finds the window gone the second time).
void askToClose() {
    g_closeAsked = true;
    if (HWND window = g_masterWindow) PostMessageW(window, WM_CLOSE_WINDOWS, 0, 0);
}

// True when the thread has ended or, stopped for a moment, stands outside the plug-in's image; false while it is
// inside, or cannot be looked at.
bool threadLeftOwnCode(HANDLE thread) {
    if (WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) return true;
    const std::optional<std::uintptr_t> place = platform::instructionPointerOf(thread);
    return place && !platform::imageOf(reinterpret_cast<HMODULE>(&__ImageBase)).contains(*place);
}

class Win32WindowThread : public WindowThread {
public:
    void start(ui::ContestDoor& door) override {
        if (g_threadAlive) stop();
        if (g_thread) CloseHandle(g_thread);
        g_thread = nullptr;
        g_door = &door;
        g_closeAsked = false;
        g_threadAlive = true;
        g_threadStarting = true;
        g_thread = CreateThread(nullptr, 0, &InfoThreadProc, nullptr, 0, nullptr);
        if (!g_thread) {
            g_threadStarting = false;
            g_threadAlive = false;
            return;
        }
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
        waitForLifeMarkerClear(10000);
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

CMasterWindow* masterWindow() { return g_master; }

bool windowThreadUnloading() { return g_unloading; }

// The Windows build's window thread: the plug-in's windows come with the plug-in.
WindowThread& defaultWindowThread() { return *windowThread(); }

// A thread whose marker is clear runs nothing of ours but its call to ExitThread, which it soon leaves for the
// system's code, where it waits for the loader lock held here: its instruction pointer tells when the code may
// go. Even a thread that cleared its marker long ago is looked at: it may not have left yet. A thread still
// marked after the limit (a host that answers no call) is inside our code for a reason only it can end, and
// waiting on under the loader lock would hang the host for good: the unload then goes on without it.
void releaseWindowThreadForUnload() {
    HANDLE thread = g_thread;
    g_thread = nullptr;
    if (!thread) return;
    g_unloading = true;
    askToClose();
    if (waitForLifeMarkerClear(3000)) waitPumping([thread] { return !threadLeftOwnCode(thread); }, 1000, 1);
    CloseHandle(thread);
}
