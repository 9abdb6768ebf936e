// The host's thread and the window thread share the contest state: every export holds the one lock, so a
// reader on another thread never sees a half-changed log. Run under ThreadSanitizer by the tsan preset.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "engine/contest_state.h"
#include "plugin/window_door.h"
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

} // namespace
