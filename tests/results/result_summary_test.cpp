#include <gtest/gtest.h>

#include <cmath>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/settings.h"
#include "results/html_templates.h"
#include "results/results.h"
#include "support/host.h"

namespace {

using test::add;
using test::at;
using test::Qso;

const std::string kCredit = g_creditLine;

Qso qso(const char* call, const char* band, int hour, int minute, const char* exch, const char* prefix = "JA") {
    Qso q;
    q.call = call;
    q.band = band;
    q.time = at(2026, 4, 11, hour, minute);
    q.exchRcvd = exch;
    q.prefix = prefix;
    return q;
}

class ResultSummary : public test::HostTest {
protected:
    // A DX station's log: bands out of order, a dupe, a zero-point QSO, a bad code, a repeated county.
    void logDxStation() {
        test::reset();
        for (const Qso& q : {qso("JA1ABC", "20m", 12, 0, "13"), qso("JA2BBB", "160m", 12, 5, "01"),
                             qso("JA1ABC", "20m", 12, 10, "13"), qso("JA3CCC", "80m", 12, 20, "13"),
                             qso("UA1AAA", "20m", 12, 30, "13", "UA"), qso("JA4DDD", "20m", 12, 40, "99"),
                             qso("JA5EEE", "20m", 12, 50, "13"), qso("JA6FFF", "10m", 13, 0, "20")})
            ASSERT_EQ(1, add(q));
    }

