// The message box port on Windows: caption, text, icon, one OK button, and the owner window.
#include <windows.h>

#include <string>
#include <vector>

#include "gui_driver.h"
#include "platform/message_box.h"
#include "platform/win32/message_owner_win32.h"

#include <gtest/gtest.h>

namespace {

struct Seen {
    std::string text;
    HWND owner = nullptr;
    std::vector<std::string> buttons;
    bool iconShown = false;
};

BOOL CALLBACK readChild(HWND child, LPARAM lParam) {
    auto* seen = reinterpret_cast<Seen*>(lParam);
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(className, "Button") == 0) {
        seen->buttons.push_back(windowText(child));
    } else if (lstrcmpiA(className, "Static") == 0) {
        if ((style & SS_TYPEMASK) == SS_ICON) {
            seen->iconShown = seen->iconShown ||
                              ((style & WS_VISIBLE) && SendMessageA(child, STM_GETICON, 0, 0) != 0);
        } else if (!windowText(child).empty()) {
            seen->text = windowText(child);
        }
    }
    return TRUE;
}

// Shows the message on this thread while another reads the box and presses OK.
Seen show(const std::string& text, const std::string& caption, platform::MessageIcon icon,
          platform::MessageOwner owner, const char* expectedCaption) {
    Seen seen;
    DialogDriver driver(expectedCaption, [&](HWND box) {
        seen.owner = GetWindow(box, GW_OWNER);
        EnumChildWindows(box, readChild, reinterpret_cast<LPARAM>(&seen));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    platform::showMessage(text, caption, icon, owner);
    EXPECT_EQ("", driver.finish());
    return seen;
}

// A window standing in for the main information window.
class OwnerWindow {
public:
    OwnerWindow()
        : m_window(CreateWindowExA(0, "STATIC", "Setup JIDX-CW-2026", WS_POPUP | WS_CAPTION | WS_VISIBLE, 10, 10,
                                   200, 80, nullptr, nullptr, nullptr, nullptr)) {}
    ~OwnerWindow() {
        platform::setMessageOwnerWindow(nullptr);
        if (m_window) DestroyWindow(m_window);
    }
    HWND get() const { return m_window; }

private:
    HWND m_window;
};

TEST(MessageBox, ExportMessageHasCaptionIconAndOneOkButton) {
    const Seen seen = show("File produced: UA9XYZ.cbr", "Output", platform::MessageIcon::information,
                           platform::MessageOwner::mainWindow, "Output");
    EXPECT_EQ("File produced: UA9XYZ.cbr", seen.text);
    EXPECT_TRUE(seen.iconShown);
    EXPECT_EQ((std::vector<std::string>{"OK"}), seen.buttons);
    EXPECT_EQ(nullptr, seen.owner);  // no main window open
}

TEST(MessageBox, NoCaptionGivesTheSystemsOwnAndNoIcon) {
    // The system's default caption of a message box is "Error".
    const Seen seen = show("No additional setup for this contest", "", platform::MessageIcon::none,
                           platform::MessageOwner::none, "Error");
    EXPECT_EQ("No additional setup for this contest", seen.text);
    EXPECT_FALSE(seen.iconShown);
    EXPECT_EQ((std::vector<std::string>{"OK"}), seen.buttons);
}

TEST(MessageBox, TheMainWindowOwnsTheExportMessageButNotTheSetupMessage) {
    OwnerWindow main;
    ASSERT_NE(nullptr, main.get());
    platform::setMessageOwnerWindow(main.get());
    EXPECT_EQ(main.get(), show("File produced: X.cbr", "Output", platform::MessageIcon::information,
                               platform::MessageOwner::mainWindow, "Output")
                              .owner);
    EXPECT_EQ(nullptr, show("No additional setup for this contest", "", platform::MessageIcon::none,
                            platform::MessageOwner::none, "Error")
                           .owner);
}

TEST(MessageBox, AClosedMainWindowOwnsNothing) {
    HWND gone = nullptr;
    {
        OwnerWindow main;
        gone = main.get();
    }
    platform::setMessageOwnerWindow(gone);
    const Seen seen = show("File produced: X.cbr", "Output", platform::MessageIcon::information,
                           platform::MessageOwner::mainWindow, "Output");
    platform::setMessageOwnerWindow(nullptr);
    EXPECT_EQ(nullptr, seen.owner);
    EXPECT_EQ("File produced: X.cbr", seen.text);
}

} // namespace
