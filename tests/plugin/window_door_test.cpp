// The plug-in's door for the window thread, over the contest state as the host's calls leave it; and the main
// window on it, where the two meet: the mode switch and the refresh gate.
#include <gtest/gtest.h>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/posix/message_log.h"
#include "support/held_file.h"
#include "plugin/window_door.h"
#include "support/host.h"
#include "support/ui/recording_windows.h"
#include "ui/info_thread_headless.h"

namespace {

using test::Log;

test::Qso qso(const char* call, const char* band, int hour, int minute, const char* code) {
    test::Qso q;
    q.call = call;
    q.band = band;
    q.time = test::at(2026, 4, 11, hour, minute);
    q.exchRcvd = code;
    return q;
}

class WindowDoor : public test::HostTest {
protected:
    ui::ContestDoor& door = windowDoor();
};

TEST_F(WindowDoor, PassFactsAreThePassStarts) {
    test::Pass p;
    p.ownPrefix = "UA";
    p.ownCall = "UA1AAA";
    test::reset(p);
    ui::PassView pass = door.passView();
    EXPECT_EQ(0, pass.contestMode);
    EXPECT_FALSE(pass.ownIsJA);
    EXPECT_TRUE(pass.russianUi);
    EXPECT_EQ("2026", pass.startYear);
    p.ownPrefix = "JA";
    p.start = test::at(2027, 4, 10, 7, 0);
    test::reset(p);
    pass = door.passView();
    EXPECT_TRUE(pass.ownIsJA);
    EXPECT_TRUE(pass.russianUi); // a pass never clears the own-station flags
    p.ownPrefix = "K";
    test::reset(p);
    EXPECT_TRUE(door.passView().ownIsJA);
    EXPECT_EQ("2027", pass.startYear);
}

TEST_F(WindowDoor, PreviousQsosAreTheLatestWithExactlyTheCallOnEachBand) {
    test::reset();
    for (const auto& q : {qso("JA1ABC", "20m", 12, 0, "13"), qso("JA1ABC", "20m", 12, 30, "14"),
                          qso("JA1ABC", "40m", 13, 5, "05"), qso("JA1ABCD", "15m", 13, 9, "07")})
        test::add(q);
    auto shown = [this](std::string_view call) {
        std::vector<std::string> rows;
        for (const ui::PreviousQso& p : door.previousQsos(call))
            rows.push_back(p.found ? p.time + " " + p.mode + " " + p.code : "-");
        return rows;
    };
    using Rows = std::vector<std::string>;
    EXPECT_EQ((Rows{"-", "-", "13:05 CW 05", "12:30 CW 14", "-", "-"}), shown("JA1ABC"));
    EXPECT_EQ((Rows{"-", "-", "-", "-", "-", "-"}), shown("ja1abc")); // letter case counts
    EXPECT_EQ((Rows{"-", "-", "-", "-", "-", "-"}), shown(""));
    test::remove(qso("JA1ABC", "20m", 12, 30, "14")); // the latest goes: the one before shows again
    EXPECT_EQ((Rows{"-", "-", "13:05 CW 05", "12:00 CW 13", "-", "-"}), shown("JA1ABC"));
}

TEST_F(WindowDoor, BandWorkedIsTheLatestResults) {
    test::reset();
    for (const auto& q : {qso("JA1ABC", "20m", 12, 0, "13"), qso("JA2BBB", "20m", 12, 1, "01"),
                          qso("JA3CCC", "15m", 12, 2, "34")})
        test::add(q);
    EXPECT_EQ((std::vector<std::string>{}), door.bandWorked(3).multipliers); // nothing until a result
    test::result();
    EXPECT_EQ((std::vector<std::string>{"13", "01"}), door.bandWorked(3).multipliers);
    EXPECT_EQ((std::vector<std::string>{"34"}), door.bandWorked(4).multipliers);
    for (int band : {-1, 6, 1000}) {
        EXPECT_TRUE(door.bandWorked(band).multipliers.empty()) << band;
        EXPECT_TRUE(door.bandWorked(band).dxcc.empty()) << band;
    }
}

// The main window over the plug-in's own door.
class MainWindowOnTheDoor : public WindowDoor {
protected:
    Log log;
    test::ScriptedHost host{log};
    test::RecordingMaster window{log};
    test::RecordingWindows windows{log};
    std::unique_ptr<ui::MasterPanel> panel;