    // A Japanese station's SSB log.
    void logJaStation() {
        platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
        test::Pass p;
        p.ownCall = "JA1XYZ";
        p.ownPrefix = "JA";
        test::reset(p);
        for (Qso q : {qso("K1AA", "20m", 12, 0, "05", "K"), qso("W2BB", "20m", 12, 3, "5", "K"),
                      qso("DL1CC", "20m", 12, 5, "14", "DL"), qso("K1AA", "15m", 12, 10, "05", "K"),
                      qso("JA2XX", "15m", 12, 12, "25", "JA"), qso("K1AA", "20m", 12, 15, "05", "K"),
                      qso("VK2DD", "40m", 12, 20, "30", "VK")}) {
            q.mode = "SSB";
            q.myCall = "JA1XYZ";
            ASSERT_EQ(1, add(q));
        }
    }
};

TEST_F(ResultSummary, DxStationText) {
    logDxStation();
    EXPECT_EQ("    JIDX-CW-CONTEST 11.04-12.04.2026\r\n\tContestant: K1AR \r\n\tQSOs\tPoints\tCounty\r\n"
              "160m\t 1\t 4\t 1\r\n"
              "80m\t 1\t 2\t 1\r\n"
              "20m\t 2\t 2\t 1\r\n"
              "10m\t 1\t 2\t 1\r\n"
              "Total\t 5\t 10\t 4\r\nDupe\t 1\r\nBad QSO\t 2\r\n\r\nScore: 10*4 = 40\r\n"
              "\t\t\tRate\r\n"
              "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
              "Hourly (10min) pts rate:     2 (12) points/hour\r\n\r\n"
              "Last QSO: 2 points\r\n\r\n" +
                  kCredit,
              test::result());
    EXPECT_EQ((std::vector<std::string>{"160m", "80m", "20m", "10m"}), g_bandsWorked);
    EXPECT_EQ(std::vector<std::string>{"01"}, g_multByBand[0]);
    EXPECT_EQ(std::vector<std::string>{"13"}, g_multByBand[1]);
    EXPECT_EQ(std::vector<std::string>{"13"}, g_multByBand[3]);
    EXPECT_EQ(std::vector<std::string>{"20"}, g_multByBand[5]);
    EXPECT_TRUE(g_dxccByBand[3].empty());
    EXPECT_EQ(40, g_claimedScore);
    EXPECT_EQ("40", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Claimed", ""));
}

// A band row of the HTML result of a DX station: the band, its QSOs, points and counties.
std::string htmlRow(const std::vector<std::string>& values) {
    std::string row = "<tr><th> <center>%</center></th><td><center>%</center></td><td><center>%</center></td>"
                      "<td><center>%</center></td></tr>";
    for (const auto& v : values) row.replace(row.find('%'), 1, v);
    return row;
}

TEST_F(ResultSummary, DxStationHtml) {
    logDxStation();
    setVersion(nullptr);
    EXPECT_EQ(std::string(g_htmlHead) +
                  "<center><b>   JIDX-CW-CONTEST 11.04-12.04.2026</b></center><center>Contestant:  <b>K1AR</center></b>"
                  "<table><tr><th> Band</th><th> QSOs</th><th> Points</th><th> County</th></tr>" +
                  htmlRow({"160m", "1", "4", "1"}) + htmlRow({"80m", "1", "2", "1"}) +
                  htmlRow({"20m", "2", "2", "1"}) + htmlRow({"10m", "1", "2", "1"}) +
                  htmlRow({"Total", "5", "10", "4"}) +
                  "<tr><th> <center>Dupe</center></th><td><center>1</center></td><td colspan=8> </td></tr>"
                  "<tr><th> <center>Bad QSO</center></th><td><center>2</center></td><td colspan=8> </td></tr>"
                  "<tr><th>Score:</th><td colspan=9><center>10 * 4 = 40</center></td></tr>"
                  "<tr><th>Last QSO points:</small></th><td colspan=9><center>    2</center></td></tr>"
                  "<th colspan=10><center>Rate</center></th></tr>"
                  "<tr><th> Hourly (10min/1 hour) QSO rate: </th><td colspan=9><center>    1 /6</center></td></tr>"
                  "<tr><th> Hourly (10min/1 hour) pts rate: </th><td colspan=9><center>    2 /12</center></td></tr>"
                  "</table><h6 align=right>" +
                  kCredit + "</h6></body></html>",
              test::result());
}

TEST_F(ResultSummary, JapaneseStationText) {
    logJaStation();
    EXPECT_EQ("    JIDX-SSB-CONTEST 11.04-12.04.2026\r\n\tContestant: JA1XYZ \r\n\tQSOs\tPoints\tZone\tDXCC\r\n"
              "40m\t 1\t 1\t 1\t 1\r\n"
              "20m\t 3\t 3\t 2\t 2\r\n"
              "15m\t 1\t 1\t 1\t 1\r\n"
              "Total\t 5\t 5\t 4\t 4\r\n\r\nDupe\t 1\r\nBad QSO\t 1\r\n\r\nScore: 5*(4+4) = 40\r\n"
              "\t\t\tRate\r\n"
              "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
              "Hourly (10min) pts rate:     1 (6) points/hour\r\n\r\n"
              "Last QSO: 1 points\r\n\r\n" +
                  kCredit,
              test::result());
    EXPECT_EQ((std::vector<std::string>{"05", "14"}), g_multByBand[3]);
    EXPECT_EQ((std::vector<std::string>{"K", "DL"}), g_dxccByBand[3]);
    EXPECT_EQ((std::vector<std::string>{"K"}), g_dxccByBand[4]);
    EXPECT_EQ((std::vector<std::string>{"VK"}), g_dxccByBand[2]);
}

TEST_F(ResultSummary, JapaneseStationHtml) {
    logJaStation();
    setVersion("");
    const std::string text = test::result();
    const std::string expectedStart =
        std::string(g_htmlHead) +
        "<center><b>   JIDX-SSB-CONTEST 11.04-12.04.2026</b></center><center>Contestant:  <b>JA1XYZ</center></b>"
        "<table><tr><th> Band</th><th> QSOs</th><th> Points</th><th> Zone</th><th> DXCC</th></tr>"
        "<tr><th> <center>40m</center></th><td><center>1</center></td><td><center>1</center></td>"
        "<td><center>1</center></td><td><center>1</center></td></tr>";
    EXPECT_EQ(expectedStart, text.substr(0, expectedStart.size()));
    const std::string expectedTail =
        "<tr><th> <center>Total</center></th><td><center>5</center></td><td><center>5</center></td>"
        "<td><center>4</center></td><td><center>4</center></td></tr>"
        "<tr><th> <center>Dupe</center></th><td><center>1</center></td><td colspan=8> </td></tr>"
        "<tr><th> <center>Bad QSO</center></th><td><center>1</center></td><td colspan=8> </td></tr>"
        "<tr><th>Score:</th><td colspan=9><center>5 * (4 + 4) = 40</center></td></tr>"
        "<tr><th>Last QSO points:</small></th><td colspan=9><center>    1</center></td></tr>"
        "<th colspan=10><center>Rate</center></th></tr>"
        "<tr><th> Hourly (10min/1 hour) QSO rate: </th><td colspan=9><center>    1 /6</center></td></tr>"
        "<tr><th> Hourly (10min/1 hour) pts rate: </th><td colspan=9><center>    1 /6</center></td></tr>"
        "</table><h6 align=right>" +
        kCredit + "</h6></body></html>";
    ASSERT_GE(text.size(), expectedTail.size());
    EXPECT_EQ(expectedTail, text.substr(text.size() - expectedTail.size()));
}

TEST_F(ResultSummary, EmptyLog) {
    test::reset();
    EXPECT_EQ("    JIDX-CW-CONTEST 11.04-12.04.2026\r\n\tContestant: K1AR \r\n\tQSOs\tPoints\tCounty\r\n"
              "Total\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nScore: 0*0 = 0\r\n"
              "\t\t\tRate\r\n"
              "Hourly (10min) QSO rate:     0 (0) QSOs/hour\r\n"
              "Hourly (10min) pts rate:     0 (0) points/hour\r\n\r\n"
              "Last QSO: 0 points\r\n\r\n" +
                  kCredit,
              test::result());
}

TEST_F(ResultSummary, RatesCountOnlyTheBandOfTheLastQso) {
    test::reset();
    for (const Qso& q : {qso("JA1A", "160m", 11, 1, "01"), qso("JA1B", "160m", 11, 55, "01"),
                         qso("JA1C", "20m", 11, 59, "01"), qso("JA1D", "160m", 12, 0, "01")})
        add(q);
    const std::string text = test::result();
    EXPECT_NE(std::string::npos, text.find("Hourly (10min) QSO rate:     3 (12) QSOs/hour\r\n"
                                           "Hourly (10min) pts rate:    12 (48) points/hour\r\n\r\n"
                                           "Last QSO: 4 points\r\n"))
        << text;
}

TEST_F(ResultSummary, HourBoundaryRoundsByHalfASecond) {
    struct Case {
        double secondsBefore;
        int inHour;
    } cases[] = {{3600.0, 0}, {3599.6, 0}, {3599.4, 1}, {600.0, 1}, {-30.0, 1}};
    for (const auto& c : cases) {
        test::reset();
        COleDateTime ref = at(2026, 4, 11, 12, 0);
        Qso early = qso("JA1A", "20m", 0, 0, "01");
        early.time = COleDateTime(ref.m_dt - c.secondsBefore / 86400.0, COleDateTime::valid);
        add(early);
        Qso last = qso("JA1B", "15m", 12, 0, "01"); // another band: only the reference
        Qso same = qso("JA1C", "20m", 12, 0, "01");
        add(same);
        const std::string text = test::result();
        const std::string want = "Hourly (10min) QSO rate:     " + std::to_string(1 + c.inHour) + " (";
        EXPECT_NE(std::string::npos, text.find(want)) << c.secondsBefore << "\n" << text;
    }
}

TEST_F(ResultSummary, TenMinuteWindow) {
    test::reset();
    add(qso("JA1A", "20m", 11, 50, "01"));
    add(qso("JA1B", "20m", 11, 51, "01"));
    add(qso("JA1C", "20m", 12, 0, "01"));
    EXPECT_NE(std::string::npos, test::result().find("QSO rate:     3 (12) QSOs/hour"));
}

TEST_F(ResultSummary, TimesNoCalendarShowsCountInNoRate) {
    const double unshowable[] = {std::nan(""), double(INFINITY), -double(INFINITY), 1e300, -1e300, 2958466.0, -657435.0};
    const std::string noRates = "\t\t\tRate\r\nHourly (10min) QSO rate:     0 (0) QSOs/hour\r\n"
                                "Hourly (10min) pts rate:     0 (0) points/hour\r\n\r\nLast QSO: 1 points\r\n\r\n";
    const std::string oneInRate = "\t\t\tRate\r\nHourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
                                  "Hourly (10min) pts rate:     1 (6) points/hour\r\n\r\nLast QSO: 1 points\r\n\r\n";
    for (double days : unshowable) {
        Qso odd = qso("JA1A", "20m", 12, 0, "01");
        odd.time = COleDateTime(days, COleDateTime::valid);
        Qso plain = qso("JA1B", "20m", 12, 0, "02");
        test::reset(); // as the reference time, it leaves every rate at 0
        add(plain);
        add(odd);
        std::string text = test::result();
        EXPECT_NE(std::string::npos, text.find(noRates)) << days << "\n" << text;
        test::reset(); // as one QSO of many, it is left out of the rates
        add(odd);
        add(plain);
        text = test::result();
        EXPECT_NE(std::string::npos, text.find(oneInRate)) << days << "\n" << text;
        EXPECT_NE(std::string::npos, text.find("Total\t 2\t 2\t 2\r\n")) << days;
    }
}

TEST_F(ResultSummary, ExportPassLeavesRatesAtZeroButCountsLastQsoPoints) {
    test::Pass p;
    p.exportPass = 1;
    test::reset(p);
    add(qso("JA1A", "80m", 12, 0, "01"));
    int status = 7;
    const std::string text = test::result(&status);
    EXPECT_NE(std::string::npos, text.find("Hourly (10min) QSO rate:     0 (0) QSOs/hour\r\n"
                                           "Hourly (10min) pts rate:     0 (0) points/hour\r\n\r\n"
                                           "Last QSO: 2 points\r\n"))
        << text;
    EXPECT_EQ(-1, status);
}

TEST_F(ResultSummary, StatusIsTouchedOnlyByAnExport) {
    test::reset();
    int status = 7;
    test::result(&status);
    EXPECT_EQ(7, status);
    EXPECT_NE(nullptr, GetResult0(nullptr));
    test::Pass p;
    p.exportPass = 1;
    test::reset(p);
    EXPECT_NE(nullptr, GetResult0(nullptr)); // an export with nowhere to store its status
}

TEST_F(ResultSummary, OddBandNamesCountInTotalsOnly) {
    test::reset();
    add(qso("JA1A", "20M", 12, 0, "01"));
    add(qso("JA1B", "20m", 12, 1, "02"));
    add(qso("JA1C", "160M", 12, 2, "03"));
    const std::string text = test::result();
    EXPECT_NE(std::string::npos, text.find("\tQSOs\tPoints\tCounty\r\n20m\t 1\t 1\t 1\r\nTotal\t 3\t 3\t 1\r\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find("Score: 3*1 = 3\r\n"));
    EXPECT_NE(std::string::npos, text.find("Last QSO: 1 points")); // "160M" is worth 1
}

// The pass's own problems, whatever another program leaves in the file or takes from it.
TEST_F(ResultSummary, BadQsoCountIsThePassesOwnWhateverTheFileHolds) {
    test::reset();
    for (int i = 0; i < 3; ++i) add(qso("JA1A", "20m", 12, i, "01"));
    add(qso("JA1B", "30m", 12, 5, "01"));
    EXPECT_NE(std::string::npos, test::result().find("Dupe\t 2\r\nBad QSO\t 1\r\n"));
    test::writeFile(test::kBadQsoFile, "title only\r\n");
    EXPECT_NE(std::string::npos, test::result().find("Dupe\t 2\r\nBad QSO\t 1\r\n"));
    test::writeFile(test::kBadQsoFile, "title\r\na\r\nb\r\nc\r\nd\r\ne\r\nf");
    EXPECT_NE(std::string::npos, test::result().find("Dupe\t 2\r\nBad QSO\t 1\r\n"));
    std::filesystem::remove(test::kBadQsoFile);
    // The whole text: the pass's four lines (the title, two dupes, one wrong band) make one dupe-free bad QSO.
    EXPECT_EQ("    JIDX-CW-CONTEST 11.04-12.04.2026\r\n\tContestant: K1AR \r\n\tQSOs\tPoints\tCounty\r\n"
              "20m\t 1\t 1\t 1\r\n"
              "Total\t 1\t 1\t 1\r\nDupe\t 2\r\nBad QSO\t 1\r\n\r\nScore: 1*1 = 1\r\n"
              "\t\t\tRate\r\n"
              "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
              "Hourly (10min) pts rate:     1 (6) points/hour\r\n\r\n"
              "Last QSO: 1 points\r\n\r\n" +
                  kCredit,
              test::result());
}

TEST_F(ResultSummary, RemovalLeavesOtherProblemsCounted) {
    test::reset();
    Qso a = qso("JA1A", "20m", 12, 0, "01");
    Qso zero = qso("UA1A", "20m", 12, 1, "01", "UA");
    Qso wrong = qso("JA1B", "30m", 12, 2, "01");
    add(a);
    add(zero);
    add(wrong);
    test::remove(a);
    EXPECT_NE(std::string::npos, test::result().find("Bad QSO\t 2\r\n"));
}

TEST_F(ResultSummary, HostTextsAreEscapedInHtml) {
    test::Pass p;
    p.ownCall = "K1<b>&";
    test::reset(p);
    setVersion(nullptr);
    EXPECT_NE(std::string::npos, test::result().find("Contestant:  <b>K1&lt;b&gt;&amp;</center>"));
}

TEST_F(ResultSummary, SameDxccOnTwoBandsCountsOnEach) {
    test::Pass p;
    p.ownPrefix = "JA";
    test::reset(p);
    for (Qso q : {qso("K1A", "20m", 12, 0, "05", "K"), qso("K1A", "15m", 12, 1, "05", "K"),
                  qso("K1B", "15m", 12, 2, "05", "K")}) {
        add(q);
    }
    const std::string text = test::result();
    EXPECT_NE(std::string::npos, text.find("20m\t 1\t 1\t 1\t 1\r\n15m\t 2\t 2\t 1\t 1\r\nTotal\t 3\t 3\t 2\t 2\r\n"))
        << text;
    EXPECT_EQ((std::vector<std::string>{"K"}), g_dxccByBand[3]);
    EXPECT_EQ((std::vector<std::string>{"K"}), g_dxccByBand[4]);
}

// A QSO whose country the host did not find comes with an empty prefix (or blanks): it earns its points and its
// zone, but no DXCC entity, in the table, the score and the lists the DXCC window reads.
TEST_F(ResultSummary, EmptyPrefixCountsNoDxccEntity) {
    test::Pass p;
    p.ownCall = "JA1XYZ";
    p.ownPrefix = "JA";
    test::reset(p);
    for (Qso q : {qso("K1XYZ", "20m", 12, 0, "05", "K"), qso("Q1ABC", "20m", 12, 5, "08", ""),
                  qso("Q2ABC", "15m", 12, 10, "14", "  ")}) {
        q.myCall = "JA1XYZ";
        ASSERT_EQ(1, add(q));
    }
    EXPECT_EQ("    JIDX-CW-CONTEST 11.04-12.04.2026\r\n\tContestant: JA1XYZ \r\n\tQSOs\tPoints\tZone\tDXCC\r\n"
              "20m\t 2\t 2\t 2\t 1\r\n"
              "15m\t 1\t 1\t 1\t 0\r\n"
              "Total\t 3\t 3\t 3\t 1\r\n\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nScore: 3*(3+1) = 12\r\n"
              "\t\t\tRate\r\n"
              "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
              "Hourly (10min) pts rate:     1 (6) points/hour\r\n\r\n"
              "Last QSO: 1 points\r\n\r\n" +
                  kCredit,
              test::result());
    EXPECT_EQ(std::vector<std::string>{"K"}, g_dxccByBand[3]);
    EXPECT_TRUE(g_dxccByBand[4].empty());
    EXPECT_EQ(12, g_claimedScore);
    EXPECT_EQ("Japan International DX CW Contest UBN file \r\n", test::readFile(test::kBadQsoFile));
}

// The Phone contest has no 160 m: a QSO there is a bad QSO, with no row, no points and no county; in the CW contest
// the same QSOs count on 160 m.
TEST_F(ResultSummary, SsbContestCountsNothingOn160m) {
    auto logIn = [](const char* mode) {
        for (Qso q : {qso("JA1A", "160m", 12, 0, "01"), qso("JA4D", "160M", 12, 2, "02"),
                      qso("JA2B", "80m", 12, 5, "13"), qso("JA3C", "20m", 12, 10, "13")}) {
            q.mode = mode;
            add(q);
        }
    };
    const std::string rates = "\t\t\tRate\r\n"
                              "Hourly (10min) QSO rate:     1 (6) QSOs/hour\r\n"
                              "Hourly (10min) pts rate:     1 (6) points/hour\r\n\r\n"
                              "Last QSO: 1 points\r\n\r\n" +
                              kCredit;
    test::reset();
    logIn("CW");
    EXPECT_EQ("    JIDX-CW-CONTEST 11.04-12.04.2026\r\n\tContestant: K1AR \r\n\tQSOs\tPoints\tCounty\r\n"
              "160m\t 1\t 4\t 1\r\n"
              "80m\t 1\t 2\t 1\r\n"
              "20m\t 1\t 1\t 1\r\n"
              "Total\t 4\t 8\t 3\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\nScore: 8*3 = 24\r\n" +
                  rates,
              test::result());
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
    test::reset();
    logIn("SSB");
    EXPECT_EQ("    JIDX-SSB-CONTEST 11.04-12.04.2026\r\n\tContestant: K1AR \r\n\tQSOs\tPoints\tCounty\r\n"
              "80m\t 1\t 2\t 1\r\n"
              "20m\t 1\t 1\t 1\r\n"
              "Total\t 2\t 3\t 2\r\nDupe\t 0\r\nBad QSO\t 2\r\n\r\nScore: 3*2 = 6\r\n" +
                  rates,
              test::result());
    EXPECT_EQ(6, g_claimedScore);

    setVersion(nullptr);
    EXPECT_EQ(std::string(g_htmlHead) +
                  "<center><b>   JIDX-SSB-CONTEST 11.04-12.04.2026</b></center><center>Contestant:  <b>K1AR</center></b>"
                  "<table><tr><th> Band</th><th> QSOs</th><th> Points</th><th> County</th></tr>" +
                  htmlRow({"80m", "1", "2", "1"}) + htmlRow({"20m", "1", "1", "1"}) +
                  htmlRow({"Total", "2", "3", "2"}) +
                  "<tr><th> <center>Dupe</center></th><td><center>0</center></td><td colspan=8> </td></tr>"
                  "<tr><th> <center>Bad QSO</center></th><td><center>2</center></td><td colspan=8> </td></tr>"
                  "<tr><th>Score:</th><td colspan=9><center>3 * 2 = 6</center></td></tr>"
                  "<tr><th>Last QSO points:</small></th><td colspan=9><center>    1</center></td></tr>"
                  "<th colspan=10><center>Rate</center></th></tr>"
                  "<tr><th> Hourly (10min/1 hour) QSO rate: </th><td colspan=9><center>    1 /6</center></td></tr>"
                  "<tr><th> Hourly (10min/1 hour) pts rate: </th><td colspan=9><center>    1 /6</center></td></tr>"
                  "</table><h6 align=right>" +
                  kCredit + "</h6></body></html>",
              test::result());
}

} // namespace
