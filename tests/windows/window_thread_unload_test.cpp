// The host's thread while it waits for the plug-in's window thread: the pass that starts the thread waits for its
// window, the unload waits for the thread to close it and leave the plug-in's code. A host that asked to quit
// still finds its WM_QUIT after either wait, and the unload leaves no thread of the plug-in's inside the code it
// unmaps. The built DLL is loaded as the host loads it; its main window opens on this program's display.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "platform/win32/thread_place_win32.h"
#include "plugin_host.h"

#include <gtest/gtest.h>

namespace {

const COleDateTime kStart = COleDateTime::fromParts(2026, 4, 11, 7, 0);
const COleDateTime kEnd = COleDateTime::fromParts(2026, 4, 12, 13, 0);

BOOL CALLBACK collectWindowThread(HWND window, LPARAM threads) {
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window))
        reinterpret_cast<std::set<DWORD>*>(threads)->insert(thread);
    return TRUE;
}

// The threads that own a visible top-level window of this process: this program opens none of its own.
std::set<DWORD> windowThreads() {
    std::set<DWORD> threads;
    EnumWindows(&collectWindowThread, reinterpret_cast<LPARAM>(&threads));
    return threads;
}

// The wParam of every WM_QUIT waiting for this thread, taken from its queue (one at most: the quit is a flag that
// the first look clears; the bound keeps a queue that never cleared it from hanging the test).
std::vector<WPARAM> takeQuits() {
    std::vector<WPARAM> codes;
    MSG msg;
    while (codes.size() < 3 && PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) codes.push_back(msg.wParam);
    return codes;
}

class WindowThreadWait : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(takeQuits().empty());
        ASSERT_TRUE(windowThreads().empty());
    }
    void TearDown() override {
        // A failed test leaves no window thread to the next one.
        host.unload();
        if (windowThread) CloseHandle(windowThread);
    }

    void load() {
        std::string why;
        ASSERT_TRUE(host.load(why)) << why;
        image = platform::imageOf(host.module());
    }

    // Starts the window thread by a pass, and keeps a handle to it: the one thread that owns a window after it.
    void startWindowThread() {
        host.resetOpeningWindows("K1VU", "K", kStart, kEnd);
        const std::set<DWORD> threads = windowThreads();
        ASSERT_EQ(1u, threads.size());
        windowThread = OpenThread(SYNCHRONIZE | THREAD_QUERY_INFORMATION | THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT,
                                  FALSE, *threads.begin());
        ASSERT_NE(nullptr, windowThread) << GetLastError();
    }

    // After the unload: the window thread has ended, or stands outside the image that went; it then ends as its
    // procedure does, with no window left. A thread that ran on in the unmapped code would have taken the whole
    // process down instead.
    void expectWindowThreadGoneFromTheCode() {
        if (WaitForSingleObject(windowThread, 0) != WAIT_OBJECT_0) {
            if (const auto place = platform::instructionPointerOf(windowThread)) {
                EXPECT_FALSE(image.contains(*place)) << std::hex << *place;
            }
        }
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(windowThread, INFINITE));
        DWORD code = STILL_ACTIVE;
        EXPECT_TRUE(GetExitCodeThread(windowThread, &code));
        EXPECT_EQ(0u, code);
        CloseHandle(windowThread);
        windowThread = nullptr;
        EXPECT_TRUE(windowThreads().empty());
    }

    test::ScratchFolder folder{test::ScratchFolder::current};
    PluginHost host;
    platform::ImageRange image;
    HANDLE windowThread = nullptr;
};

TEST_F(WindowThreadWait, TheHostsQuitOutlivesTheUnload) {
    ASSERT_NO_FATAL_FAILURE(load());
    ASSERT_NO_FATAL_FAILURE(startWindowThread());
    PostQuitMessage(7);
    ASSERT_TRUE(host.unload());
    EXPECT_EQ(std::vector<WPARAM>{7}, takeQuits());
    expectWindowThreadGoneFromTheCode();
}

TEST_F(WindowThreadWait, TheHostsQuitOutlivesThePassThatOpensTheWindow) {
    ASSERT_NO_FATAL_FAILURE(load());
    PostQuitMessage(7);
    ASSERT_NO_FATAL_FAILURE(startWindowThread());
    EXPECT_EQ(std::vector<WPARAM>{7}, takeQuits());
    ASSERT_TRUE(host.unload());
    expectWindowThreadGoneFromTheCode();
}

// Unloaded with its window open, the plug-in loads again, opens its window again and is unloaded again; the
// process goes on each time.
TEST_F(WindowThreadWait, UnloadsWithTheWindowOpenTwice) {
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_NO_FATAL_FAILURE(load());
        ASSERT_NO_FATAL_FAILURE(startWindowThread());
        ASSERT_TRUE(host.unload());
        expectWindowThreadGoneFromTheCode();
    }
    EXPECT_TRUE(takeQuits().empty());
}

} // namespace