    void open(const test::Pass& pass = test::Pass()) {
        test::reset(pass);
        panel = std::make_unique<ui::MasterPanel>(window, windows, host, door);
        panel->OnInitDialog();
        log.clear();
    }
    Log take() {
        Log out;
        out.swap(log);
        return out;
    }
    void TearDown() override { panel.reset(); }
};

// A host that fails the call leaves the plug-in's own state switched all the same: the settings, the mode the
// pass judges in, the bad-QSO file's title and the boxes all name the new mode, and the gate is open.
TEST_F(MainWindowOnTheDoor, ASwitchThatTheHostFailsLeavesThePlugInSwitched) {
    open();
    const int posts = window.posts;
    host.failCommands = true;
    struct Switch {
        void (ui::MasterPanel::*click)();
        int mode;
        Log shown;
        const char* settings;
        const char* badQsoTitle;
    } switches[] = {
        {&ui::MasterPanel::OnModeCw, 0,
         test::dxModeShown("CW", "cw=1 ssb=0 dxcc=0 zone=0 top=0", {"host <MODE:CW> failed"}),
         "[Settings]\r\nStart=1\r\nMode=0\r\nsetup_mode_cw=1\r\nsetup_mode_ssb=0\r\n",
         "Japan International DX CW Contest UBN file \r\n"},
        {&ui::MasterPanel::OnModeSsb, 1,
         test::dxModeShown("SSB", "cw=0 ssb=1 dxcc=0 zone=0 top=0", {"host <MODE:SSB> failed"}),
         "[Settings]\r\nStart=1\r\nMode=1\r\nsetup_mode_cw=0\r\nsetup_mode_ssb=1\r\n",
         "Japan International DX SSB Contest UBN file \r\n"},
    };
    for (const Switch& s : switches) {
        g_refreshGate.close();
        ((*panel).*s.click)();
        EXPECT_EQ(s.shown, take()) << s.mode;
        EXPECT_EQ(s.settings, test::readFile("Plugins/VU-VO.ini")) << s.mode;
        EXPECT_EQ(s.mode, door.passView().contestMode);
        EXPECT_EQ(s.badQsoTitle, test::readFile(test::kBadQsoFile)) << s.mode;
        EXPECT_TRUE(g_refreshGate.isOpen()) << s.mode;
        EXPECT_EQ(posts, window.posts) << s.mode;
    }
    auto q = qso("JA1ABC", "20m", 12, 0, "13");
    q.mode = "SSB";
    EXPECT_EQ(1, test::add(q)); // judged in the mode switched to
}

TEST_F(MainWindowOnTheDoor, ASwitchRestartsThePassFileInTheNewModeAndAsksForARefresh) {
    open();
    auto q = qso("JA1A", "2m", 12, 0, "13");
    test::add(q); // a problem line in the pass's file
    panel->OnModeCw();
    EXPECT_EQ(test::dxModeShown("CW", "cw=1 ssb=0 dxcc=0 zone=0 top=0", {"host <MODE:CW>", "post"}), take());
    EXPECT_FALSE(g_refreshGate.isOpen());
    EXPECT_EQ("Japan International DX CW Contest UBN file \r\n", test::readFile(test::kBadQsoFile));
}

// A settings file that another program holds refuses the switch whole: the window, the settings and the mode
// every QSO is judged in stay as they were, the operator is told, and the next click once it is let go switches.
TEST_F(MainWindowOnTheDoor, ASwitchTheSettingsFileDoesNotTakeIsRefusedWhole) {
    open();
    auto cw = qso("JA1ABC", "20m", 12, 0, "13");
    cw.mode = "CW";
    test::add(cw);
    const std::string settings = test::readFile("Plugins/VU-VO.ini");
    const std::string badQso = test::readFile(test::kBadQsoFile);
    platform::takeShownMessages();
    {
        test::HeldFile scanner("Plugins/VU-VO.ini", test::Hold::likeViewer);
        panel->OnModeCw();
        EXPECT_EQ((Log{"checks cw=0 ssb=1 dxcc=0 zone=0 top=0"}), take());
        EXPECT_EQ((std::vector<std::string>{
                      "The contest stays in SSB: the settings file Plugins\\VU-VO.ini cannot be written now (another "
                      "program may hold it). Click the mode again in a moment."}),
                  platform::takeShownMessages());
        EXPECT_EQ(settings, test::readFile("Plugins/VU-VO.ini"));
        EXPECT_EQ(1, door.passView().contestMode);
        EXPECT_EQ(badQso, test::readFile(test::kBadQsoFile));
        cw.time = test::at(2026, 4, 11, 12, 1);
        EXPECT_EQ(0, test::add(cw)); // still judged in SSB
        EXPECT_FALSE(settingsWaiting());
    }
    test::reset();
    EXPECT_EQ(1, door.passView().contestMode); // and the next pass reads SSB
    panel->OnModeCw();
    EXPECT_EQ(test::dxModeShown("CW", "cw=1 ssb=0 dxcc=0 zone=0 top=0", {"host <MODE:CW>", "post"}), take());
    EXPECT_EQ(0, door.passView().contestMode);
    EXPECT_EQ("[Settings]\r\nStart=0\r\nMode=0\r\nsetup_mode_cw=1\r\nsetup_mode_ssb=0\r\n",
              test::readFile("Plugins/VU-VO.ini"));
}

// Until the host has taken the mode, a click on it tells the host again; once it has, the click changes nothing.
TEST_F(MainWindowOnTheDoor, AClickOnAModeTheHostHasNotTakenTellsItAgain) {
    open();
    host.failCommands = true;
    panel->OnModeCw();
    EXPECT_EQ(test::dxModeShown("CW", "cw=1 ssb=0 dxcc=0 zone=0 top=0", {"host <MODE:CW> failed"}), take());
    panel->OnModeCw();
    EXPECT_EQ((Log{"checks cw=1 ssb=0 dxcc=0 zone=0 top=0", "host <MODE:CW> failed"}), take());
    host.failCommands = false;
    panel->OnModeCw();
    EXPECT_EQ((Log{"checks cw=1 ssb=0 dxcc=0 zone=0 top=0", "host <MODE:CW>", "post"}), take());
    panel->OnModeCw();
    EXPECT_EQ((Log{"checks cw=1 ssb=0 dxcc=0 zone=0 top=0"}), take());
    EXPECT_EQ(0, door.passView().contestMode);
}

// A Japanese station's DXCC window counts the band's entities as the result does: a QSO whose country the host did
// not find (no prefix) counts none.
TEST_F(MainWindowOnTheDoor, DxccWindowCountsNoEntityForAQsoWithoutPrefix) {
    settingsWrite("setup_view_dxcc", "1");
    test::Pass ja;
    ja.ownCall = "JA1XYZ";
    ja.ownPrefix = "JA";
    open(ja);
    auto known = qso("K1XYZ", "20m", 12, 0, "05");
    known.prefix = "K";
    auto unknown = qso("Q1ABC", "20m", 12, 5, "08");
    unknown.prefix = "";
    for (test::Qso* q : {&known, &unknown}) {
        q->myCall = "JA1XYZ";
        q->mode = "SSB";
        ASSERT_EQ(1, test::add(*q));
    }
    EXPECT_NE(std::string::npos, test::result().find("Total\t 2\t 2\t 2\t 1\r\n"));
    host.hertz = 14200000;
    panel->OnInfoRefresh();
    EXPECT_EQ((Log{"open dxcc", "dxcc caption JIDX-SSB-2026 DXCC worked", "host <SP1>",
                   "dxcc caption JIDX-SSB-2026 DXCC worked on 20m 1 of 338", "dxcc repaint"}),
              take());
    EXPECT_EQ((std::vector<std::string>{"K"}), windows.panel().bandDxcc);
    EXPECT_EQ((std::vector<std::string>{"K"}), door.bandWorked(3).dxcc);
}

TEST_F(MainWindowOnTheDoor, CheckCallRequestsOnePassForABurst) {
    open();
    panel->OnInfoRefresh();
    headless::setWindowOpen(true);
    for (int i = 0; i < 5; ++i) test::check("JA1ABC", "20m", "SSB", "JA");
    EXPECT_EQ(1, headless::requests().refreshPosts);
    panel->OnInfoRefresh();
    test::check("JA1ABC", "20m", "SSB", "JA");
    EXPECT_EQ(2, headless::requests().refreshPosts);
}

} // namespace
