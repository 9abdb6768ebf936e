// The county and zone grids as the operator sees them under Wine: pictures of each state, pixels sampled from
// them, their places, and what Enter, Escape, the close box and the owner's close do.
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/jidx_rules.h"
#include "ui/win32/grid_windows_win32.h"
#include "widget_fixture.h"

namespace {

using widgets::MultiplierGridWindow;

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kNearBlack = RGB(1, 1, 1);
constexpr COLORREF kBackground = RGB(255, 250, 198);

// The owner's pattern: each flag set once, the button recoloured (face, then label), then the check boxes.
void mark(MultiplierGridWindow& grid, std::initializer_list<int> multipliers) {
    for (int k : multipliers) {
        grid.worked()[k - 1] = 1;
        widgets::showMark(grid.button(k - 1), true);
    }
    grid.updateControls();
}

struct Grid {
    std::unique_ptr<MultiplierGridWindow> view;
    HWND window = nullptr;
    HWND button(int k) const { return GetDlgItem(window, widgets::controlId(view->layout(), k)); }
};

Grid openGrid(MultiplierGridWindow* opened) {
    Grid grid{std::unique_ptr<MultiplierGridWindow>(opened), nullptr};
    if (opened) {
        grid.window = dynamic_cast<CSecondaryWindow*>(opened)->GetSafeHwnd();
        pumpFor(200);
    }
    return grid;
}

// Every button: an ellipse in the colours of its state, the corners of its rectangle the window's background.
void expectMarks(const Picture& picture, const Grid& grid, const std::set<int>& worked) {
    for (int k = 1; k <= grid.view->layout().count; ++k) {
        SCOPED_TRACE("multiplier " + std::to_string(k));
        const RECT r = screenRect(grid.button(k));
        const bool isWorked = worked.count(k) > 0;
        const int area = (r.right - r.left) * (r.bottom - r.top);
        EXPECT_GT(picture.count(r, isWorked ? kMagenta : kGreen), area / 3);
        EXPECT_EQ(0, picture.count(r, isWorked ? kGreen : kMagenta));
        EXPECT_GT(picture.count(r, isWorked ? kYellow : kNearBlack), 3);  // the label
        EXPECT_EQ(kBackground, picture.at(r.left, r.top));
        EXPECT_EQ(kBackground, picture.at(r.right - 1, r.top));
        EXPECT_EQ(kBackground, picture.at(r.left, r.bottom - 1));
        EXPECT_EQ(kBackground, picture.at(r.right - 1, r.bottom - 1));
    }
}

class GridWindows : public WindowFixture {};

TEST_F(GridWindows, CountyGridAtFirstStart) {
    Grid grid = openGrid(openCountyWindow(false));
    ASSERT_NE(nullptr, grid.window);
    EXPECT_EQ(L"Japan County", wideText(grid.window));
    EXPECT_EQ(0, topLeft(grid.window).x);
    EXPECT_EQ(0, topLeft(grid.window).y);
    EXPECT_FALSE(GetWindowLongPtrW(grid.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_NE(0, SendMessageW(grid.window, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(GetMenuState(GetSystemMenu(grid.window, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_DISABLED);
    // County k's control is the one labelled with its code, and it is drawn by the program.
    for (int k = 1; k <= jidx::kCountyCount; ++k) {
        HWND button = grid.button(k);
        ASSERT_NE(nullptr, button) << k;
        const wchar_t code[3] = {static_cast<wchar_t>(L'0' + k / 10), static_cast<wchar_t>(L'0' + k % 10), 0};
        EXPECT_EQ(code, wideText(button)) << k;
        EXPECT_EQ(BS_OWNERDRAW, GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) << k;
        EXPECT_EQ(0, grid.view->worked()[k - 1]);
    }
    const Picture picture = takePicture(grid.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "county_grid_initial"));
    expectMarks(picture, grid, {});
}

TEST_F(GridWindows, WorkedCountiesTurnMagentaWithYellowLabels) {
    Grid grid = openGrid(openCountyWindow(false));
    ASSERT_NE(nullptr, grid.window);
    grid.view->setCaption("JIDX-CW-2026 CNT on 20m 3 of 50");
    mark(*grid.view, {1, 34, 50});
    EXPECT_EQ(L"JIDX-CW-2026 CNT on 20m 3 of 50", wideText(grid.window));
    const Picture picture = takePicture(grid.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "county_grid_worked"));
    // County 34 is the button with id 1093, its neighbour 33 stays green.
    ASSERT_EQ(GetDlgItem(grid.window, 1093), grid.button(34));
    const RECT county34 = screenRect(GetDlgItem(grid.window, 1093));
    const POINT middleLeft{county34.left + (county34.right - county34.left) / 5, (county34.top + county34.bottom) / 2};
    EXPECT_EQ(kMagenta, picture.at(middleLeft.x, middleLeft.y));
    const RECT county33 = screenRect(GetDlgItem(grid.window, 1092));
    EXPECT_EQ(kGreen, picture.at(county33.left + (county33.right - county33.left) / 5, (county33.top + county33.bottom) / 2));
    expectMarks(picture, grid, {1, 34, 50});
}

TEST_F(GridWindows, ZoneGridAtFirstStartAndWithZonesWorked) {
    Grid grid = openGrid(openZoneWindow(false));
    ASSERT_NE(nullptr, grid.window);
    EXPECT_EQ(L"Zone", wideText(grid.window));
    EXPECT_EQ(10, topLeft(grid.window).x);
    EXPECT_EQ(400, topLeft(grid.window).y);
    EXPECT_FALSE(GetWindowLongPtrW(grid.window, GWL_STYLE) & WS_THICKFRAME);  // cannot be resized
    for (int z = 1; z <= jidx::kZoneCount; ++z) {
        ASSERT_NE(nullptr, grid.button(z)) << z;
        EXPECT_EQ(std::to_wstring(z), wideText(grid.button(z))) << z;
    }
    Picture picture = takePicture(grid.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "zone_grid_initial"));
    expectMarks(picture, grid, {});

    grid.view->setCaption("Zone on 15m");
    mark(*grid.view, {1, 25, 40});
    picture = takePicture(grid.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "zone_grid_worked"));
    ASSERT_EQ(GetDlgItem(grid.window, 1052), grid.button(25));
    const RECT zone25 = screenRect(GetDlgItem(grid.window, 1052));
    EXPECT_EQ(kMagenta, picture.at(zone25.left + (zone25.right - zone25.left) / 5, (zone25.top + zone25.bottom) / 2));
    expectMarks(picture, grid, {1, 25, 40});
}

TEST_F(GridWindows, StoredPlacesOfAnyWidthAndOnTop) {
    settingsWrite("oblast_x", "-1200");
    settingsWrite("oblast_y", "12345");
    settingsWrite("itu_x", "0");
    settingsWrite("itu_y", "250");
    Grid county = openGrid(openCountyWindow(true));
    ASSERT_NE(nullptr, county.window);
    EXPECT_EQ(-1200, topLeft(county.window).x);
    EXPECT_EQ(12345, topLeft(county.window).y);
    EXPECT_TRUE(GetWindowLongPtrW(county.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    county.view->close();
    Grid zone = openGrid(openZoneWindow(true));
    ASSERT_NE(nullptr, zone.window);
    EXPECT_EQ(10, topLeft(zone.window).x);
    EXPECT_EQ(250, topLeft(zone.window).y);
    EXPECT_TRUE(GetWindowLongPtrW(zone.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(GridWindows, APointerOverAMovedWindowSavesOnlyWhatChanged) {
    Grid grid = openGrid(openZoneWindow(false));  // at (10, 400)
    ASSERT_NE(nullptr, grid.window);
    SetWindowPos(grid.window, nullptr, 10, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT zone7 = screenRect(grid.button(7));
    movePointer((zone7.left + zone7.right) / 2, (zone7.top + zone7.bottom) / 2);  // over a button
    EXPECT_EQ("(absent)", stored("itu_x"));
    EXPECT_EQ("300", stored("itu_y"));
    EXPECT_EQ(300, g_windowTop);
    // Far beyond four digits.
    SetWindowPos(grid.window, nullptr, -20000, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(grid.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(grid.window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ("-20000", stored("itu_x"));
    EXPECT_EQ("300", stored("itu_y"));
}

TEST_F(GridWindows, EnterTheCloseBoxAndAltF4ChangeNothing) {
    Grid grid = openGrid(openCountyWindow(false));
    ASSERT_NE(nullptr, grid.window);
    mark(*grid.view, {34});
    const Picture before = takePicture(grid.window);
    pressKey(grid.window, VK_RETURN);
    EXPECT_TRUE(IsWindow(grid.window));
    EXPECT_TRUE(clickCloseBox(grid.window));
    EXPECT_TRUE(IsWindow(grid.window));
    pressKey(grid.window, VK_F4, true);
    EXPECT_TRUE(IsWindow(grid.window));
    EXPECT_TRUE(grid.view->isOpen());
    movePointer(700, 700);  // off the window, as it was
    const Picture after = takePicture(grid.window);
    EXPECT_EQ(1, grid.view->worked()[33]);
    EXPECT_EQ(ui::kWorkedFace, grid.view->button(33).faceColor());
    ASSERT_TRUE(before.valid() && after.valid());
    EXPECT_TRUE(before.pixels == after.pixels);
}

TEST_F(GridWindows, EscapeAndTheOwnersCloseEndTheWindow) {
    MultiplierGridWindow* county = openCountyWindow(false);
    ASSERT_NE(nullptr, county);
    HWND window = dynamic_cast<CSecondaryWindow*>(county)->GetSafeHwnd();
    pressKey(window, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(county->isOpen());
    widgets::showMark(county->button(0), true);  // an ended window's buttons draw nothing, anywhere
    closeAndForget(county);
    EXPECT_EQ(nullptr, county);

    g_zoneWindow = openZoneWindow(false);
    ASSERT_NE(nullptr, g_zoneWindow);
    window = windowOf(g_zoneWindow);
    SendMessageW(window, WM_CLOSE, 0, 0);  // the owner's close request: the window is gone when it returns
    EXPECT_FALSE(IsWindow(window));
    closeAndForget(g_zoneWindow);

    g_countyWindow = openCountyWindow(false);
    ASSERT_NE(nullptr, g_countyWindow);
    window = windowOf(g_countyWindow);
    closeAndForget(g_countyWindow);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, g_countyWindow);
}

TEST_F(GridWindows, ResizingTheCountyWindowMovesNoButton) {
    Grid grid = openGrid(openCountyWindow(false));
    ASSERT_NE(nullptr, grid.window);
    auto places = [&] {
        std::vector<RECT> rects;
        for (int k = 1; k <= jidx::kCountyCount; ++k) {
            RECT r = screenRect(grid.button(k));
            MapWindowPoints(nullptr, grid.window, reinterpret_cast<POINT*>(&r), 2);
            rects.push_back(r);
        }
        return rects;
    };
    const std::vector<RECT> before = places();
    RECT frame{};
    GetWindowRect(grid.window, &frame);
    SetWindowPos(grid.window, nullptr, 0, 0, frame.right - frame.left + 120, frame.bottom - frame.top + 90,
                 SWP_NOMOVE | SWP_NOZORDER);
    const std::vector<RECT> after = places();
    for (int k = 1; k <= jidx::kCountyCount; ++k) EXPECT_TRUE(EqualRect(&before[k - 1], &after[k - 1])) << k;
    const Picture picture = takePicture(grid.window);
    RECT client{};
    GetClientRect(grid.window, &client);
    MapWindowPoints(grid.window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(kBackground, picture.at(client.right - 30, client.bottom - 30));
    EXPECT_EQ(kBackground, picture.at(client.right - 60, client.top + 10));
}

TEST_F(GridWindows, APressedButtonShowsItsNearBlackRimAndChangesNothing) {
    Grid grid = openGrid(openCountyWindow(false));
    ASSERT_NE(nullptr, grid.window);
    const RECT county34 = screenRect(grid.button(34));
    const Picture rest = takePicture(grid.window);
    movePointer((county34.left + county34.right) / 2, (county34.top + county34.bottom) / 2);
    mouseButton(true);
    const Picture pressed = takePicture(grid.window);
    mouseButton(false);
    pumpFor(200);
    EXPECT_GT(pressed.count(county34, kNearBlack), rest.count(county34, kNearBlack) + 10);
    EXPECT_LT(pressed.count(county34, RGB(128, 128, 128)), rest.count(county34, RGB(128, 128, 128)));
    EXPECT_EQ(0, grid.view->worked()[33]);
    EXPECT_EQ(ui::kNotWorkedFace, grid.view->button(33).faceColor());
    EXPECT_EQ(0, pressed.count(county34, kMagenta));
}

TEST_F(GridWindows, TheCheckBoxCopyTakesOnlyCheckStates) {
    Grid grid = openGrid(openCountyWindow(false));
    ASSERT_NE(nullptr, grid.window);
    grid.view->worked()[4] = 7;  // not a check state: shown as 0
    grid.view->worked()[5] = 1;
    grid.view->updateControls();
    EXPECT_EQ(0, grid.view->worked()[4]);
    EXPECT_EQ(1, grid.view->worked()[5]);
    EXPECT_EQ(ui::kNotWorkedFace, grid.view->button(5).faceColor());  // flags alone change no colour
}

} // namespace
