#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/settings.h"
#include "support/host.h"
#include "ui/info_thread_headless.h"

namespace {

using test::add;
using test::kBadQsoFile;
using test::Qso;
using test::readFile;

const std::string kCwHeader = "Japan International DX CW Contest UBN file \r\n";
const std::string kLine = "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13";

class QsoIntake : public test::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        test::reset();
    }
};

TEST_F(QsoIntake, RejectsWrongBandModeAndMissingNumbersWithOneLineEach) {
    Qso wrongBand;
    wrongBand.band = "30m";
    Qso lowerMode;
    lowerMode.band = "40M";
    lowerMode.mode = "cw";
    Qso otherMode;
    otherMode.mode = "SSB";
    Qso unknownMode;
    unknownMode.mode = "RTTY";
    Qso noRcvd;
    noRcvd.exchRcvd = "";
    Qso noSent;
    noSent.exchSent = "";
    Qso blankRcvd;                 // blanks only are no number either
    blankRcvd.exchRcvd = "  ";
    Qso blankSent;
    blankSent.exchSent = " \t\r\n";
    for (const Qso* q : {&wrongBand, &lowerMode, &otherMode, &unknownMode, &noRcvd, &noSent, &blankRcvd, &blankSent})
        EXPECT_EQ(0, add(*q));

    EXPECT_EQ(0u, g_log.size());
    EXPECT_TRUE(g_bandsWorked.empty());
    EXPECT_EQ(kCwHeader +
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n"
                  "QSO:  14025  cw  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG MODE !!!\r\n"
                  "QSO:  14025  SSB  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG MODE !!!\r\n"
                  "QSO:  14025  RTTY  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG MODE !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599     NO NUMBER !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599    JA1ABC  599  13   NO NUMBER !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599       NO NUMBER !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599   \t    JA1ABC  599  13   NO NUMBER !!!\r\n",
              readFile(kBadQsoFile));
}

// The Phone contest is on 80 to 10 m: 160 m is a wrong band there, in any letter case, and whatever the QSO's mode;
// the CW contest keeps all six bands.
TEST_F(QsoIntake, SsbContestRejects160mAsAWrongBand) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
    test::reset();
    Qso topBand;
    topBand.mode = "SSB";
    topBand.rstSent = topBand.rstRcvd = "59";
    topBand.freqHz = 1843000;
    topBand.band = "160m";
    Qso upper = topBand;
    upper.call = "JA2BBB";
    upper.band = "160M";
    Qso cw = topBand;
    cw.call = "JA3CCC";
    cw.mode = "CW";
    Qso eighty = topBand;
    eighty.freqHz = 3790000;
    eighty.band = "80m";
    for (const Qso* q : {&topBand, &upper, &cw}) EXPECT_EQ(0, add(*q));
    EXPECT_EQ(1, add(eighty));

    ASSERT_EQ(1u, g_log.size());
    EXPECT_EQ("80m", g_log[0].band);
    EXPECT_EQ(std::vector<std::string>{"80m"}, g_bandsWorked);
    EXPECT_EQ("Japan International DX SSB Contest UBN file \r\n"
              "QSO:  1843  SSB  2026-04-11 1200  K1AR  59  05  JA1ABC  59  13   WRONG BAND !!!\r\n"
              "QSO:  1843  SSB  2026-04-11 1200  K1AR  59  05  JA2BBB  59  13   WRONG BAND !!!\r\n"
              "QSO:  1843  CW  2026-04-11 1200  K1AR  59  05  JA3CCC  59  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
    // The host takes a rejected QSO back by the same values: its line goes.
    test::remove(upper);
    EXPECT_EQ("Japan International DX SSB Contest UBN file \r\n"
              "QSO:  1843  SSB  2026-04-11 1200  K1AR  59  05  JA1ABC  59  13   WRONG BAND !!!\r\n"
              "QSO:  1843  CW  2026-04-11 1200  K1AR  59  05  JA3CCC  59  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));

    // Back in the CW contest the same band counts.
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "0");
    test::reset();
    EXPECT_EQ(1, add(cw));
    cw.band = "160M";
    cw.call = "JA4DDD";
    EXPECT_EQ(1, add(cw));
    EXPECT_EQ(2u, g_log.size());
    EXPECT_EQ(kCwHeader, readFile(kBadQsoFile));
}

