// The host's thread and the window thread share the contest state: every export holds the one lock, so a
// reader on another thread never sees a half-changed log. Run under ThreadSanitizer by the tsan preset.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/contest_state.h"
#include "platform/settings.h"
#include "plugin/window_door.h"
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
            for (int band = 0; band < kBandCount; ++band) (void)window_door::bandWorked(band).multipliers.size();
            (void)window_door::previousQsos("JA1ABC");
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

// The window thread's live updates, on a thread of their own against recording windows and a scripted host, while
// the host's thread runs passes, additions, removals and checks: a million calls.
TEST_F(Concurrency, LiveUpdatesWhileTheHostWorks) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "setup_view_zone", "1");
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "setup_view_dxcc", "1");
    test::reset();
    std::atomic<bool> done{false};
    std::atomic<int> passes{0};
    std::thread window([&] {
        test::Log log;
        test::ScriptedHost host(log);
        test::RecordingMaster master(log);
        test::RecordingWindows windows(log);
        ui::MasterPanel panel(master, windows, host);
        panel.OnInitDialog();
        const char* calls[] = {"JA1ABC", "JA7", "", "JA2BBB"};
        for (int i = 0; !done; ++i) {
            host.call = calls[i % 4];
            host.hertz = i % 2 ? 14025000 : 7010000;
            panel.OnInfoRefresh();
            if (windows.panel) (void)windows.panel();
            if (i % 100 == 0) panel.OnModeCw(), panel.OnModeSsb();
            log.clear();
            ++passes;
        }
    });
    long calls = 0;
    for (int round = 0; calls < 1000000; ++round) {
        test::reset();
        ++calls;
        for (int i = 0; i < 300; ++i, ++calls) {
            test::Qso q;
            q.call = i % 3 ? "JA1ABC" : "JA" + std::to_string(i);
            q.mode = i % 2 ? "CW" : "SSB";
            q.band = i % 2 ? "20m" : "40m";
            q.time = test::at(2026, 4, 11, 12, i % 60);
            test::add(q);
            if (i % 60 == 59) test::remove(q), ++calls;
            for (int c = 0; c < 10; ++c, ++calls) test::check("JA1ABC", c % 2 ? "20m" : "40m", "CW", "JA");
        }
        test::result();
        ++calls;
    }
    done = true;
    window.join();
    EXPECT_GT(passes.load(), 0);
}

} // namespace
