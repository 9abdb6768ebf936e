// Drives a modal window of the code under test from a second thread, as an operator would: finds the window,
// acts on it (messages, keystrokes), reads it, takes its picture.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// The top-level dialog of this process with this caption, waited for up to timeoutMs; nullptr when none came.
HWND waitForDialog(const char* caption, DWORD timeoutMs = 10000);
// Waits until the window is gone; false after timeoutMs.
bool waitUntilClosed(HWND window, DWORD timeoutMs = 5000);
// Waits until the keyboard focus of the window's thread is on control.
bool waitForFocus(HWND control, DWORD timeoutMs = 3000);

// Runs act(window) on a thread of its own once the dialog with this caption is open; if the dialog is still
// open after act and a grace time, closes it (IDCANCEL) and notes that in failure().
class DialogDriver {
public:
    DialogDriver(const char* caption, std::function<void(HWND)> act);
    ~DialogDriver();
    // Waits for the thread; the problems it met, empty when none.
    std::string finish();

private:
    std::thread m_thread;
    std::string m_failure;
    bool m_finished = false;
};

std::string windowText(HWND window);
// The text of a dialog's control, read across threads.
std::string itemText(HWND dialog, int id);
void setItemText(HWND dialog, int id, const std::string& text);
// Moves the dialog's focus to the control, then waits until it is there.
bool focusControl(HWND dialog, int id);
// Keystrokes through the system's input queue; ctrl holds Control down around the key.
void pressKey(WORD key, bool ctrl = false);
// Clicks the dialog's push button by its id, as a mouse click on it reports it.
void clickButton(HWND dialog, int id);

// The window as it stands on the screen, caption and frame included, saved as a 24-bit BMP file. The pixel
// colours are counted into distinctColours (0 when nothing could be read).
bool saveWindowPicture(HWND window, const std::string& path, int& distinctColours, COLORREF& clientCorner);