TEST_F(QsoIntake, AcceptsBandNamesInAnyCaseButKeepsThemAsGiven) {
    Qso q;
    q.band = "20M";
    EXPECT_EQ(1, add(q));
    ASSERT_EQ(1u, g_log.size());
    EXPECT_EQ("20M", g_log[0].band);
    EXPECT_EQ(std::vector<std::string>{"20M"}, g_bandsWorked);
    EXPECT_EQ(kCwHeader, readFile(kBadQsoFile));
}

TEST_F(QsoIntake, StoresTheWholeRecord) {
    Qso q;
    q.prefix = "JD/o";
    q.exchRcvd = " 07\t";
    ASSERT_EQ(1, add(q));
    const CInfo& r = g_log[0];
    EXPECT_EQ("JA1ABC", r.call);
    EXPECT_EQ("JD/o", r.prefix);
    EXPECT_EQ("note", r.hostText);
    EXPECT_EQ("20m", r.band);
    EXPECT_EQ("CW", r.mode);
    EXPECT_EQ("599", r.rstRcvd);
    EXPECT_EQ("599", r.rstSent);
    EXPECT_EQ(" 07\t", r.exchRcvd);
    EXPECT_EQ("05", r.exchSent);
    EXPECT_EQ("07", r.multCode);
    EXPECT_EQ(0, r.excluded);
    EXPECT_EQ(0, r.zone);
    EXPECT_EQ(14025, r.freqKHz);
    EXPECT_EQ(0, r.dupe);
    EXPECT_EQ(0, r.bad);
    EXPECT_TRUE(r.time == test::at(2026, 4, 11, 12, 0));
}

TEST_F(QsoIntake, DxStationFlagsCodeDupeAndZeroPointsInThatOrder) {
    Qso first;
    ASSERT_EQ(1, add(first));
    Qso bad = first;
    bad.exchRcvd = " 7 ";
    bad.prefix = "UA";
    ASSERT_EQ(1, add(bad));

    ASSERT_EQ(2u, g_log.size());
    EXPECT_EQ("", g_log[1].multCode);
    EXPECT_EQ(1, g_log[1].excluded);
    EXPECT_EQ(1, g_log[1].dupe);
    EXPECT_EQ(1, g_log[1].bad);
    const std::string line = "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599   7 ";
    EXPECT_EQ(kCwHeader + line + "  7  Code is not acceptable !!!\r\n" + line + "   DUPE !!!\r\n" + line +
                  "   QSO 0 points !!!\r\n",
              readFile(kBadQsoFile));
}

TEST_F(QsoIntake, DupeNeedsSameCallBandAndModeExactly) {
    Qso q;
    ASSERT_EQ(1, add(q));
    Qso otherBand = q;
    otherBand.band = "15m";
    Qso otherCase = q;
    otherCase.band = "20M";
    Qso otherCall = q;
    otherCall.call = "JA1ABD";
    for (const Qso* x : {&otherBand, &otherCase, &otherCall}) EXPECT_EQ(1, add(*x));
    for (std::size_t i = 0; i < g_log.size(); ++i) EXPECT_EQ(0, g_log[i].dupe) << i;
    EXPECT_EQ(1, add(q));
    EXPECT_EQ(1, g_log[4].dupe);
    EXPECT_EQ(1, add(q)); // a dupe of a dupe is still a dupe
    EXPECT_EQ(1, g_log[5].dupe);
}

TEST_F(QsoIntake, CleansTheExchangeForTheCodeLine) {
    Qso q;
    q.exchRcvd = "\t ab1 \r\n";
    ASSERT_EQ(1, add(q));
    // The line breaks of the exchange stay on the QSO's one line, as blanks.
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  \t ab1     AB1  Code is not "
                          "acceptable !!!\r\n",
              readFile(kBadQsoFile));
}

