// What the window tests share: a settings folder of their own as the current folder (the settings file is
// relative to it), the shared globals back at their start, and an operator's keys and clicks.
#pragma once
#include <windows.h>

#include <string>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/settings.h"
#include "support/scratch_folder.h"
#include "ui/window_globals.h"
#include "ui/win32/secondary_window_win32.h"
#include "window_camera.h"

#include <gtest/gtest.h>

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        g_windowLeft = 0;
        g_windowTop = 0;
    }

    static std::string stored(const char* key) {
        return platform::profileRead(g_settingsFile, g_settingsSection, key, "(absent)");
    }
    template <class View>
    static HWND windowOf(View* view) {
        auto* window = dynamic_cast<CSecondaryWindow*>(view);
        return window ? window->GetSafeHwnd() : nullptr;
    }

    test::ScratchFolder folder{test::ScratchFolder::current};
};

POINT topLeft(HWND window);
std::wstring wideText(HWND window);
// A key pressed and let go through the system's input queue, the window in front.
void pressKey(HWND window, WORD key, bool alt = false);
// A left click on the caption's close box; false when the window has none.
bool clickCloseBox(HWND window);
// The pointer moved to a screen point, and the messages it brings handled.
void movePointer(int x, int y);
// Mouse button down (or up) where the pointer is.
void mouseButton(bool down);
