#include <gtest/gtest.h>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/settings.h"
#include "support/host.h"
#include "ui/info_thread_headless.h"

namespace {

using test::check;

class CallCheck : public test::HostTest {
protected:
    void startPass(const char* ownPrefix, const char* hostVersion = nullptr) {
        test::Pass p;
        p.ownPrefix = ownPrefix;
        test::reset(p);
        if (hostVersion) g_hostVersion = hostVersion;
    }
    void log(const char* call, const char* band, const char* prefix, const char* zone = "13") {
        test::Qso q;
        q.call = call;
        q.band = band;
        q.prefix = prefix;
        q.exchRcvd = zone;
        ASSERT_EQ(1, test::add(q));
    }
};

TEST_F(CallCheck, DxStation) {
    startPass("K");
    log("JA1ABC", "20m", "JA");
    EXPECT_EQ(0, check("JA1ABC", "20m", "CW", "JA"));
    EXPECT_EQ(2, check("JA1ABC", "15m", "CW", "JA"));
    EXPECT_EQ(2, check("JA1ABC", "20M", "CW", "JA")); // valid band, but not the logged one
    EXPECT_EQ(2, check("JD1AAA", "20m", "CW", "JD/o"));
    EXPECT_EQ(2, check("JD1BBB", "20m", "CW", "JD/m"));
    EXPECT_EQ(4, check("K1ZZ", "20m", "CW", "K"));
    EXPECT_EQ(4, check("JA1ABC", "30m", "CW", "JA"));
    EXPECT_EQ(4, check("JA1ABC", "20m", "cw", "JA"));
    EXPECT_EQ(4, check("JA1ABC", "20m", "SSB", "JA"));
    EXPECT_EQ(4, check("JA1ABC", "20m", "CW", "JA", 0, "15m"));
    EXPECT_EQ(0, check("JA1ABC", "20m", "CW", "JA", 0, "20M"));
}

TEST_F(CallCheck, OlderHostAnswersOneForWhatCannotCountAndTakesEitherMode) {
    for (const char* version : {"2.19", "2.20"}) {
        startPass("K", version);
        log("JA1ABC", "20m", "JA");
        EXPECT_EQ(1, check("JA1ABC", "20m", "CW", "JA", 0, "15m")) << version;
        EXPECT_EQ(1, check("JA1ABC", "30m", "CW", "JA")) << version;
        EXPECT_EQ(1, check("K1ZZ", "20m", "CW", "K")) << version;
        EXPECT_EQ(1, check("JA1ABC", "20m", "RTTY", "JA")) << version;
        EXPECT_EQ(2, check("JA1ABC", "20m", "SSB", "JA")) << version;
        EXPECT_EQ(0, check("JA1ABC", "20m", "CW", "JA")) << version;
        EXPECT_EQ(2, check("JA1ABC", "20m", "cw", "JA")) << version; // accepted, but not the logged mode
    }
    startPass("K", "2.18");
    EXPECT_EQ(4, check("JA1ABC", "20m", "SSB", "JA"));
}

TEST_F(CallCheck, JapaneseStationLearnsOfRepeatMultipliers) {
    startPass("JA");
    log("K1AA", "20m", "K", "5");
    log("VE3BB", "20m", "VE", "4");
    EXPECT_EQ(1, check("W1CC", "20m", "CW", "K", 5));
    EXPECT_EQ(2, check("W1CC", "15m", "CW", "K", 5));
    EXPECT_EQ(2, check("W1CC", "20m", "CW", "K", 4));  // no single QSO with both prefix K and zone 4
    EXPECT_EQ(0, check("K1AA", "20m", "CW", "K", 5));  // the dupe answer comes first
    EXPECT_EQ(4, check("JA1ZZ", "20m", "CW", "JA", 25));
    EXPECT_EQ(4, check("JD1ZZ", "20m", "CW", "JD/o", 27));
    EXPECT_EQ(4, check("JD1ZY", "20m", "CW", "JD/m", 27));
}

// 160 m is no band of the Phone contest: the call check answers there as on any band outside the contest.
TEST_F(CallCheck, SsbContestAnswersFor160mAsForAWrongBand) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
    startPass("K");
    EXPECT_EQ(4, check("JA1ABC", "160m", "SSB", "JA"));
    EXPECT_EQ(4, check("JA1ABC", "160M", "SSB", "JA"));
    EXPECT_EQ(4, check("JA1ABC", "30m", "SSB", "JA"));
    EXPECT_EQ(2, check("JA1ABC", "80m", "SSB", "JA"));
    EXPECT_EQ(4, check("JA1ABC", "160m", "SSB", "JA", 0, "160m"));
    startPass("K", "2.20");
    EXPECT_EQ(1, check("JA1ABC", "160m", "SSB", "JA"));
    EXPECT_EQ(1, check("JA1ABC", "160m", "CW", "JA"));
    EXPECT_EQ(1, check("JA1ABC", "30m", "SSB", "JA"));
    EXPECT_EQ(2, check("JA1ABC", "80m", "SSB", "JA"));
    // The CW contest keeps 160 m.
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "0");
    startPass("K");
    EXPECT_EQ(2, check("JA1ABC", "160m", "CW", "JA"));
    EXPECT_EQ(2, check("JA1ABC", "160M", "CW", "JA"));
}

TEST_F(CallCheck, NullTextsReadAsEmpty) {
    startPass("K");
    EXPECT_EQ(4, CheckCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(2, CheckCall0(nullptr, 0, 0, "CW", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, "JA", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                            "40m", nullptr, nullptr, nullptr));
}

TEST_F(CallCheck, ForwardsAPendingRefreshOncePerGate) {
    startPass("K");
    check("JA1ABC", "20m", "CW", "JA");
    EXPECT_EQ(0, headless::requests().refreshPosts); // no window: nothing posted, the gate stays
    EXPECT_TRUE(g_refreshGate.isOpen());
    headless::setWindowOpen(true);
    EXPECT_EQ(4, check("K1ZZ", "20m", "CW", "K"));
    check("JA1ABC", "20m", "CW", "JA");
    EXPECT_EQ(1, headless::requests().refreshPosts);
    EXPECT_FALSE(g_refreshGate.isOpen());
    g_refreshGate.open(); // the window's update pass ended
    check("JA1ABC", "20m", "CW", "JA");
    EXPECT_EQ(2, headless::requests().refreshPosts);
}

TEST(ExchangeCheck, AcceptsOnlyCountyCodesAsTyped) {
    for (const char* good : {"01", "09", "10", "25", "41", "50"}) EXPECT_EQ(1, IsValidExchg0(good, 0, 0, 0, 0, 0, 0)) << good;
    for (const char* bad : {"00", "51", "1", "001", " 01", "01 ", "599", "AB", "", "5O", "99"})
        EXPECT_EQ(0, IsValidExchg0(bad, "x", "y", "z", 1, 2, 3)) << bad;
    EXPECT_EQ(0, IsValidExchg0(nullptr, nullptr, nullptr, nullptr, 0, 0, 0));
}

TEST(SetDescription, OneSetWithItsName) {
    EXPECT_EQ(1, GetNumberOfSets());
    EXPECT_EQ(1, GetExchgCount0("", "", ""));
    EXPECT_EQ(1, GetExchgCount0(nullptr, nullptr, nullptr));
    EXPECT_STREQ("VU-VO Contest (C)", GetSetName(0));
    EXPECT_STREQ("", GetSetName(1));
    EXPECT_STREQ("", GetSetName(-1));
}

} // namespace