TEST_F(QsoIntake, WritesFrequencyInWholeKilohertz) {
    const unsigned hz[] = {1999, 0, 999, 4294967295u, 1830500};
    for (unsigned f : hz) {
        Qso q;
        q.freqHz = f;
        q.band = "30m";
        add(q);
    }
    EXPECT_EQ(kCwHeader + "QSO:  1  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n" +
                  "QSO:  0  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n" +
                  "QSO:  0  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n" +
                  "QSO:  4294967  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n" +
                  "QSO:  1830  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
}

TEST_F(QsoIntake, JapaneseStationTakesZonesAndWorksOnlyForeignStations) {
    test::Pass ja;
    ja.ownCall = "JA1XYZ";
    ja.ownPrefix = "JA";
    test::reset(ja);
    ASSERT_EQ(1, g_ownIsJA);

    Qso zone;
    zone.myCall = "JA1XYZ";
    zone.call = "IT9ABC";
    zone.prefix = "IT9";
    zone.exchRcvd = " 7 ";
    Qso blanks = zone;
    blanks.call = "K1AA";
    blanks.prefix = "K";
    blanks.exchRcvd = "   ";
    Qso digit = blanks;
    digit.call = "K1AE";
    digit.exchRcvd = "0";
    Qso signedZone = blanks;
    signedZone.call = "K1AB";
    signedZone.exchRcvd = "-3x";
    Qso local = zone;
    local.call = "JA2AAA";
    local.prefix = "JD/m";
    local.exchRcvd = "25";
    Qso huge = blanks;             // a zone past any int stops at the largest, a signed one at the smallest
    huge.call = "K1AC";
    huge.exchRcvd = "+99999999999";
    Qso hugeNegative = huge;
    hugeNegative.call = "K1AD";
    hugeNegative.exchRcvd = "-99999999999";
    EXPECT_EQ(0, add(blanks)); // a zone of blanks only is no number
    for (const Qso* q : {&zone, &digit, &signedZone, &local, &huge, &hugeNegative}) ASSERT_EQ(1, add(*q));

    EXPECT_EQ("I", g_log[0].prefix);
    EXPECT_EQ("07", g_log[0].multCode);
    EXPECT_EQ(7, g_log[0].zone);
    EXPECT_EQ(0, g_log[0].bad);
    EXPECT_EQ("00", g_log[1].multCode);
    EXPECT_EQ(0, g_log[1].zone);
    EXPECT_EQ("-3X", g_log[2].multCode);
    EXPECT_EQ(-3, g_log[2].zone);
    EXPECT_EQ(2147483647, g_log[4].zone);
    EXPECT_EQ(-2147483647 - 1, g_log[5].zone);
    EXPECT_EQ(1, g_log[3].excluded);
    EXPECT_EQ(1, g_log[3].bad);
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  JA1XYZ  599  05  K1AA  599        NO NUMBER !!!\r\n" +
                  "QSO:  14025  CW  2026-04-11 1200  JA1XYZ  599  05  JA2AAA  599  25   QSO 0 points !!!\r\n",
              readFile(kBadQsoFile));
}

TEST_F(QsoIntake, KeepsItalianPrefixesOtherThanTheIslandsAsGiven) {
    const char* given[] = {"IT9", "IG9", "IH9", "IT", "it9", "I"};
    const char* stored[] = {"I", "I", "I", "IT", "it9", "I"};
    for (int i = 0; i < 6; ++i) {
        Qso q;
        q.call = "X" + std::to_string(i);
        q.prefix = given[i];
        add(q);
        EXPECT_EQ(stored[i], g_log[i].prefix);
    }
}

TEST_F(QsoIntake, MinamiTorishimaCountsAsJapan) {
    Qso q;
    q.prefix = "JD/m";
    add(q);
    EXPECT_EQ(0, g_log[0].bad);
    EXPECT_EQ(kCwHeader, readFile(kBadQsoFile));
}

