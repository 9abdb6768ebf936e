// The window thread of builds without windows (the native library, tools, tests): it starts nothing and only
// counts what it was asked.
#include "ui/info_thread_headless.h"

#include <atomic>

#include "ui/info_thread.h"

namespace {

std::atomic<bool> windowOpen{false};
std::atomic<int> threadStarts{0}, refreshPosts{0}, gridResets{0};

class RecordingThread : public WindowThread {
public:
    void start(ui::ContestDoor&) override { ++threadStarts; }
    void stop() override { windowOpen = false; }
    bool alive() const override { return windowOpen; }
    void postRefresh() override {
        if (windowOpen) ++refreshPosts;
    }
    void resetGrids() override { ++gridResets; }
    bool opensWindows() const override { return false; }
    void forget() override {
        windowOpen = false;
        headless::clearRequests();
    }
};

} // namespace

// Never destroyed: the library's unload stops the window thread after the other globals are gone.
WindowThread& defaultWindowThread() {
    static WindowThread* const thread = new RecordingThread;
    return *thread;
}

namespace headless {
void setWindowOpen(bool open) { windowOpen = open; }
WindowRequests requests() { return {threadStarts, refreshPosts, gridResets}; }
void clearRequests() { threadStarts = refreshPosts = gridResets = 0; }
} // namespace headless
