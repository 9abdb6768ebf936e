// What the screen shows of a window of this thread: messages pumped until it is painted, its pixels read back
// from the screen, counted and sampled in screen coordinates, and saved as a BMP picture in VUVO_ARTIFACTS.
#pragma once
#include <windows.h>

#include <string>

#include "window_picture.h"

// Handles this thread's messages for ms milliseconds, keyboard messages through their dialog.
void pumpFor(DWORD ms);

// The screen's pixels and their rectangle, in screen coordinates (tools/window_picture).
using window_picture::Picture;

// Brings the window to the front, repaints it, lets it settle, and reads it from the screen; an invalid
// picture when the window is not wholly on the screen.
Picture takePicture(HWND window);
// Saves the picture as <VUVO_ARTIFACTS>\<name>.bmp; true when saved, or when no folder is set.
bool savePicture(const Picture& picture, const std::string& name);

// A control's rectangle on the screen.
RECT screenRect(HWND control);
// The same rectangle with each side moved inwards by d.
RECT inset(const RECT& r, int d);