TEST_F(QsoIntake, NullTextsReadAsEmpty) {
    EXPECT_EQ(0, AddData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr));
    COleDateTime t = test::at(2026, 4, 11, 12, 0);
    EXPECT_EQ(1, AddData0(nullptr, nullptr, &t, nullptr, nullptr, nullptr, 0, 7000000, "CW", nullptr, nullptr, "1",
                          "13", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          "JA", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, "40m", nullptr));
    EXPECT_EQ(kCwHeader + "QSO:  0                   WRONG BAND !!!\r\n", readFile(kBadQsoFile));
    // The same nulls again remove that rejected QSO's line.
    EXPECT_EQ(1, RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1u, g_log.size());
    EXPECT_EQ(kCwHeader, readFile(kBadQsoFile));
}

TEST_F(QsoIntake, InvalidAndNullTimesAreWrittenAsTheHostFormatsThem) {
    Qso invalid;
    invalid.band = "2m";
    invalid.time = COleDateTime(1.0, COleDateTime::invalid);
    Qso null = invalid;
    null.time = COleDateTime();
    add(invalid);
    add(null);
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  Invalid DateTime  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n" +
                  "QSO:  14025  CW    K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
}

TEST_F(QsoIntake, TimesNoCalendarShowsAreWrittenAsInvalid) {
    for (double days : {std::nan(""), double(INFINITY), 1e300, -1e300}) {
        Qso q;
        q.band = "2m";
        q.time = COleDateTime(days, COleDateTime::valid);
        add(q);
    }
    const std::string line = "QSO:  14025  CW  Invalid DateTime  K1AR  599  05  JA1ABC  599  13   WRONG BAND !!!\r\n";
    EXPECT_EQ(kCwHeader + line + line + line + line, readFile(kBadQsoFile));
}

class QsoRemoval : public QsoIntake {};

TEST_F(QsoRemoval, TheOnlyQsoLeavesEverythingEmpty) {
    Qso q;
    add(q);
    test::result();
    ASSERT_EQ(1u, g_multByBand[3].size());
    test::remove(q);
    EXPECT_EQ(0u, g_log.size());
    EXPECT_TRUE(g_bandsWorked.empty());
    for (int k = 0; k < kBandCount; ++k) EXPECT_TRUE(g_multByBand[k].empty() && g_dxccByBand[k].empty()) << k;
    EXPECT_EQ(kCwHeader, readFile(kBadQsoFile));
    EXPECT_EQ(1, headless::requests().gridResets);
}

TEST_F(QsoRemoval, DropsOnlyTheRemovedQsosLines) {
    Qso dupeA;                     // 12:00
    Qso dupeB = dupeA;
    dupeB.call = "JA2BBB";
    dupeB.time = test::at(2026, 4, 11, 12, 5);
    Qso zero = dupeA;
    zero.call = "JA3CCC";
    zero.prefix = "K";
    zero.time = test::at(2026, 4, 11, 12, 7);
    for (const Qso* q : {&dupeA, &dupeA, &dupeB, &dupeB, &zero}) add(*q);
    ASSERT_EQ(5u, g_log.size());

    Qso second = dupeB;            // removes the first JA2BBB record; its dupe's line goes too (same call and time)
    test::remove(second);
    EXPECT_EQ(4u, g_log.size());
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1ABC  599  13   DUPE !!!\r\n" +
                  "QSO:  14025  CW  2026-04-11 1207  K1AR  599  05  JA3CCC  599  13   QSO 0 points !!!\r\n",
              readFile(kBadQsoFile));
    EXPECT_EQ(1, g_log[2].dupe); // flags are those given at intake
    EXPECT_EQ(1, headless::requests().gridResets);
}

TEST_F(QsoRemoval, ARejectedQsoOnlyLosesItsLines) {
    Qso wrong;
    wrong.band = "30m";
    Qso kept = wrong;
    kept.call = "JA9ZZZ";
    Qso good;
    add(wrong);
    add(kept);
    add(good);
    g_refreshGate.close();
    headless::setWindowOpen(true);
    test::remove(wrong);
    EXPECT_EQ(1u, g_log.size());
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA9ZZZ  599  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
    EXPECT_EQ(0, headless::requests().gridResets);
    EXPECT_EQ(1, headless::requests().refreshPosts);
    EXPECT_TRUE(g_refreshGate.isOpen());
}

