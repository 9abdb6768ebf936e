#include "window_camera.h"

#include <cstdlib>

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root && IsDialogMessageW(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// The screen is read on this thread once the window's drawing has reached it (Wine hands a window's pixels to
// the display while the thread waits for messages).
Picture takePicture(HWND window) {
    window_picture::bringToFront(window);
    pumpFor(100);
    window_picture::bringToFront(window);  // a fresh session's first window may miss the first request
    pumpFor(400);
    Picture picture;
    std::string why;
    window_picture::readWindow(window, picture, why);
    return picture;
}

bool savePicture(const Picture& picture, const std::string& name) {
    const char* folder = std::getenv("VUVO_ARTIFACTS");
    if (!folder || !*folder) return true;
    std::string why;
    return window_picture::saveBmp(picture, std::string(folder) + "\\" + name + ".bmp", why);
}

RECT screenRect(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return r;
}

RECT inset(const RECT& r, int d) { return RECT{r.left + d, r.top + d, r.right - d, r.bottom - d}; }
