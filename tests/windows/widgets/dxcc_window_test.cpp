// The DXCC window under Wine: both faces of its panel painted from a state, the band's row highlighted, the
// list's wrap, its caption in Russian, its place, its margin when resized, and how it ends.
#include <windows.h>

#include <memory>
#include <string>

#include "engine/jidx_rules.h"
#include "resources/resource.h"
#include "ui/win32/dxcc_window_win32.h"
#include "widget_fixture.h"

namespace {

using widgets::DxccPanelState;
using widgets::DxccWindowView;

constexpr COLORREF kTable = RGB(255, 255, 198);
constexpr COLORREF kList = RGB(255, 250, 198);
constexpr COLORREF kHighlight = RGB(198, 255, 255);
constexpr COLORREF kText = RGB(0, 0, 0);

DxccPanelState tableState(int band) {
    DxccPanelState state;
    state.currentCall = "JA1XYZ";
    state.infoBand = band;
    for (int b = 0; b < jidx::kBandCount; ++b) state.rows[b] = {jidx::kBandNames[b], "   -", "   -", " -"};
    state.rows[2] = {"40m", "12:03", "CW", "13"};
    state.rows[3] = {"20m", "13:15", "CW", "13"};
    state.rows[4] = {"15m", "14:20", "CW", "13"};
    return state;
}

DxccPanelState listState() {
    DxccPanelState state;
    state.ownIsJA = true;
    state.infoBand = 2;
    state.bandDxcc = {"W", "DL", "UA", "VK", "K", "BY", "9A", "ZS", "PY", "LU", "EA", "F"};
    return state;
}

// The window and its panel, the panel's item rectangle on the screen.
struct Dxcc {
    std::unique_ptr<DxccWindowView> view;
    HWND window = nullptr;
    HWND panel() const { return GetDlgItem(window, IDC_DXCC_PANEL); }
    RECT item() const {
        RECT r{};
        GetClientRect(panel(), &r);
        MapWindowPoints(panel(), nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

Dxcc openDxcc(widgets::DxccPanelSource source, bool onTop = false) {
    Dxcc dxcc{std::unique_ptr<DxccWindowView>(openDxccWindow(std::move(source), onTop)), nullptr};
    if (dxcc.view) {
        dxcc.window = dynamic_cast<CSecondaryWindow*>(dxcc.view.get())->GetSafeHwnd();
        pumpFor(200);
    }
    return dxcc;
}

// Only the band's row, from 10 pixels under its top line to the next, is highlighted.
void expectHighlightOnRow(const Picture& picture, const RECT& item, int band) {
    const int pitch = (item.bottom - item.top) / (jidx::kBandCount + 1);  // the head row, then a row per band
    for (int r = 1; r <= jidx::kBandCount; ++r) {
        SCOPED_TRACE("row " + std::to_string(r));
        const int top = item.top + r * pitch + 10;
        const int bottom = item.top + (r + 1) * pitch;  // exclusive
        const COLORREF expected = r == band + 1 ? kHighlight : kTable;
        EXPECT_EQ(expected, picture.at(item.left + 5, top));
        EXPECT_EQ(expected, picture.at(item.left + 5, bottom - 1));
        EXPECT_EQ(expected, picture.at(item.right - 3, (top + bottom) / 2));
        EXPECT_EQ(kTable, picture.at(item.left + 5, top - 1));
    }
}

class DxccWindow : public WindowFixture {};

TEST_F(DxccWindow, AtFirstStartOnlyTheTablesBackground) {
    Dxcc dxcc = openDxcc({});
    ASSERT_NE(nullptr, dxcc.window);
    EXPECT_EQ(L"DXCC", wideText(dxcc.window));
    EXPECT_EQ(10, topLeft(dxcc.window).x);
    EXPECT_EQ(400, topLeft(dxcc.window).y);
    EXPECT_NE(0, SendMessageW(dxcc.window, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(GetMenuState(GetSystemMenu(dxcc.window, FALSE), SC_CLOSE, MF_BYCOMMAND) & MF_DISABLED);
    const Picture picture = takePicture(dxcc.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "dxcc_initial"));
    const RECT item = dxcc.item();
    EXPECT_EQ((item.right - item.left) * (item.bottom - item.top), picture.count(item, kTable));
}

TEST_F(DxccWindow, TheTableFaceHighlightsTheBandsRow) {
    Dxcc dxcc = openDxcc([] { return tableState(3); });
    ASSERT_NE(nullptr, dxcc.window);
    // "JIDX-CW-2026 Предыдущие QSO with JA1XYZ" as the owner holds it, in Windows-1251.
    dxcc.view->setCaption("JIDX-CW-2026 \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO c JA1XYZ");
    EXPECT_EQ(L"JIDX-CW-2026 \u041F\u0440\u0435\u0434\u044B\u0434\u0443\u0449\u0438\u0435 QSO c JA1XYZ",
              wideText(dxcc.window));
    const Picture picture = takePicture(dxcc.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "dxcc_table"));
    const RECT item = dxcc.item();
    expectHighlightOnRow(picture, item, 3);
    EXPECT_GT(picture.count(item, kText), 100);
    // The texts stand where the table puts them: the call at x 180 of the heading, band names at x 20.
    const int pitch = (item.bottom - item.top) / 7;
    EXPECT_GT(picture.count({item.left + 180, item.top, item.left + 250, item.top + 14}, kText), 10);
    EXPECT_EQ(0, picture.count({item.left, item.top, item.left + 100, item.top + 14}, kText));
    EXPECT_GT(picture.count({item.left + 20, item.top + 4 * pitch + 10, item.left + 60, item.top + 5 * pitch}, kText),
              10);
}

TEST_F(DxccWindow, TheListFaceWrapsBeforeTheRightEdge) {
    Dxcc dxcc = openDxcc([] { return listState(); });
    ASSERT_NE(nullptr, dxcc.window);
    const Picture picture = takePicture(dxcc.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "dxcc_list"));
    const RECT item = dxcc.item();
    const int width = item.right - item.left;
    EXPECT_EQ(kList, picture.at(item.left + 1, item.top + 1));
    EXPECT_EQ(kList, picture.at(item.right - 2, item.bottom - 2));
    // Entries 40 pixels apart from x 5; a line holds those that start at x <= W - 40.
    const int perLine = (width - 40 - 5) / 40 + 1;
    ASSERT_LT(perLine, 12);
    auto entry = [&](int index) {
        const int x = item.left + 5 + 40 * (index % perLine);
        const int y = item.top + 15 + 15 * (index / perLine);
        return RECT{x, y, x + 38, y + 15};
    };
    for (int i = 0; i < 12; ++i) EXPECT_GT(picture.count(entry(i), kText), 5) << "entry " << i;
    EXPECT_EQ(0, picture.count(entry(12), kText));
    EXPECT_EQ(0, picture.count({item.left, item.top, item.right, item.top + 15}, kText));
}

TEST_F(DxccWindow, RepaintsFromAFreshCopyAndKeepsItsMarginWhenResized) {
    auto band = std::make_shared<int>(3);
    Dxcc dxcc = openDxcc([band] { return tableState(*band); });
    ASSERT_NE(nullptr, dxcc.window);
    *band = 5;
    dxcc.view->repaintPanel();
    Picture picture = takePicture(dxcc.window);
    ASSERT_TRUE(picture.valid());
    expectHighlightOnRow(picture, dxcc.item(), 5);

    // Larger, and higher up so that the whole window stays on the 768-line screen.
    SetWindowPos(dxcc.window, nullptr, 10, 100, 560, 420, SWP_NOZORDER);
    RECT client{};
    GetClientRect(dxcc.window, &client);
    RECT panel = dxcc.item();
    MapWindowPoints(nullptr, dxcc.window, reinterpret_cast<POINT*>(&panel), 2);
    EXPECT_EQ(5, panel.left);
    EXPECT_EQ(5, panel.top);
    EXPECT_EQ(client.right - 5, panel.right);
    EXPECT_EQ(client.bottom - 5, panel.bottom);
    picture = takePicture(dxcc.window);
    ASSERT_TRUE(picture.valid());
    EXPECT_TRUE(savePicture(picture, "dxcc_resized"));
    expectHighlightOnRow(picture, dxcc.item(), 5);  // the row pitch grows with the panel
    RECT screenClient = client;
    MapWindowPoints(dxcc.window, nullptr, reinterpret_cast<POINT*>(&screenClient), 2);
    EXPECT_EQ(RGB(255, 250, 198), picture.at(screenClient.left + 2, screenClient.top + 100));
    EXPECT_EQ(RGB(255, 250, 198), picture.at(screenClient.right - 3, screenClient.bottom - 3));
}

TEST_F(DxccWindow, StoredPlaceAndThePointerOverThePanel) {
    settingsWrite("dxcc_x", "250");
    settingsWrite("dxcc_y", "0");
    Dxcc dxcc = openDxcc({}, true);
    ASSERT_NE(nullptr, dxcc.window);
    EXPECT_EQ(250, topLeft(dxcc.window).x);
    EXPECT_EQ(400, topLeft(dxcc.window).y);
    EXPECT_TRUE(GetWindowLongPtrW(dxcc.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(dxcc.window, nullptr, 150, 420, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT item = dxcc.item();
    movePointer((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    EXPECT_EQ("150", stored("dxcc_x"));
    EXPECT_EQ("420", stored("dxcc_y"));
}

TEST_F(DxccWindow, EnterAndTheCloseBoxChangeNothingEscapeAndCloseEndIt) {
    g_dxccWindow = openDxccWindow({}, false);
    ASSERT_NE(nullptr, g_dxccWindow);
    HWND window = windowOf(g_dxccWindow);
    pressKey(window, VK_RETURN);
    EXPECT_TRUE(clickCloseBox(window));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(L"DXCC", wideText(window));
    pressKey(window, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(g_dxccWindow->isOpen());
    g_dxccWindow->repaintPanel();  // an ended window: nothing happens
    closeAndForget(g_dxccWindow);

    g_dxccWindow = openDxccWindow({}, false);
    ASSERT_NE(nullptr, g_dxccWindow);
    window = windowOf(g_dxccWindow);
    closeAndForget(g_dxccWindow);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(nullptr, g_dxccWindow);
}

} // namespace