TEST_F(QsoRemoval, MatchesCallBandModeAndTimeExactly) {
    Qso q;
    add(q);
    Qso other = q;
    other.time = test::at(2026, 4, 11, 12, 1);
    test::remove(other);
    other = q;
    other.band = "20M";
    test::remove(other);
    other = q;
    other.call = "ja1abc";
    test::remove(other);
    EXPECT_EQ(1u, g_log.size());
    other = q;
    other.freqHz = 1;   // not part of the match
    other.prefix = "K";
    test::remove(other);
    EXPECT_EQ(0u, g_log.size());
}

TEST_F(QsoRemoval, KeepsTheLinesOfEveryOtherQso) {
    Qso removed;                   // JA1A at 12:00 on the Saturday, a zero-point QSO
    removed.call = "JA1A";
    removed.prefix = "K";
    Qso longerCall = removed;      // a call that holds the removed one
    longerCall.call = "JA1AAA";
    Qso otherDay = removed;        // the same station at the same minute of the Sunday
    otherDay.time = test::at(2026, 4, 12, 12, 0);
    Qso timeLikeFrequency = removed; // rejected on 1200 kHz at 13:00: " 1200 " stands in its line
    timeLikeFrequency.freqHz = 1200000;
    timeLikeFrequency.band = "30m";
    timeLikeFrequency.time = test::at(2026, 4, 11, 13, 0);
    Qso twiceRejected = removed;   // rejected twice with the same values: each removal takes one line
    twiceRejected.call = "JA2B";
    twiceRejected.band = "2m";
    for (const Qso* q : {&removed, &longerCall, &otherDay, &timeLikeFrequency, &twiceRejected, &twiceRejected})
        add(*q);
    const std::string others =
        "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1AAA  599  13   QSO 0 points !!!\r\n"
        "QSO:  14025  CW  2026-04-12 1200  K1AR  599  05  JA1A  599  13   DUPE !!!\r\n"
        "QSO:  14025  CW  2026-04-12 1200  K1AR  599  05  JA1A  599  13   QSO 0 points !!!\r\n"
        "QSO:  1200  CW  2026-04-11 1300  K1AR  599  05  JA1A  599  13   WRONG BAND !!!\r\n";
    const std::string rejected = "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA2B  599  13   WRONG BAND !!!\r\n";

    test::remove(removed);
    EXPECT_EQ(kCwHeader + others + rejected + rejected, readFile(kBadQsoFile));
    test::remove(twiceRejected);
    EXPECT_EQ(kCwHeader + others + rejected, readFile(kBadQsoFile));

    // An empty call or a null time is a QSO like any other: it takes its own lines only.
    Qso blank = removed;
    blank.call = "";
    blank.time = COleDateTime();
    test::remove(blank);
    EXPECT_EQ(kCwHeader + others + rejected, readFile(kBadQsoFile));
    EXPECT_EQ(2u, g_log.size());
}

TEST_F(QsoRemoval, FindsEveryMarkItsAddingWrote) {
    // One QSO for each mark (the code's with its cleaned exchange, the dupe with the zero-point line of its second
    // record), and beside them a QSO whose lines stay.
    Qso wrongBand;
    wrongBand.call = "JA1B";
    wrongBand.band = "2m";
    Qso wrongMode = wrongBand;
    wrongMode.call = "JA1M";
    wrongMode.band = "20m";
    wrongMode.mode = "SSB";
    Qso noNumber = wrongMode;
    noNumber.call = "JA1N";
    noNumber.mode = "CW";
    noNumber.exchSent = "";
    Qso badCode = noNumber;
    badCode.call = "JA1C";
    badCode.exchSent = "05";
    badCode.exchRcvd = " 7 ";
    Qso dupeZero = badCode;
    dupeZero.call = "UA1D";
    dupeZero.prefix = "UA";
    dupeZero.exchRcvd = "13";
    Qso stays = badCode;
    stays.call = "JA1S";
    for (const Qso* q : {&wrongBand, &wrongMode, &noNumber, &badCode, &dupeZero, &dupeZero, &stays}) add(*q);
    const std::string kept = "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1S  599   7 "
                             "  7  Code is not acceptable !!!\r\n";
    EXPECT_EQ(kCwHeader +
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1B  599  13   WRONG BAND !!!\r\n"
                  "QSO:  14025  SSB  2026-04-11 1200  K1AR  599  05  JA1M  599  13   WRONG MODE !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599    JA1N  599  13   NO NUMBER !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA1C  599   7   7  Code is not acceptable !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  UA1D  599  13   QSO 0 points !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  UA1D  599  13   DUPE !!!\r\n"
                  "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  UA1D  599  13   QSO 0 points !!!\r\n" +
                  kept,
              readFile(kBadQsoFile));
    for (const Qso* q : {&wrongBand, &wrongMode, &noNumber, &badCode, &dupeZero}) test::remove(*q);
    // The second record's lines: the dupe's and one zero-point line, each taken once.
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  UA1D  599  13   QSO 0 points !!!\r\n" +
                  kept,
              readFile(kBadQsoFile));
    test::remove(dupeZero);
    EXPECT_EQ(kCwHeader + kept, readFile(kBadQsoFile));
    EXPECT_EQ(1u, g_log.size());
}

