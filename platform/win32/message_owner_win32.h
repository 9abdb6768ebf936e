// The window that owns the plug-in's message boxes: the main information window while it exists.
#pragma once
#include <windows.h>

namespace platform {

// The main window registers itself when it opens and passes nullptr when it closes.
void setMessageOwnerWindow(HWND window);
HWND messageOwnerWindow();

} // namespace platform
