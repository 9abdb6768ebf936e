// The calls of the host's thread, forwarded to the installed window thread; and the recording window thread of
// builds without windows, which only counts what it was asked.
#include "ui/info_thread.h"

#include <atomic>

#include "ui/info_thread_headless.h"

namespace {

std::atomic<bool> windowOpen{false};
std::atomic<int> threadStarts{0}, refreshPosts{0}, gridResets{0};

class RecordingThread : public WindowThread {
public:
    void start() override { ++threadStarts; }
    void stop() override { windowOpen = false; }
    bool alive() const override { return windowOpen; }
    void postRefresh() override {
        if (windowOpen) ++refreshPosts;
    }
    void resetGrids() override { ++gridResets; }
    bool opensWindows() const override { return false; }
};

// Never destroyed: the library's unload stops the window thread after the other globals are gone.
WindowThread& recording() {
    static WindowThread* const thread = new RecordingThread;
    return *thread;
}

std::atomic<WindowThread*> installed{nullptr};

WindowThread& current() {
    WindowThread* thread = installed.load();
    return thread ? *thread : recording();
}

} // namespace

void installWindowThread(WindowThread* thread) { installed = thread; }

void StartInfoThread() { current().start(); }
void StopInfoThread() { current().stop(); }
bool infoWindowOpen() { return current().alive(); }
void postInfoRefresh() { current().postRefresh(); }
void resetGridWindows() { current().resetGrids(); }
bool windowThreadOpensWindows() { return current().opensWindows(); }
void resetWindowState() {
    windowOpen = false;
    threadStarts = refreshPosts = gridResets = 0;
}

namespace headless {
void setWindowOpen(bool open) { windowOpen = open; }
WindowRequests requests() { return {threadStarts, refreshPosts, gridResets}; }
void clearRequests() { threadStarts = refreshPosts = gridResets = 0; }
} // namespace headless
