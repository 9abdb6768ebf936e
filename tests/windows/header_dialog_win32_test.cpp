// The Cabrillo header dialog as the operator sees it: run through the port on this thread, driven from another
// one by messages and keystrokes, its answers checked; pictures of it saved for people to look at.
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>

#include "cabrillo/header_fields.h"
#include "gui_driver.h"
#include "platform/header_dialog.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

const char* const kCaption = "JIDX-CW/SSB Contest";
// The header's texts by name, as the tests write them; the dialog gets them as the plug-in's boxes.
struct Values {
    std::string contest, callsign, claimed;
    std::string categoryOperator, location, categoryBand, categoryMode, categoryPower, categoryTransmitter;
    std::string name, address, addressCity, addressPostalCode, addressCountry;
    std::string operators, club, soapbox, email;
};

// What a first export in a CW contest starts with (no stored keys), plus a stored name and soapbox.
Values cwStart() {
    Values v;
    v.contest = "JIDX-CW";
    v.callsign = "UA9XYZ";
    v.claimed = "1234";
    v.categoryOperator = "SINGLE-OP";
    v.location = "DX";
    v.categoryBand = "ALL";
    v.categoryMode = "CW";
    v.categoryPower = "HIGH";
    v.categoryTransmitter = "ONE";
    v.name = "Ivan Petrov";
    v.address = "ul. Lenina 1";
    v.addressCity = "Omsk";
    v.addressPostalCode = "644000";
    v.addressCountry = "Russia";
    v.operators = "UA9XYZ";
    v.club = "Siberian DX Club";
    v.soapbox = "First line\r\nSecond line";
    v.email = "ua9xyz@example.org";
    return v;
}

Values ssbStart() {
    Values v = cwStart();
    v.contest = "JIDX-SSB";
    v.categoryMode = "SSB";
    v.callsign = "DL1ABC/P";
    v.operators = "DL1ABC<CR><LF>DL2XYZ";
    v.claimed = "";
    v.name = "";
    return v;
}

const std::pair<int, std::string Values::*> kBoxes[] = {
    {IDC_CAB_CONTEST, &Values::contest},
    {IDC_CAB_CALLSIGN, &Values::callsign},
    {IDC_CAB_CLAIMED, &Values::claimed},
    {IDC_CAB_CATEGORY_OPERATOR, &Values::categoryOperator},
    {IDC_CAB_LOCATION, &Values::location},
    {IDC_CAB_CATEGORY_BAND, &Values::categoryBand},
    {IDC_CAB_CATEGORY_MODE, &Values::categoryMode},
    {IDC_CAB_CATEGORY_POWER, &Values::categoryPower},
    {IDC_CAB_CATEGORY_TRANSMITTER, &Values::categoryTransmitter},
    {IDC_CAB_NAME, &Values::name},
    {IDC_CAB_ADDRESS, &Values::address},
    {IDC_CAB_ADDRESS_CITY, &Values::addressCity},
    {IDC_CAB_ADDRESS_POSTALCODE, &Values::addressPostalCode},
    {IDC_CAB_ADDRESS_COUNTRY, &Values::addressCountry},
    {IDC_CAB_OPERATORS, &Values::operators},
    {IDC_CAB_CLUB, &Values::club},
    {IDC_CAB_SOAPBOX, &Values::soapbox},
    {IDC_CAB_EMAIL, &Values::email},
};

void expectSame(const Values& expected, const Values& actual) {
    for (const auto& [id, field] : kBoxes) EXPECT_EQ(expected.*field, actual.*field) << "box " << id;
}

std::string Values::*textOf(int control) {
    for (const auto& [id, field] : kBoxes)
        if (id == control) return field;
    ADD_FAILURE() << "no box " << control;
    return &Values::contest;
}

// Runs the dialog with the values, in the boxes the Cabrillo header gives it, while act drives it; the port's
// answer.
bool runDriven(Values& values, std::function<void(HWND)> act) {
    platform::HeaderDialogValues boxes;
    for (const cabrillo::HeaderField& f : cabrillo::kHeaderFields)
        if (f.member) boxes.push_back({f.box, values.*textOf(f.box.control)});
    EXPECT_EQ(std::size(kBoxes), boxes.size());
    DialogDriver driver(kCaption, std::move(act));
    const bool confirmed = platform::runHeaderDialog(boxes) == platform::HeaderDialogOutcome::confirmed;
    const std::string failure = driver.finish();
    EXPECT_EQ("", failure);
    for (const platform::HeaderDialogEntry& entry : boxes) values.*textOf(entry.box.control) = entry.value;
    return confirmed;
}