TEST_F(QsoRemoval, TakesTheLinesOfAQsoWhoseTextsHoldLineBreaks) {
    Qso q;
    q.exchRcvd = "1\r\n3";
    q.rstSent = "5\n99";
    add(q);
    Qso other;
    other.call = "JA9ZZZ";
    other.exchRcvd = "77";
    add(other);
    test::remove(q);
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA9ZZZ  599  77  77  Code is not "
                          "acceptable !!!\r\n",
              readFile(kBadQsoFile));
}

// Nothing is read back from the file: one deleted meanwhile is made again whole, every other line in it.
TEST_F(QsoRemoval, AFileDeletedMeanwhileIsMadeAgainWithTheOtherLines) {
    Qso wrong;
    wrong.band = "30m";
    Qso kept = wrong;
    kept.call = "JA9ZZZ";
    add(wrong);
    add(kept);
    std::filesystem::remove(kBadQsoFile);
    test::remove(wrong);
    EXPECT_EQ(kCwHeader + "QSO:  14025  CW  2026-04-11 1200  K1AR  599  05  JA9ZZZ  599  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
}

} // namespace

namespace {

class LogIndex : public QsoIntake {};

TEST_F(LogIndex, FollowsRemovalsAndKeepsAnsweringWithoutScans) {
    // Enough records to make the indexes grow several times, with removals from the front and the middle.
    std::vector<Qso> qsos;
    for (int i = 0; i < 3000; ++i) {
        Qso q;
        q.call = "JA" + std::to_string(i % 1500);
        q.band = i < 1500 ? "20m" : "15m";
        q.time = test::at(2026, 4, 11, 8 + i / 600, (i / 10) % 60);
        qsos.push_back(q);
        ASSERT_EQ(1, add(q));
    }
    test::remove(qsos[0]);
    test::remove(qsos[1600]);
    Qso twice = qsos[5];
    ASSERT_EQ(1, add(twice)); // a dupe of a record that stays
    EXPECT_EQ(1, g_log[g_log.size() - 1].dupe);
    test::remove(qsos[5]);    // the first of the two goes; the key stays through the second
    EXPECT_EQ(0, test::check("JA5", "20m", "CW", "JA"));
    test::remove(twice);
    EXPECT_EQ(2, test::check("JA5", "20m", "CW", "JA"));

    EXPECT_EQ(2, test::check("JA0", "20m", "CW", "JA"));
    EXPECT_EQ(0, test::check("JA0", "15m", "CW", "JA"));
    EXPECT_EQ(2, test::check("JA100", "15m", "CW", "JA"));
    EXPECT_EQ(0, test::check("JA1499", "20m", "CW", "JA"));
    ASSERT_EQ(1, add(qsos[0]));
    EXPECT_EQ(0, g_log[g_log.size() - 1].dupe);
    ASSERT_EQ(1, add(qsos[2999]));
    EXPECT_EQ(1, g_log[g_log.size() - 1].dupe);
    for (std::size_t i = 0; i < g_log.size(); ++i) ASSERT_TRUE(g_log.hasCallBandMode(g_log[i].call, "20m", "CW") ||
                                                                g_log[i].band == "15m") << i;
}

} // namespace
