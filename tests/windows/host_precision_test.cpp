// The plug-in's answers do not depend on the x87 precision its caller left: a whole golden pass and a pass whose
// QSOs sit at the edges of the rates' minutes, through the exports, at each precision a caller may leave. The
// date splitting against oleaut32 at each precision is in date_time_differential_test.cpp.
#include <windows.h>

#include <string>
#include <vector>

#include "caller_precision.h"
#include "tools/logs/cty.h"
#include "tools/logs/log_model.h"
#include "plugin_host.h"

#include <gtest/gtest.h>

namespace {

const COleDateTime kStart = COleDateTime::fromParts(2026, 4, 11, 7, 0);
const COleDateTime kEnd = COleDateTime::fromParts(2026, 4, 12, 13, 0);
constexpr double kSecond = 1.0 / 86400;

std::string withoutLastLineEnd(std::string text) {
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

} // namespace

TEST(HostPrecision, TestProgramsRunAtTheHostsPrecision) {
#if defined(__i386__)
    EXPECT_EQ(unsigned{_PC_53}, currentPrecision());
#else
    GTEST_SKIP() << "x86-64 has no x87 precision to set";
#endif
}

TEST(HostPrecision, GoldenPassIsTheSameAtEveryPrecision) {
    Log log;
    std::vector<std::string> messages;
    ASSERT_TRUE(readLogFile(VUVO_SAMPLES_DIR "/dx_cw.adi", log, messages));
    CtyDatabase cty;
    ASSERT_TRUE(loadCtyFile(VUVO_HOSTSIM_DIR "/data/cty_excerpt.dat", cty, messages));
    for (LogQso& q : log.qsos) q.prefix = cty.resolve(q.call).prefix;
    const std::string golden = VUVO_HOSTSIM_DIR "/golden/dx_cw_score.";
    const std::string wantResult = withoutLastLineEnd(test::readFile(golden + "stdout"));
    const std::string wantBad = test::readFile(golden + "BadQSO_RarurAZIZ_12_04_2026.txt");
    ASSERT_NE("(missing)", wantBad);

    for (const Precision& precision : callerPrecisions()) {
        test::ScratchFolder folder{test::ScratchFolder::current};
        PluginHost plugin;
        std::string why;
        ASSERT_TRUE(plugin.load(why)) << why;
        std::string result;
        {
            CallerPrecision caller(precision);
            plugin.reset("K1VU", "K", kStart, kEnd);
            for (const LogQso& q : log.qsos) {
                const std::string& my = q.myCall.empty() ? log.ownCall : q.myCall;
                plugin.add(my.c_str(), {q.call.c_str(), q.time, q.freqHz, q.mode.c_str(), q.exchRcvd.c_str(),
                                        q.prefix.c_str(), q.band.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(),
                                        q.exchSent.c_str()});
            }
            result = plugin.result();
            // The plug-in gives the caller its own precision back.
            EXPECT_EQ(precision.control, currentPrecision()) << precision.name;
        }
        EXPECT_EQ(wantResult, result) << precision.name;
        EXPECT_EQ(wantBad, test::readFile(folder.path("BadQSO_RarurAZIZ_12_04_2026.txt"))) << precision.name;
    }
}

TEST(HostPrecision, RatesAtTheEdgesOfTheirMinutesAtEveryPrecision) {
    const double last = COleDateTime::fromParts(2026, 4, 11, 12, 0).m_dt;
    const auto at = [&](double secondsBefore) { return COleDateTime(last - secondsBefore * kSecond, 0); };
    // 59:59.6 before the last QSO is a whole hour (outside), 59:59.4 inside; 9:59.6 is ten minutes, 9:59.4 inside.
    const PassQso qsos[] = {
        {"JA1AAA", at(3599.6), 1810000, "CW", "01", "JA", "160m"},
        {"JA1BBB", at(3599.4), 1810000, "CW", "02", "JA", "160m"},
        {"JA1CCC", at(599.6), 1810000, "CW", "03", "JA", "160m"},
        {"JA1DDD", at(599.4), 1810000, "CW", "04", "JA", "160m"},
        {"JA1EEE", at(0), 1810000, "CW", "05", "JA", "160m"},
    };
    const std::string want =
        "    JIDX-CW-CONTEST 11.04-12.04.2026\r\n"
        "\tContestant: K1VU \r\n"
        "\tQSOs\tPoints\tCounty\r\n"
        "160m\t 5\t 20\t 5\r\n"
        "Total\t 5\t 20\t 5\r\n"
        "Dupe\t 0\r\n"
        "Bad QSO\t 0\r\n"
        "\r\n"
        "Score: 20*5 = 100\r\n"
        "\t\t\tRate\r\n"
        "Hourly (10min) QSO rate:     4 (12) QSOs/hour\r\n"
        "Hourly (10min) pts rate:    16 (48) points/hour\r\n"
        "\r\n"
        "Last QSO: 4 points\r\n"
        "\r\n"
        "VU-VO contest statistics for JIDX";
    for (const Precision& precision : callerPrecisions()) {
        test::ScratchFolder folder{test::ScratchFolder::current};
        PluginHost plugin;
        std::string why;
        ASSERT_TRUE(plugin.load(why)) << why;
        CallerPrecision caller(precision);
        plugin.reset("K1VU", "K", kStart, kEnd);
        for (const PassQso& q : qsos) EXPECT_EQ(1, plugin.add("K1VU", q)) << q.call;
        EXPECT_EQ(want, plugin.result()) << precision.name;
    }
}
