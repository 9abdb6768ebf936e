// The host's thread and the window thread share the contest state: every export holds the one lock, so a
// reader on another thread never sees a half-changed log. Run under ThreadSanitizer by the tsan preset.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/contest_state.h"
#include "platform/settings.h"
#include "plugin/window_door.h"
#include "ui/info_thread_headless.h"
#include "support/ui/recording_windows.h"
#include "support/host.h"

namespace {

class Concurrency : public test::HostTest {};

TEST_F(Concurrency, ChecksWhileTheLogChanges) {
    test::reset();
    std::atomic<bool> done{false};
    std::atomic<int> answers{0};
    std::thread reader([&] {
        while (!done) {
            int code = test::check("JA1ABC", "20m", "CW", "JA");
            if (code == 0 || code == 2) ++answers;
            // as the window thread reads the per-band lists and the earlier QSOs of a call
            for (int band = 0; band < kBandCount; ++band) (void)windowDoor().bandWorked(band).multipliers.size();
            (void)windowDoor().previousQsos("JA1ABC");
        }
    });
    for (int i = 0; i < 400; ++i) {
        test::Qso q;
        q.call = i % 2 ? "JA1ABC" : "JA" + std::to_string(i);
        q.time = test::at(2026, 4, 11, 12, i % 60);
        test::add(q);
        if (i % 50 == 49) test::remove(q);
        if (i % 100 == 0) test::result();
    }
    done = true;
    reader.join();
    EXPECT_GT(answers.load(), 0);
    EXPECT_EQ(392u, g_log.size());
}

// The window thread's live updates and mode switches, on a thread of their own against recording windows and a
// scripted host, while the host's thread runs passes, additions, removals and checks. What a race would break
// must add up: every log keeps its count, every earlier QSO the window sees is whole (20 m QSOs are CW, 40 m ones
// SSB), and the host's thread asks for no more refreshes than the gate let through: one per opening (the start,
// each live update's end) and two per removal (its own, and the one its reopened gate lets the next check make).
TEST_F(Concurrency, LiveUpdatesWhileTheHostWorks) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "setup_view_zone", "1");
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "setup_view_dxcc", "1");
    test::reset();
    headless::setWindowOpen(true);
    std::atomic<bool> done{false};
    std::atomic<int> passes{0}, tornRows{0};
    std::thread window([&] {
        test::Log log;
        test::ScriptedHost host(log);
        test::RecordingMaster master(log);
        test::RecordingWindows windows(log);
        ui::MasterPanel panel(master, windows, host, windowDoor());
        panel.OnInitDialog();
        const char* calls[] = {"JA1ABC", "JA7", "", "JA2BBB"};
        for (int i = 0; !done; ++i) {
            host.call = calls[i % 4];
            host.hertz = i % 2 ? 14025000 : 7010000;
            panel.OnInfoRefresh();
            ++passes; // each pass opens the gate once
            const widgets::DxccPanelState state = windows.panel();
            if (state.rows[3][2] != "   -" && state.rows[3][2] != "-" && state.rows[3][2] != "CW") ++tornRows;
            if (state.rows[2][2] != "   -" && state.rows[2][2] != "-" && state.rows[2][2] != "SSB") ++tornRows;
            if (i % 100 == 0) panel.OnModeCw(), panel.OnModeSsb();
            log.clear();
        }
    });
    constexpr int kRounds = 40, kQsos = 300;
    int removals = 0;
    for (int round = 0; round < kRounds; ++round) {
        test::reset();
        std::size_t logged = 0; // a QSO in the other mode than the window's of the moment stays out
        for (int i = 0; i < kQsos; ++i) {
            test::Qso q;
            q.call = i % 3 ? "JA1ABC" : "JA" + std::to_string(i);
            q.mode = i % 2 ? "CW" : "SSB";
            q.band = i % 2 ? "20m" : "40m";
            q.time = test::at(2026, 4, 11, 12, i % 60);
            const int added = test::add(q);
            logged += added;
            if (i % 60 == 59) test::remove(q), logged -= added, ++removals;
            for (int c = 0; c < 10; ++c) test::check("JA1ABC", c % 2 ? "20m" : "40m", "CW", "JA");
        }
        test::result();
        ASSERT_EQ(logged, g_log.size()) << round;
    }
    done = true;
    window.join();
    EXPECT_GT(passes.load(), 0);
    EXPECT_EQ(0, tornRows.load());
    EXPECT_LE(headless::requests().refreshPosts, 1 + passes.load() + 2 * removals);
}

} // namespace
