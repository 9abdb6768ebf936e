// The calls of the host's thread, forwarded to the window thread in use.
#include "ui/info_thread.h"

#include <atomic>

#include "ui/master_panel.h"

namespace {

std::atomic<WindowThread*> installed{nullptr};

WindowThread& current() {
    WindowThread* thread = installed.load();
    return thread ? *thread : defaultWindowThread();
}

} // namespace

void installWindowThread(WindowThread* thread) { installed = thread; }

void StartInfoThread(ui::ContestDoor& door) { current().start(door); }
void StopInfoThread() { current().stop(); }
bool infoWindowOpen() { return current().alive(); }
void postInfoRefresh() { current().postRefresh(); }
void resetGridWindows() { current().resetGrids(); }
bool windowThreadOpensWindows() { return current().opensWindows(); }
void resetWindowState() {
    current().forget();
    ui::resetWindowHalf();
}
