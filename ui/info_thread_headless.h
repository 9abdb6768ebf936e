// The window adapter of builds without windows: it records what was asked of it, for tests and tools.
#pragma once

namespace headless {

struct WindowRequests {
    int threadStarts = 0;
    int refreshPosts = 0;
    int gridResets = 0;
};

// Pretends that a main window exists (or not) from now on.
void setWindowOpen(bool open);
WindowRequests requests();
void clearRequests();

} // namespace headless
