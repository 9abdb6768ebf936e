// What the screen shows of a window or of a rectangle, read back as pixels, and saved as a BMP file.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace window_picture {

struct Picture {
    RECT frame{};                   // the rectangle of the screen it was read from
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;   // row by row from the top
    bool valid() const { return !pixels.empty(); }
    // The colour at a screen point; CLR_INVALID outside the picture.
    COLORREF at(int x, int y) const;
    // How many pixels of a screen rectangle have exactly this colour.
    int count(const RECT& area, COLORREF colour) const;
};

// The whole screen's rectangle.
RECT wholeScreen();

// Puts the window in front of the others and has it repainted now. Wine hands the new pixels to the display only
// while the window's thread waits for messages, and an inactive window of Wine's may keep showing older pixels:
// the caller lets the window's thread run a while before it reads the screen.
void bringToFront(HWND window);

// Reads what the screen shows in the rectangle. On failure the picture is left invalid and why says
// "the screen could not be read".
bool readScreen(const RECT& area, Picture& picture, std::string& why);

// Reads the window's rectangle, caption and frame included, as the screen shows it (whatever lies in front of
// the window comes with it). The window must lie wholly on the screen: past its edge the display gives black.
// On failure why says "the window is gone", "the window reaches beyond the screen" or "the screen could not be
// read".
bool readWindow(HWND window, Picture& picture, std::string& why);

// Saves the picture as a 24-bit BMP file: the two headers, then the rows from the bottom up, each padded to four
// bytes. On failure why says "cannot write <path>", or that nothing was read from the screen for it.
bool saveBmp(const Picture& picture, const std::string& path, std::string& why);

} // namespace window_picture
