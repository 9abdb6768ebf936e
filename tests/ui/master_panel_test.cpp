// The main window's logic against recording windows and a scripted host: whole logs of what it did.
#include <gtest/gtest.h>

#include "engine/contest_state.h"
#include "platform/settings.h"
#include "support/host.h"
#include "support/ui/recording_windows.h"
#include "ui/info_thread_headless.h"
#include "ui/window_globals.h"

namespace {

using test::Log;

const char* kIni = "Plugins/VU-VO.ini";
std::string setting(const char* key) { return platform::profileRead(kIni, "Settings", key, "(none)"); }
void store(const char* key, const char* value) { platform::profileWrite(kIni, "Settings", key, value); }

class MasterPanelTest : public test::HostTest {
protected:
    Log log;
    test::ScriptedHost host{log};
    test::RecordingMaster window{log};
    test::RecordingWindows windows{log};
    std::unique_ptr<ui::MasterPanel> panel;

    void open(const std::string& ownPrefix = "K", const std::string& ownCall = "K1AR") {
        test::Pass p;
        p.ownPrefix = ownPrefix;
        p.ownCall = ownCall;
        test::reset(p);
        panel = std::make_unique<ui::MasterPanel>(window, windows, host);
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
    void TearDown() override {
        panel.reset();
        EXPECT_EQ(0, windows.liveWindows);
        test::HostTest::TearDown();
    }
};

test::Qso qso(const char* call, const char* band, int hour, int minute, const char* code, unsigned hz) {
    test::Qso q;
    q.call = call;
    q.band = band;
    q.time = test::at(2026, 4, 11, hour, minute);
    q.exchRcvd = code;
    q.freqHz = hz;
    return q;
}

TEST_F(MasterPanelTest, FreshSettingsOpenInSsbAtTheCorner) {
    open();
    EXPECT_EQ((Log{"title Setup JIDX-SSB-2026", "move 1108 125,38 150x20", "text 1108 Previous QSO",
                   "move 1109 125,58 150x20", "text 1109 JA county", "move 1110 20,58 100x20",
                   "text 1110 Window on top", "checks cw=0 ssb=1 dxcc=0 zone=0 top=0", "place 0,0",
                   "host <MODE:SSB>", "post"}),
              take());
    EXPECT_EQ("1", setting("Mode"));
    EXPECT_EQ(1, g_contestMode);
    EXPECT_EQ(0, g_refreshPending);
    EXPECT_EQ((Log{"host <SP1>"}), refresh()); // no view wanted, nothing typed: only the frequency
    EXPECT_EQ(1, g_refreshPending);
}

TEST_F(MasterPanelTest, StoredSettingsInRussianOpenTheirWindowsAtTheFirstRefresh) {
    for (auto [key, value] : {std::pair{"setup_mode_cw", "1"}, {"setup_view_dxcc", "1"}, {"setup_view_zone", "1"},
                              {"master_x", "-1200"}, {"master_y", "30"}})
        store(key, value);
    open("UA", "UA1AAA");
    EXPECT_EQ((Log{"text 1123 \xC2\xE8\xE4 \xF0\xE0\xE1\xEE\xF2\xFB", "move 1124 140,18 150x20",
                   "text 1124 \xCE\xF2\xEE\xE1\xF0\xE0\xE6\xE0\xF2\xFC",
                   "title \xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE8 JIDX-CW-2026", "move 1108 125,38 150x20",
                   "text 1108 \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO", "move 1109 125,58 150x20",
                   "text 1109 JA \xEF\xF0\xE5\xF4\xE5\xEA\xF2\xF3\xF0\xFB", "move 1110 20,58 100x20",
                   "text 1110 \xCF\xEE\xE2\xE5\xF0\xF5 \xEE\xEA\xEE\xED", "checks cw=1 ssb=0 dxcc=1 zone=1 top=0",
                   "place -1200,30", "host <MODE:CW>", "host <BAUDRATE:27>", "post"}),
              take());
    EXPECT_EQ("0", setting("Mode"));
    for (const auto& q : {qso("JA1ABC", "20m", 12, 0, "13", 14025000), qso("JA2BBB", "20m", 12, 1, "01", 14026000)})
        test::add(q);
    test::result();
    host.call = "JA1ABC";
    EXPECT_EQ((Log{"open dxcc", "dxcc caption JIDX-CW-2026 \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO QSO",
                   "open county",
                   "dxcc caption JIDX-CW-2026 \xCF\xF0\xE5\xF0\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO c JA1ABC",
                   "host <SP1>", "county caption JIDX-CW-2026 CNT on 20m 2 of 50", "county shows 01 13",
                   "dxcc repaint"}),
              refresh());
}

TEST_F(MasterPanelTest, RowsShowTheLatestQsoWithTheTypedCallOnEachBand) {
    open();
    store("Mode", "0");
    test::reset();
    for (const auto& q : {qso("JA1ABC", "20m", 12, 0, "13", 14025000), qso("JA1ABC", "20m", 12, 30, "14", 14030000),
                          qso("JA1ABC", "40m", 13, 5, "05", 7010000), qso("JA1ABCD", "15m", 13, 9, "07", 21010000)})
        test::add(q);
    host.call = "JA1ABC";
    refresh();
    auto rows = [this] {
        std::vector<std::vector<std::string>> out;
        for (const auto& row : panel->panelState().rows) out.push_back(row);
        return out;
    };
    using Rows = std::vector<std::vector<std::string>>;
    const Rows found{{"160m", "   -", "   -", " -"}, {"80m", "   -", "   -", " -"}, {"40m", "13:05", "CW", "05"},
                     {"20m", "12:30", "CW", "14"},  {"15m", "   -", "   -", " -"}, {"10m", "   -", "   -", " -"}};
    EXPECT_EQ(found, rows());
    EXPECT_EQ("JA1ABC", panel->panelState().currentCall);
    EXPECT_EQ(3, panel->panelState().infoBand);
    host.call = "JA";              // one or two characters change nothing
    refresh();
    EXPECT_EQ(found, rows());
    EXPECT_EQ("JA", ui::g_currentCall);
    host.call = "ja1abc";          // letter case counts
    refresh();
    Rows none = found;
    none[2] = {"40m", "   -", "   -", " -"};
    none[3] = {"20m", "   -", "   -", " -"};
    EXPECT_EQ(none, rows());
    test::remove(qso("JA1ABC", "20m", 12, 30, "14", 14030000)); // the latest goes: the one before shows again
    host.call = "JA1ABC";
    refresh();
    Rows earlier = found;
    earlier[3] = {"20m", "12:00", "CW", "13"};
    EXPECT_EQ(earlier, rows());
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
        EXPECT_EQ(s.band, ui::g_infoBand) << s.hertz;
    }
}

TEST_F(MasterPanelTest, MarksStartAgainOnANewBandAndGrowWithinOne) {
    store("setup_view_zone", "1");
    open();
    store("Mode", "1");
    test::reset();
    for (auto q : {qso("JA1A", "20m", 12, 0, "13", 14200000), qso("JA1B", "20m", 12, 1, "01", 14200000),
                   qso("JA1C", "15m", 12, 2, "34", 21200000)}) {
        q.mode = "SSB";
        test::add(q);
    }
    test::result();
    host.hertz = 14200000;
    EXPECT_EQ((Log{"open county", "host <SP1>", "county caption JIDX-SSB-2026 CNT on 20m 2 of 50",
                   "county shows 01 13"}),
              refresh());
    EXPECT_EQ(50 * 2 + 2 * 2, windows.repaints); // every button to "not worked", then the two marks
    auto q = qso("JA1D", "20m", 12, 3, "50", 14200000);
    q.mode = "SSB";
    test::add(q);
    test::result();
    windows.repaints = 0;
    EXPECT_EQ((Log{"county caption JIDX-SSB-2026 CNT on 20m 3 of 50", "county shows 01 13 50"}), refresh());
    EXPECT_EQ(2, windows.repaints); // the band stayed: only the new mark
    host.hertz = 21200000;
    windows.repaints = 0;
    EXPECT_EQ((Log{"host <SP1>", "county caption JIDX-SSB-2026 CNT on 15m 1 of 50", "county shows 34"}),
              refresh());
    EXPECT_EQ(50 * 2 + 2, windows.repaints);
}

TEST_F(MasterPanelTest, JapaneseStationSeesZonesAndItsDxccCount) {
    store("setup_view_zone", "1");
    store("setup_view_dxcc", "1");
    open("JA", "JA1XYZ");
    EXPECT_EQ((Log{"title Setup JIDX-SSB-2026", "text 1108 DXCC", "text 1109 CQ Zone",
                   "checks cw=0 ssb=1 dxcc=1 zone=1 top=0", "place 0,0", "host <MODE:SSB>", "post"}),
              take());
    store("Mode", "1");
    test::Pass p;
    p.ownPrefix = "JA";
    p.ownCall = "JA1XYZ";
    test::reset(p);
    for (auto [call, prefix, zone] : {std::tuple{"K1AA", "K", "5"}, {"DL1B", "DL", "14"}, {"W6C", "K", "3"}}) {
        auto q = qso(call, "20m", 12, 0, zone, 14200000);
        q.mode = "SSB";
        q.prefix = prefix;
        test::add(q);
    }
    test::result();
    host.hertz = 14200000;
    EXPECT_EQ((Log{"open dxcc", "dxcc caption JIDX-SSB-2026 DXCC worked", "open zone", "host <SP1>",
                   "zone caption Zone on 20m", "zone shows 03 05 14",
                   "dxcc caption JIDX-SSB-2026 DXCC worked on 20m 2 of 338", "dxcc repaint"}),
              refresh());
    const widgets::DxccPanelState state = windows.panel();
    EXPECT_EQ((std::vector<std::string>{"K", "DL"}), state.bandDxcc);
    EXPECT_TRUE(state.ownIsJA);
}

TEST_F(MasterPanelTest, AFailedHostCallEndsThePassButOpensTheGate) {
    open();
    host.failEntry = true;
    EXPECT_EQ(Log{}, refresh());
    EXPECT_EQ(1, g_refreshPending);
    host.failEntry = false;
    host.failFrequency = true;
    g_refreshPending = 0;
    EXPECT_EQ(Log{}, refresh());
    EXPECT_EQ(1, g_refreshPending);
    host.isLinked = false; // no link: every pass only opens the gate
    host.failFrequency = false;
    g_refreshPending = 0;
    EXPECT_EQ(Log{}, refresh());
    EXPECT_EQ(1, g_refreshPending);
}

TEST_F(MasterPanelTest, CheckCallRequestsOnePassForABurst) {
    open();
    refresh();
    headless::setWindowOpen(true);
    for (int i = 0; i < 5; ++i) test::check("JA1ABC", "20m", "SSB", "JA");
    EXPECT_EQ(1, headless::requests().refreshPosts);
    refresh();
    test::check("JA1ABC", "20m", "SSB", "JA");
    EXPECT_EQ(2, headless::requests().refreshPosts);
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
    EXPECT_EQ(0, windows.liveWindows);  // closed windows are freed
    EXPECT_EQ(1, g_windowOnTop);
    EXPECT_EQ("1", setting("setup_window_on_top"));
    EXPECT_EQ(1, g_refreshPending);
    host.hertz = 3500000;
    EXPECT_EQ((Log{"open dxcc", "dxcc caption JIDX-SSB-2026 Previous QSO", "open county", "host <SP1>",
                   "county caption JIDX-SSB-2026 CNT on 80m 0 of 50", "county shows", "dxcc repaint"}),
              refresh());
    panel->OnViewDxcc();
    EXPECT_EQ((Log{"close dxcc"}), take());
    EXPECT_EQ("0", setting("setup_view_dxcc"));
    EXPECT_EQ(1, windows.liveWindows);
}

TEST_F(MasterPanelTest, TheModePairRestartsThePassFileInTheNewMode) {
    open();
    test::reset();
    auto q = qso("JA1A", "2m", 12, 0, "13", 144000000);
    q.mode = "SSB";
    test::add(q);
    take();
    panel->OnModeCw();
    EXPECT_EQ((Log{"title Setup JIDX-CW-2026", "move 1108 125,38 150x20", "text 1108 Previous QSO",
                   "move 1109 125,58 150x20", "text 1109 JA county", "move 1110 20,58 100x20",
                   "text 1110 Window on top", "checks cw=1 ssb=0 dxcc=0 zone=0 top=0", "host <MODE:CW>", "post"}),
              take());
    EXPECT_EQ("1", setting("setup_mode_cw"));
    EXPECT_EQ("0", setting("setup_mode_ssb"));
    EXPECT_EQ("0", setting("Mode"));
    EXPECT_EQ(0, g_contestMode);
    EXPECT_EQ("Japan International DX CW Contest UBN file \r\n", test::readFile(test::kBadQsoFile));
    panel->OnModeCw(); // already CW: the box is checked again, nothing else
    EXPECT_EQ((Log{"checks cw=1 ssb=0 dxcc=0 zone=0 top=0"}), take());
    panel->OnModeSsb();
    EXPECT_EQ("Japan International DX SSB Contest UBN file \r\n", test::readFile(test::kBadQsoFile));
    EXPECT_EQ(1, g_contestMode);
    EXPECT_EQ("1", setting("Mode"));
}

TEST_F(MasterPanelTest, AMovedWindowSavesItsPlaceOfAnyWidth) {
    open();
    window.at = {-12345, 20000};
    panel->OnSetCursor();
    EXPECT_EQ("-12345", setting("master_x"));
    EXPECT_EQ("20000", setting("master_y"));
    store("master_x", "7");
    panel->OnSetCursor(); // unchanged since the last save: nothing written
    EXPECT_EQ("7", setting("master_x"));
}

} // namespace
