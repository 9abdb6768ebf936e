// The main window's logic against recording windows, a scripted host and a door into a contest state of the
// test's own: whole logs of what it did.
#include <gtest/gtest.h>

#include "engine/contest_settings.h"
#include "engine/jidx_rules.h"
#include "platform/settings.h"
#include "support/host.h"
#include "support/scratch_folder.h"
#include "support/ui/recording_windows.h"
#include "ui/window_globals.h"

namespace {

using test::Log;

std::string setting(const char* key) { return platform::profileRead(g_settingsFile, g_settingsSection, key, "(none)"); }
void store(const char* key, const char* value) { settingsWrite(key, value); }

ui::PreviousQso previousQso(const char* time, const char* mode, const char* code) { return {true, time, mode, code}; }

class MasterPanelTest : public ::testing::Test {
protected:
    test::ScratchFolder folder{test::ScratchFolder::current};
    Log log;
    test::ScriptedHost host{log};
    test::RecordingMaster window{log};
    test::RecordingWindows windows{log};
    test::FakeDoor door;
    std::unique_ptr<ui::MasterPanel> panel;

    void SetUp() override { ui::resetWindowHalf(); }
    void open() {
        panel = std::make_unique<ui::MasterPanel>(window, windows, host, door);
        panel->OnInitDialog();
    }
    Log take() {
        Log out;
        out.swap(log);
        return out;
    }
    Log refresh() {
        log.clear();
        panel->OnInfoRefresh();
        return take();
    }
    using Rows = std::vector<std::vector<std::string>>;
    Rows rows() const {
        Rows out;
        for (const auto& row : panel->panelState().rows) out.push_back(row);
        return out;
    }
    void TearDown() override {
        panel.reset();
        EXPECT_EQ(0, windows.liveWindows);
        ui::resetWindowHalf();
    }
};

TEST_F(MasterPanelTest, FreshSettingsOpenInSsbAtTheCorner) {
    door.pass.contestMode = 0;
    door.gateOpen = true;
    open();
    EXPECT_EQ(test::dxModeShown("SSB", "cw=0 ssb=1 dxcc=0 zone=0 top=0", {"place 0,0", "host <MODE:SSB>", "post"}),
              take());
    EXPECT_EQ("[Settings]\r\nMode=1\r\n", test::readFile("Plugins/VU-VO.ini"));
    EXPECT_EQ(1, door.pass.contestMode);
    EXPECT_EQ(0, door.badQsoRestarts); // the window's start judges the pass's QSOs, it does not retitle its file
    EXPECT_FALSE(door.gateOpen);
    EXPECT_EQ((Log{"host <SP1>"}), refresh()); // no view wanted, nothing typed: only the frequency
    EXPECT_TRUE(door.gateOpen);
}

TEST_F(MasterPanelTest, StoredSettingsInRussianOpenTheirWindowsAtTheFirstRefresh) {
    for (auto [key, value] : {std::pair{kModeCwBoxKey, "1"}, {"setup_view_dxcc", "1"}, {"setup_view_zone", "1"},
                              {"master_x", "-1200"}, {"master_y", "30"}})
        store(key, value);
    door.pass.russianUi = true;
    open();
    EXPECT_EQ((Log{"text 1123 \xC2\xE8\xE4 \xF0\xE0\xE1\xEE\xF2\xFB", "move 1124 140,18 150x20",
                   "text 1124 \xCE\xF2\xEE\xE1\xF0\xE0\xE6\xE0\xF2\xFC",
                   "title \xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE8 JIDX-CW-2026", "move 1108 125,38 150x20",
                   "text 1108 \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO", "move 1109 125,58 150x20",
                   "text 1109 JA \xEF\xF0\xE5\xF4\xE5\xEA\xF2\xF3\xF0\xFB", "move 1110 20,58 100x20",
                   "text 1110 \xCF\xEE\xE2\xE5\xF0\xF5 \xEE\xEA\xEE\xED", "checks cw=1 ssb=0 dxcc=1 zone=1 top=0",
                   "place -1200,30", "host <MODE:CW>", "host <BAUDRATE:27>", "post"}),
              take());
    EXPECT_EQ("0", setting(kModeKey));
    EXPECT_EQ(0, door.pass.contestMode);
    door.previous["JA1ABC"][3] = previousQso("12:00", "CW", "13");
    door.worked[3].multipliers = {"13", "01"};
    host.call = "JA1ABC";
    EXPECT_EQ((Log{"open dxcc", "dxcc caption JIDX-CW-2026 \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO QSO",
                   "open county",
                   "dxcc caption JIDX-CW-2026 \xCF\xF0\xE5\xF0\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO c JA1ABC",
                   "host <SP1>", "county caption JIDX-CW-2026 CNT on 20m 2 of 50", "county shows 01 13",
                   "dxcc repaint"}),
              refresh());
    EXPECT_EQ("1", setting("setup_view_dxcc"));
    EXPECT_EQ("1", setting("setup_view_zone"));
}

TEST_F(MasterPanelTest, RowsShowWhatTheDoorFindsForTheTypedCall) {
    open();
    const Rows start{{"160m", "-", "-", "-"}, {"80m", "-", "-", "-"}, {"40m", "-", "-", "-"},
                     {"20m", "-", "-", "-"},  {"15m", "-", "-", "-"}, {"10m", "-", "-", "-"}};
    EXPECT_EQ(start, rows());
    door.previous["JA1ABC"][2] = previousQso("13:05", "CW", "05");
    door.previous["JA1ABC"][3] = previousQso("12:30", "SSB", "14");
    host.call = "JA1ABC";
    refresh();
    const Rows found{{"160m", "   -", "   -", " -"}, {"80m", "   -", "   -", " -"}, {"40m", "13:05", "CW", "05"},
                     {"20m", "12:30", "SSB", "14"}, {"15m", "   -", "   -", " -"}, {"10m", "   -", "   -", " -"}};
    EXPECT_EQ(found, rows());
    EXPECT_EQ("JA1ABC", panel->panelState().currentCall);
    EXPECT_EQ(3, panel->panelState().infoBand);
    host.call = "JA"; // one or two characters change nothing
    refresh();
    EXPECT_EQ(found, rows());
    EXPECT_EQ("JA", panel->panelState().currentCall);
    host.call = "JA1ABCD"; // a call without QSOs: every row empty
    refresh();
    Rows none = found;
    none[2] = {"40m", "   -", "   -", " -"};
    none[3] = {"20m", "   -", "   -", " -"};
    EXPECT_EQ(none, rows());
    host.call = ""; // nothing typed: the rows empty too
    refresh();
    EXPECT_EQ(none, rows());
}

TEST_F(MasterPanelTest, FrequencyGivesTheBandAndMovesBeyond300HertzSendTheSpotCommand) {
    open();
    struct Step {
        double hertz;
        int band;
        bool spot;
    } steps[] = {{14250000, 3, true}, {14250300, 3, false}, {14250301, 3, true}, {1999999, 0, true},
                 {29000000, 0, true}, {10100000, 0, true},  {28000000, 5, true}, {28000000, 5, false}};
    for (const Step& s : steps) {
        host.hertz = s.hertz;
        const Log done = refresh();
        EXPECT_EQ(s.spot ? Log{"host <SP1>"} : Log{}, done) << s.hertz;
        EXPECT_EQ(s.band, panel->panelState().infoBand) << s.hertz;
    }
}

TEST_F(MasterPanelTest, MarksStartAgainOnANewBandAndGrowWithinOne) {
    store("setup_view_zone", "1");
    open();
    door.worked[3].multipliers = {"13", "01"};
    door.worked[4].multipliers = {"34"};
    host.hertz = 14200000;
    EXPECT_EQ((Log{"open county", "host <SP1>", "county caption JIDX-SSB-2026 CNT on 20m 2 of 50",
                   "county shows 01 13"}),
              refresh());
    EXPECT_EQ(jidx::kCountyCount * 2 + 2 * 2, windows.repaints); // every button to "not worked", then the two marks
    door.worked[3].multipliers.push_back("50");
    windows.repaints = 0;
    EXPECT_EQ((Log{"county caption JIDX-SSB-2026 CNT on 20m 3 of 50", "county shows 01 13 50"}), refresh());
    EXPECT_EQ(2, windows.repaints); // the band stayed: only the new mark
    host.hertz = 21200000;
    windows.repaints = 0;
    EXPECT_EQ((Log{"host <SP1>", "county caption JIDX-SSB-2026 CNT on 15m 1 of 50", "county shows 34"}),
              refresh());
    EXPECT_EQ(jidx::kCountyCount * 2 + 2, windows.repaints);
    panel->ResetGrids(); // a QSO left the log: no mark until the next refresh
    EXPECT_EQ((Log{}), take());
    EXPECT_EQ((Log{"county caption JIDX-SSB-2026 CNT on 15m 1 of 50", "county shows 34"}), refresh());
}

TEST_F(MasterPanelTest, JapaneseStationSeesZonesAndItsDxccCount) {
    store("setup_view_zone", "1");
    store("setup_view_dxcc", "1");
    door.pass.ownIsJA = true;
    open();
    EXPECT_EQ((Log{"title Setup JIDX-SSB-2026", "text 1108 DXCC", "text 1109 CQ Zone",
                   "checks cw=0 ssb=1 dxcc=1 zone=1 top=0", "place 0,0", "host <MODE:SSB>", "post"}),
              take());
    door.worked[3] = {{"05", "14", "03"}, {"K", "DL"}};
    host.hertz = 14200000;
    EXPECT_EQ((Log{"open dxcc", "dxcc caption JIDX-SSB-2026 DXCC worked", "open zone", "host <SP1>",
                   "zone caption Zone on 20m", "zone shows 03 05 14",
                   "dxcc caption JIDX-SSB-2026 DXCC worked on 20m 2 of 338", "dxcc repaint"}),
              refresh());
    const widgets::DxccPanelState state = windows.panel();
    EXPECT_EQ((std::vector<std::string>{"K", "DL"}), state.bandDxcc);
    EXPECT_TRUE(state.ownIsJA);
}

TEST_F(MasterPanelTest, AFailedHostCallEndsThePassWhereItWasMadeButOpensTheGate) {
    open();
    take();
    host.call = "JA1ABC";
    host.failEntry = true;
    door.gateOpen = false;
    EXPECT_EQ(Log{}, refresh());
    EXPECT_TRUE(door.gateOpen);
    EXPECT_EQ("", panel->panelState().currentCall);
    host.failEntry = false;
    host.failFrequency = true;
    door.gateOpen = false;
    EXPECT_EQ(Log{}, refresh());
    EXPECT_TRUE(door.gateOpen);
    EXPECT_EQ("JA1ABC", panel->panelState().currentCall);
    host.failFrequency = false;
    host.failCommands = true; // the spot command fails: the band stays unknown, the next pass sends it again
    EXPECT_EQ(Log{"host <SP1> failed"}, refresh());
    EXPECT_EQ(-1, panel->panelState().infoBand);
    host.failCommands = false;
    EXPECT_EQ(Log{"host <SP1>"}, refresh());
    EXPECT_EQ(3, panel->panelState().infoBand);
    host.isLinked = false; // no link: every pass only opens the gate
    door.gateOpen = false;
    EXPECT_EQ(Log{}, refresh());
    EXPECT_TRUE(door.gateOpen);
}

TEST_F(MasterPanelTest, AFailedHostCallAtTheStartOpensTheGateAndPostsNothing) {
    store(kModeCwBoxKey, "1");
    host.failCommands = true;
    door.gateOpen = false;
    open();
    EXPECT_EQ(test::dxModeShown("CW", "cw=1 ssb=0 dxcc=0 zone=0 top=0", {"place 0,0", "host <MODE:CW> failed"}),
              take());
    EXPECT_TRUE(door.gateOpen);
    EXPECT_EQ(0, door.pass.contestMode);
    EXPECT_EQ("0", setting(kModeKey));
}

// Deliberate: the live update's state outlives a main window. One that the operator closed and a later pass opens
// again shows the call and band the last one showed and, at the same frequency, sends no second "<SP1>".
TEST_F(MasterPanelTest, AReopenedMainWindowGoesOnFromWhereTheLastOneLeftOff) {
    open();
    host.call = "JA1ABC";
    EXPECT_EQ((Log{"host <SP1>"}), refresh());
    panel.reset();
    open();
    take();
    EXPECT_EQ("JA1ABC", panel->panelState().currentCall);
    EXPECT_EQ(3, panel->panelState().infoBand);
    EXPECT_EQ(Log{}, refresh());
}

TEST_F(MasterPanelTest, ViewsOpenAndCloseAndWindowOnTopReopensWhatIsChecked) {
    open();
    take();
    panel->OnViewDxcc();
    panel->OnViewZone();
    EXPECT_EQ((Log{"open dxcc", "post", "open county", "post"}), take());
    EXPECT_EQ("1", setting("setup_view_dxcc"));
    EXPECT_EQ("1", setting("setup_view_zone"));
    EXPECT_EQ(2, windows.liveWindows);
    panel->OnWindowOnTop();
    EXPECT_EQ((Log{"close dxcc", "close county", "checks cw=0 ssb=1 dxcc=1 zone=1 top=1", "post"}), take());
    EXPECT_EQ(0, windows.liveWindows); // closed windows are freed
    EXPECT_EQ("1", setting("setup_window_on_top"));
    EXPECT_TRUE(door.gateOpen);
    host.hertz = 3500000;
    EXPECT_EQ((Log{"open dxcc on top", "dxcc caption JIDX-SSB-2026 Previous QSO", "open county on top", "host <SP1>",
                   "county caption JIDX-SSB-2026 CNT on 80m 0 of 50", "county shows", "dxcc repaint"}),
              refresh());
    panel->OnViewDxcc();
    panel->OnViewZone();
    EXPECT_EQ((Log{"close dxcc", "close county"}), take());
    EXPECT_EQ("0", setting("setup_view_dxcc"));
    EXPECT_EQ("0", setting("setup_view_zone"));
    EXPECT_EQ((ui::MasterChecks{false, true, false, false, true}), panel->checks());
    EXPECT_EQ(0, windows.liveWindows);
}

TEST_F(MasterPanelTest, TheModeBoxesAreOnePairOverOneMode) {
    open();
    take();
    panel->OnModeCw();
    EXPECT_EQ(test::dxModeShown("CW", "cw=1 ssb=0 dxcc=0 zone=0 top=0", {"host <MODE:CW>", "post"}), take());
    EXPECT_EQ("[Settings]\r\nMode=0\r\nsetup_mode_cw=1\r\nsetup_mode_ssb=0\r\n", test::readFile("Plugins/VU-VO.ini"));
    EXPECT_EQ(0, door.pass.contestMode);
    EXPECT_EQ(1, door.badQsoRestarts);
    panel->OnModeCw(); // already CW: the box is checked again, nothing else
    EXPECT_EQ((Log{"checks cw=1 ssb=0 dxcc=0 zone=0 top=0"}), take());
    EXPECT_EQ(1, door.badQsoRestarts);
    panel->OnModeSsb();
    EXPECT_EQ(test::dxModeShown("SSB", "cw=0 ssb=1 dxcc=0 zone=0 top=0", {"host <MODE:SSB>", "post"}), take());
    EXPECT_EQ("[Settings]\r\nMode=1\r\nsetup_mode_cw=0\r\nsetup_mode_ssb=1\r\n", test::readFile("Plugins/VU-VO.ini"));
    EXPECT_EQ(1, door.pass.contestMode);
    EXPECT_EQ(2, door.badQsoRestarts);
    panel->OnModeSsb();
    EXPECT_EQ((Log{"checks cw=0 ssb=1 dxcc=0 zone=0 top=0"}), take());
}

TEST_F(MasterPanelTest, AMovedWindowSavesItsPlaceOfAnyWidth) {
    open();
    window.at = {-12345, 20000};
    panel->OnSetCursor();
    EXPECT_EQ("-12345", setting("master_x"));
    EXPECT_EQ("20000", setting("master_y"));
    EXPECT_EQ(-12345, g_windowLeft);
    store("master_x", "7");
    panel->OnSetCursor(); // unchanged since the last save: nothing written
    EXPECT_EQ("7", setting("master_x"));
}

} // namespace
