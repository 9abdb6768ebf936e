// What the screen shows of a window of this thread: messages pumped until it is painted, its pixels read back
// from the screen, counted and sampled in screen coordinates, and saved as a BMP picture in VUVO_ARTIFACTS.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Handles this thread's messages for ms milliseconds, keyboard messages through their dialog.
void pumpFor(DWORD ms);

struct Picture {
    RECT frame{};                   // the window's rectangle on the screen
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;   // row by row from the top
    bool valid() const { return !pixels.empty(); }
    // The colour at a screen point; CLR_INVALID outside the picture.
    COLORREF at(int x, int y) const;
    // How many pixels of a screen rectangle have exactly this colour.
    int count(const RECT& area, COLORREF colour) const;
};

// Brings the window to the front, repaints it, lets it settle, and reads it from the screen; an invalid
// picture when the window is not wholly on the screen.
Picture takePicture(HWND window);
// Saves the picture as <VUVO_ARTIFACTS>\<name>.bmp; true when saved, or when no folder is set.
bool savePicture(const Picture& picture, const std::string& name);

// A control's rectangle on the screen.
RECT screenRect(HWND control);
// The same rectangle with each side moved inwards by d.
RECT inset(const RECT& r, int d);
