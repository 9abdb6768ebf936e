// The dialog base class: the object found from its window, messages to its handlers, the template's lists,
// modeless windows made and ended, a missing template refused.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "gui_driver.h"
#include "platform/win32/dialog_win32.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kRefresh = WM_USER + 500;

class Probe : public CDialog {
public:
    explicit Probe(UINT templateId) : CDialog(templateId) {}
    int refreshes = 0;
    int oks = 0;
    HWND windowAtInit = nullptr;
    CDialog* objectAtInit = nullptr;

protected:
    BOOL OnInitDialog() override {
        windowAtInit = m_hWnd;
        objectAtInit = reinterpret_cast<CDialog*>(GetWindowLongPtrA(m_hWnd, DWLP_USER));
        return CDialog::OnInitDialog();
    }
    void OnOK() override { ++oks; }  // the information windows ignore Enter
    bool OnMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) override {
        if (message != kRefresh) return false;
        ++refreshes;
        result = TRUE;
        return true;
    }
};

void pumpMessages(HWND dialog) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageA(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

std::string text(HWND window) {
    char buffer[256] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

TEST(DialogBase, TakesTheTemplatesFromTheModuleHoldingItsCode) {
    EXPECT_EQ(GetModuleHandleA(nullptr), CDialog::ResourceModule());
}

TEST(DialogBase, ModelessWindowFindsItsObjectAndItsHandlers) {
    Probe probe(IDD_MASTER);
    ASSERT_TRUE(probe.Create());
    HWND window = probe.GetSafeHwnd();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ(window, probe.windowAtInit);
    EXPECT_EQ(&probe, probe.objectAtInit);
    EXPECT_FALSE(IsWindowVisible(window));  // template 105 waits for its owner to show it
    EXPECT_EQ("Setup VU-VO", text(window));
    EXPECT_EQ("Window on top", text(probe.GetDlgItem(IDC_MASTER_WINDOW_ON_TOP)));

    PostMessageA(window, kRefresh, 0, 0);
    PostMessageA(window, kRefresh, 0, 0);
    pumpMessages(window);
    EXPECT_EQ(2, probe.refreshes);

    SendMessageA(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1, probe.oks);
    EXPECT_TRUE(IsWindow(window));  // its OK does nothing

    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);  // the default Cancel ends it
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, probe.GetSafeHwnd());
}

TEST(DialogBase, ClosingTheWindowCancels) {
    Probe probe(IDD_DXCC);
    ASSERT_TRUE(probe.Create());
    HWND window = probe.GetSafeHwnd();
    SendMessageA(window, WM_CLOSE, 0, 0);  // the system posts the Cancel command
    pumpMessages(window);
    EXPECT_FALSE(IsWindow(window));
}

TEST(DialogBase, AnObjectGoneTakesItsModelessWindowAlong) {
    HWND window = nullptr;
    {
        Probe probe(IDD_ZONE_GRID);
        ASSERT_TRUE(probe.Create());
        window = probe.GetSafeHwnd();
        EXPECT_EQ("Zone", text(window));
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(DialogBase, FillsTheCombosFromTheTemplatesLists) {
    Probe probe(IDD_CABRILLO);
    ASSERT_TRUE(probe.Create());
    EXPECT_EQ(64, SendMessageA(probe.GetDlgItem(IDC_CAB_LOCATION), CB_GETCOUNT, 0, 0));
    EXPECT_EQ(7, SendMessageA(probe.GetDlgItem(IDC_CAB_CATEGORY_BAND), CB_GETCOUNT, 0, 0));
    char entry[32] = {};
    SendMessageA(probe.GetDlgItem(IDC_CAB_LOCATION), CB_GETLBTEXT, 63, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ("PEI", entry);
    SendMessageA(probe.GetDlgItem(IDC_CAB_CATEGORY_TRANSMITTER), CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(entry));
    EXPECT_STREQ("UNLIMITED", entry);
    // Templates without lists: nothing added, nothing broken.
    Probe grid(IDD_COUNTY_GRID);
    ASSERT_TRUE(grid.Create());
    EXPECT_EQ("01", text(grid.GetDlgItem(1015)));
}

TEST(DialogBase, AMissingTemplateMakesNoWindow) {
    Probe modal(9999);
    EXPECT_EQ(-1, modal.DoModal());
    Probe modeless(9999);
    EXPECT_FALSE(modeless.Create());
    EXPECT_EQ(nullptr, modeless.GetSafeHwnd());
}

} // namespace

// Pictures of the windows' templates as the system lays them out (the windows themselves fill and colour them
// later), for people to compare with the descriptions.
TEST(DialogBase, PicturesOfTheInformationWindowTemplates) {
    const char* folder = std::getenv("VUVO_ARTIFACTS");
    if (!folder || !*folder) GTEST_SKIP() << "VUVO_ARTIFACTS not set: no pictures taken";
    for (UINT id : {IDD_MASTER, IDD_COUNTY_GRID, IDD_DXCC, IDD_ZONE_GRID}) {
        SCOPED_TRACE(id);
        Probe probe(id);
        ASSERT_TRUE(probe.Create());
        HWND window = probe.GetSafeHwnd();
        SetWindowPos(window, HWND_TOPMOST, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(window);
        pumpMessages(window);
        int colours = 0;
        COLORREF corner = 0;
        const std::string path = std::string(folder) + "\\template_" + std::to_string(id) + ".bmp";
        // The picture is taken from another thread while this one keeps the window painted.
        bool saved = false;
        std::atomic<bool> done{false};
        std::thread camera([&] {
            saved = saveWindowPicture(window, path, colours, corner);
            done = true;
        });
        while (!done) {
            pumpMessages(window);
            Sleep(10);
        }
        camera.join();
        EXPECT_TRUE(saved) << path;
        EXPECT_GT(colours, 2);
    }
}