std::string artifactPath(const std::string& name) {
    const char* folder = std::getenv("VUVO_ARTIFACTS");
    return folder && *folder ? std::string(folder) + "\\" + name : std::string();
}

TEST(HeaderDialog, ShowsEveryValueInItsBoxAndConfirmsThemUnchanged) {
    Values values = cwStart();
    std::map<int, std::string> shown;
    std::string title;
    LRESULT modeSelection = -2;
    const bool confirmed = runDriven(values, [&](HWND dialog) {
        title = windowText(dialog);
        for (const auto& [id, field] : kBoxes) shown[id] = itemText(dialog, id);
        modeSelection = SendMessageA(GetDlgItem(dialog, IDC_CAB_CATEGORY_MODE), CB_GETCURSEL, 0, 0);
        clickButton(dialog, IDOK);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(kCaption, title);
    const Values start = cwStart();
    for (const auto& [id, field] : kBoxes) EXPECT_EQ(start.*field, shown[id]) << "box " << id;
    EXPECT_EQ(0, modeSelection);  // "CW" chosen from the list
    expectSame(start, values);
}

TEST(HeaderDialog, CombosChooseTheFirstEntryBeginningWithTheValueIgnoringCase) {
    Values values = cwStart();
    values.categoryPower = "low";
    values.categoryTransmitter = "un";
    values.categoryBand = "20";
    values.location = "n";         // "NE" is the first entry beginning with it
    values.categoryMode = "SSB";
    values.categoryOperator = "SO2R";  // begins no entry: stands as it is
    std::map<int, LRESULT> selection;
    const bool confirmed = runDriven(values, [&](HWND dialog) {
        for (int id : {IDC_CAB_CATEGORY_POWER, IDC_CAB_CATEGORY_TRANSMITTER, IDC_CAB_CATEGORY_BAND, IDC_CAB_LOCATION,
                       IDC_CAB_CATEGORY_MODE, IDC_CAB_CATEGORY_OPERATOR}) {
            selection[id] = SendMessageA(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0);
        }
        clickButton(dialog, IDOK);
    });
    ASSERT_TRUE(confirmed);
    EXPECT_EQ("LOW", values.categoryPower);
    EXPECT_EQ(1, selection[IDC_CAB_CATEGORY_POWER]);
    EXPECT_EQ("UNLIMITED", values.categoryTransmitter);
    EXPECT_EQ(2, selection[IDC_CAB_CATEGORY_TRANSMITTER]);
    EXPECT_EQ("20M", values.categoryBand);
    EXPECT_EQ(4, selection[IDC_CAB_CATEGORY_BAND]);
    EXPECT_EQ("NE", values.location);
    EXPECT_EQ(26, selection[IDC_CAB_LOCATION]);
    EXPECT_EQ("SSB", values.categoryMode);
    EXPECT_EQ(1, selection[IDC_CAB_CATEGORY_MODE]);
    EXPECT_EQ("SO2R", values.categoryOperator);
    EXPECT_EQ(CB_ERR, selection[IDC_CAB_CATEGORY_OPERATOR]);
}

TEST(HeaderDialog, OkHandsBackWhatWasTypedAndChosen) {
    Values values = cwStart();
    const bool confirmed = runDriven(values, [](HWND dialog) {
        setItemText(dialog, IDC_CAB_CALLSIGN, "UA9XYZ/P");
        setItemText(dialog, IDC_CAB_NAME, "Ivan Ivanov");
        setItemText(dialog, IDC_CAB_CLUB, "");
        setItemText(dialog, IDC_CAB_CATEGORY_OPERATOR, "MULTI-TWO");  // typed: not in the list
        SendMessageA(GetDlgItem(dialog, IDC_CAB_CATEGORY_POWER), CB_SETCURSEL, 1, 0);
        SendMessageA(GetDlgItem(dialog, IDC_CAB_LOCATION), CB_SETCURSEL, 63, 0);
        clickButton(dialog, IDOK);
    });
    ASSERT_TRUE(confirmed);
    Values expected = cwStart();
    expected.callsign = "UA9XYZ/P";
    expected.name = "Ivan Ivanov";
    expected.club = "";
    expected.categoryOperator = "MULTI-TWO";
    expected.categoryPower = "LOW";
    expected.location = "PEI";
    expectSame(expected, values);
}

TEST(HeaderDialog, CancelAndClosingLeaveTheValuesAsGiven) {
    Values values = cwStart();
    EXPECT_FALSE(runDriven(values, [](HWND dialog) {
        setItemText(dialog, IDC_CAB_NAME, "changed");
        setItemText(dialog, IDC_CAB_SOAPBOX, "changed\r\ntoo");
        clickButton(dialog, IDCANCEL);
    }));
    expectSame(cwStart(), values);
    EXPECT_FALSE(runDriven(values, [](HWND dialog) {
        setItemText(dialog, IDC_CAB_NAME, "changed");
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    }));
    expectSame(cwStart(), values);
    EXPECT_FALSE(runDriven(values, [](HWND dialog) {
        if (focusControl(dialog, IDC_CAB_NAME)) pressKey(VK_ESCAPE);
    }));
    expectSame(cwStart(), values);
}

TEST(HeaderDialog, EnterInOperatorsConfirmsAndCtrlEnterBreaksTheLine) {
    Values values = cwStart();
    bool focused = false;
    bool openAfterCtrlEnter = false;
    std::string afterCtrlEnter;
    const bool confirmed = runDriven(values, [&](HWND dialog) {
        setItemText(dialog, IDC_CAB_OPERATORS, "UA9XYZ");
        focused = focusControl(dialog, IDC_CAB_OPERATORS);
        if (!focused) return;
        pressKey(VK_RETURN, true);
        Sleep(300);
        openAfterCtrlEnter = IsWindowVisible(dialog);
        afterCtrlEnter = itemText(dialog, IDC_CAB_OPERATORS);
        setItemText(dialog, IDC_CAB_OPERATORS, afterCtrlEnter + "RA9ABC");
        focusControl(dialog, IDC_CAB_OPERATORS);
        pressKey(VK_RETURN);
    });
    ASSERT_TRUE(focused);
    EXPECT_TRUE(openAfterCtrlEnter);
    EXPECT_EQ("UA9XYZ\r\n", afterCtrlEnter);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ("UA9XYZ\r\nRA9ABC", values.operators);
}

TEST(HeaderDialog, EnterInSoapboxBreaksTheLine) {
    Values values = cwStart();
    values.soapbox = "";
    bool focused = false;
    bool openAfterEnter = false;
    std::string afterEnter;
    const bool confirmed = runDriven(values, [&](HWND dialog) {
        setItemText(dialog, IDC_CAB_SOAPBOX, "73 to all");
        focused = focusControl(dialog, IDC_CAB_SOAPBOX);
        if (!focused) return;
        pressKey(VK_RETURN);
        pressKey(VK_RETURN);
        Sleep(300);
        openAfterEnter = IsWindowVisible(dialog);
        afterEnter = itemText(dialog, IDC_CAB_SOAPBOX);
        clickButton(dialog, IDOK);
    });
    ASSERT_TRUE(focused);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_EQ("73 to all\r\n\r\n", afterEnter);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ("73 to all\r\n\r\n", values.soapbox);
}

TEST(HeaderDialog, EnterInAOneLineBoxConfirms) {
    Values values = cwStart();
    const bool confirmed = runDriven(values, [](HWND dialog) {
        setItemText(dialog, IDC_CAB_EMAIL, "me@example.org");
        if (focusControl(dialog, IDC_CAB_EMAIL)) pressKey(VK_RETURN);
    });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ("me@example.org", values.email);
}

// The live dialog: the real MS Sans Serif 8 (dialog base units of 6 x 13 pixels) and every box where the
// template puts it; then its picture, in a CW and an SSB contest.
void checkLayoutAndPicture(Values values, const std::string& pictureName) {
    std::string face;
    RECT unit{0, 0, 4, 8};
    std::map<int, RECT> placed;
    std::map<int, RECT> expected;
    bool pictureSaved = false;
    int colours = 0;
    COLORREF corner = 0;
    POINT centreOffset{-1000, -1000};
    bool topmost = false;
    const std::string path = artifactPath(pictureName);
    runDriven(values, [&](HWND dialog) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
        LOGFONTA logFont{};
        if (font && GetObjectA(font, sizeof logFont, &logFont)) face = logFont.lfFaceName;
        MapDialogRect(dialog, &unit);
        const struct {
            int id, x, y, cx, cy;
        } boxes[] = {{1009, 55, 9, 190, 12},    {1010, 55, 23, 88, 12},   {1008, 184, 23, 61, 12},
                     {1013, 96, 38, 69, 0},     {1127, 215, 38, 30, 0},   {1118, 95, 52, 70, 0},
                     {1125, 95, 66, 70, 0},     {1123, 95, 79, 70, 0},    {1122, 105, 92, 59, 0},
                     {1007, 55, 106, 191, 12},  {1002, 55, 119, 191, 12}, {1003, 65, 132, 181, 12},
                     {1011, 97, 145, 149, 12},  {1012, 97, 158, 149, 12}, {1006, 55, 171, 191, 33},
                     {1005, 55, 204, 191, 12},  {1001, 55, 218, 191, 31}, {1004, 55, 249, 191, 12},
                     {IDOK, 80, 275, 51, 21},   {IDCANCEL, 145, 275, 46, 21}};
        for (const auto& box : boxes) {
            // Dialog units become pixels one by one: the place, then the size.
            RECT r{box.x, box.y, box.cx, box.cy};
            MapDialogRect(dialog, &r);
            expected[box.id] = RECT{r.left, r.top, r.left + r.right, r.top + r.bottom};
            RECT w;
            GetWindowRect(GetDlgItem(dialog, box.id), &w);
            MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&w), 2);
            if (box.cy == 0) w.bottom = w.top;  // a combo box's height is its list's; its place is checked
            placed[box.id] = w;
        }
        RECT client;
        GetClientRect(dialog, &client);
        RECT size{0, 0, 255, 330};
        MapDialogRect(dialog, &size);
        expected[0] = size;
        placed[0] = client;
        RECT frame;
        GetWindowRect(dialog, &frame);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        centreOffset = {(frame.left + frame.right) / 2 - (work.left + work.right) / 2,
                        (frame.top + frame.bottom) / 2 - (work.top + work.bottom) / 2};
        topmost = (GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        SetForegroundWindow(dialog);
        if (!path.empty()) pictureSaved = saveWindowPicture(dialog, path, colours, corner);
        clickButton(dialog, IDCANCEL);
    });
    // In the middle of the screen, in front of every window that is not on top itself.
    EXPECT_LE(std::abs(centreOffset.x), 1);
    EXPECT_LE(std::abs(centreOffset.y), 1);
    EXPECT_TRUE(topmost);
    EXPECT_EQ("MS Sans Serif", face);
    EXPECT_EQ(6, unit.right);
    EXPECT_EQ(13, unit.bottom);
    for (const auto& [id, r] : expected) {
        EXPECT_EQ(r.left, placed[id].left) << id;
        EXPECT_EQ(r.top, placed[id].top) << id;
        EXPECT_EQ(r.right, placed[id].right) << id;
        EXPECT_EQ(r.bottom, placed[id].bottom) << id;
    }
    if (path.empty()) GTEST_SKIP() << "VUVO_ARTIFACTS not set: no picture taken";
    EXPECT_TRUE(pictureSaved) << path;
    // A real picture: the dialog's face colour inside, and text, frames and boxes in many shades.
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), corner);
    EXPECT_GT(colours, 8);
}

TEST(HeaderDialog, LayoutAndPictureInACwContest) { checkLayoutAndPicture(cwStart(), "header_dialog_cw.bmp"); }

TEST(HeaderDialog, LayoutAndPictureInAnSsbContest) { checkLayoutAndPicture(ssbStart(), "header_dialog_ssb.bmp"); }

} // namespace
