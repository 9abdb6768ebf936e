#include "ui/info_thread.h"

#include <atomic>

#include "ui/info_thread_headless.h"

namespace {
std::atomic<bool> windowOpen{false};
std::atomic<int> threadStarts{0}, refreshPosts{0}, gridResets{0};
} // namespace

void StartInfoThread() { ++threadStarts; }
void StopInfoThread() { windowOpen = false; }
bool infoWindowOpen() { return windowOpen; }
void postInfoRefresh() {
    if (windowOpen) ++refreshPosts;
}
void resetGridWindows() { ++gridResets; }
void resetWindowState() {
    windowOpen = false;
    threadStarts = refreshPosts = gridResets = 0;
}

namespace headless {
void setWindowOpen(bool open) { windowOpen = open; }
WindowRequests requests() { return {threadStarts, refreshPosts, gridResets}; }
void clearRequests() { threadStarts = refreshPosts = gridResets = 0; }
} // namespace headless
