// The library's load and unload on systems without DllMain.
#include "ui/info_thread.h"

namespace {
struct Library {
    ~Library() { StopInfoThread(); }
} library;
} // namespace
