// What hostsim tells the operator about a log and a pass: bands as typed, the contest a log names, QSOs outside
// the contest, calls that do not look like calls, and what a bad-QSO file says was left out of a Cabrillo file.
#include <gtest/gtest.h>

#include "tools/logs/ole_time.h"
#include "tools/logs/pass_checks.h"
#include "tools/logs/text_util.h"

namespace {

COleDateTime at(int year, int month, int day, int hour, int minute, int second = 0) {
    COleDateTime t;
    EXPECT_TRUE(makeTime(year, month, day, hour, minute, second, t));
    return t;
}

LogQso qsoAt(const COleDateTime& time) {
    LogQso q;
    q.time = time;
    q.call = "JA1ABC";
    return q;
}

using Marks = std::vector<std::pair<std::string, std::size_t>>;

// A bad-QSO file as the plug-in writes it: a title, then one line per finding, each line ended by eol.
std::string badQsoFile(const char* eol) {
    const char* lines[] = {
        "Japan International DX CW Contest UBN file ",
        "QSO:  14058  CW  2026-04-11 0929  K1VU  599  05  7K4DQI  599  33   DUPE !!!",
        "QSO:  14016  CW  2026-04-11 1038  K1VU  599  05  JO5WB  599  51  51  Code is not acceptable !!!",
        "QSO:  21039  CW  2026-04-11 1104  K1VU  599  05  W3QY  599  05   QSO 0 points !!!",
        "QSO:  10112  CW  2026-04-11 1231  K1VU  599  05  JR4PI  599  35   WRONG BAND !!!",
        // One QSO on a band outside the contest that also scores nothing: left out once, for its first mark.
        "QSO:  18106  CW  2026-04-12 0101  K1VU  599  05  JN1QEF  599  12   WRONG BAND !!!",
        "QSO:  18106  CW  2026-04-12 0101  K1VU  599  05  JN1QEF  599  12   QSO 0 points !!!",
        // The unacceptable-code line repeats the exchange; the same QSO's other line does not.
        "QSO:  7026  CW  2026-04-12 0906  K1VU  599  05  7L1WE  599   7   7  Code is not acceptable !!!",
        "QSO:  7026  CW  2026-04-12 0906  K1VU  599  05  7L1WE  599   7   QSO 0 points !!!",
        "QSO:  3530  CW  2026-04-11 1802  K1VU  599  05  7M2PO  599     NO NUMBER !!!",
        "QSO:  14012  SSB  2026-04-12 0328  K1VU  59  05  JF8VHE  59  01   WRONG MODE !!!",
        "QSO:  14030  CW  2026-04-12 0622  K1VU  599  05  DL5BLF  599  05   QSO 0 points !!!",
        // Not a mark of this file's: a line that merely ends in "!!!" and names none.
        "QSO:  14030  CW  2026-04-12 0623  K1VU  599  05  DL5XYZ  599  05   LOOK HERE !!!",
    };
    std::string text;
    for (const char* line : lines) text += std::string(line) + eol;
    return text;
}

TEST(PassChecks, BandsAreTheContestsSixInAnyCaseAndNothingElse) {
    std::vector<std::string> bands;
    for (const char* b : contestBands()) bands.emplace_back(b);
    EXPECT_EQ((std::vector<std::string>{"160m", "80m", "40m", "20m", "15m", "10m"}), bands);

    EXPECT_EQ("20m", contestBand("20M"));
    EXPECT_EQ("20m", contestBand("20m"));
    EXPECT_EQ("160m", contestBand("160M"));
    EXPECT_EQ("40m", contestBand(" 40m "));
    for (const char* refused : {"40", "30m", "6m", "2m", "", "m", "20 m", "20mm", "0m", "1600m"})
        EXPECT_EQ("", contestBand(refused)) << refused;
}

TEST(PassChecks, ALogNamesJidxWhenItsContestDoesOrWhenItNamesNone) {
    for (const char* jidx : {"", "   ", "JIDX-CW", "JIDX-SSB", "jidx-cw", " JIDX-CW ", "JIDX"})
        EXPECT_TRUE(namesJidx(jidx)) << '"' << jidx << '"';
    for (const char* other : {"CQ-WW-CW", "ARRL-DX-CW", "JA-DX", "XJIDX", "IDX"})
        EXPECT_FALSE(namesJidx(other)) << other;
}

TEST(PassChecks, TheContestRunsFromItsStartUpToItsEnd) {
    const COleDateTime start = at(2026, 4, 11, 7, 0), end = at(2026, 4, 12, 13, 0);
    Log log;
    EXPECT_EQ(0u, countOutside(log, start, end));
    EXPECT_TRUE(keepInside(log, start, end).empty());
    // The first second is the contest's; a QSO logged at 1300 was made after its last minute.
    const COleDateTime times[] = {start,       at(2026, 4, 11, 6, 59, 59), at(2026, 4, 12, 12, 59, 59),
                                  end,         at(2026, 9, 5, 12, 0),      at(2026, 4, 11, 12, 0)};
    int line = 0;
    for (const COleDateTime& t : times) log.qsos.push_back(qsoAt(t)), log.qsos.back().line = ++line;
    EXPECT_EQ(3u, countOutside(log, start, end));
    EXPECT_EQ(6u, countOutside(log, start, start));
    EXPECT_EQ((std::vector<int>{2, 4, 5}), keepInside(log, start, end));
    std::vector<int> kept;
    for (const LogQso& q : log.qsos) kept.push_back(q.line);
    EXPECT_EQ((std::vector<int>{1, 3, 6}), kept);
}

TEST(PassChecks, TheWeekendIsTheSecondFullOneOfAprilForCwAndNovemberForSsb) {
    auto period = [](int year, bool ssb) {
        const ContestPeriod p = jidxWeekend(year, ssb);
        return formatTime(p.start) + " to " + formatTime(p.end);
    };
    EXPECT_EQ("2026-04-11 0700 to 2026-04-12 1300", period(2026, false));  // April 1st a Wednesday
    EXPECT_EQ("2026-11-14 0700 to 2026-11-15 1300", period(2026, true));   // November 1st a Sunday: not a weekend
    EXPECT_EQ("2023-04-08 0700 to 2023-04-09 1300", period(2023, false));  // April 1st a Saturday
    EXPECT_EQ("2025-11-08 0700 to 2025-11-09 1300", period(2025, true));   // November 1st a Saturday
    EXPECT_EQ("2024-04-13 0700 to 2024-04-14 1300", period(2024, false));  // April 1st a Monday
    EXPECT_EQ("2027-11-13 0700 to 2027-11-14 1300", period(2027, true));   // November 1st a Monday
    EXPECT_EQ("2028-04-08 0700 to 2028-04-09 1300", period(2028, false));  // April 1st a Saturday
}

TEST(PassChecks, TheBusiestMonthWinsAndOfEqualsTheEarliest) {
    Log log;
    EXPECT_EQ(0, busiestMonth(log).year);
    // One stray QSO on the Friday before, in March, cannot move the contest.
    for (const COleDateTime& t : {at(2026, 3, 31, 23, 0), at(2026, 4, 11, 8, 0), at(2026, 4, 12, 9, 0)})
        log.qsos.push_back(qsoAt(t));
    EXPECT_EQ(2026, busiestMonth(log).year);
    EXPECT_EQ(4, busiestMonth(log).month);
    Log even;
    for (const COleDateTime& t : {at(2027, 4, 10, 8, 0), at(2026, 11, 14, 8, 0)}) even.qsos.push_back(qsoAt(t));
    EXPECT_EQ(2026, busiestMonth(even).year);
    EXPECT_EQ(11, busiestMonth(even).month);
}

TEST(PassChecks, AHostFillsInTheBandsFrequencyAndTheModesReport) {
    Log log;
    auto add = [&](unsigned hz, const char* band, const char* mode, const char* sent, const char* received) {
        LogQso q = qsoAt(at(2026, 4, 11, 8, 0));
        q.line = static_cast<int>(log.qsos.size()) + 1;
        q.freqHz = hz, q.band = band, q.mode = mode, q.rstSent = sent, q.rstRcvd = received;
        log.qsos.push_back(q);
    };
    add(7012000, "40m", "CW", "599", "579");  // nothing missing
    add(0, "40m", "CW", "", "  ");             // no frequency, no reports
    add(0, "20m", "SSB", "59", "");            // no frequency, no received report
    add(0, "40m", "CW", "599", "599");         // no frequency
    add(0, "", "CW", "599", "599");            // no band either: nothing to go by
    add(0, "30m", "FT8", "", "");              // a mode without a usual report
    const FilledIn filled = fillLikeHost(log);
    EXPECT_EQ((std::vector<int>{2, 3, 4, 6}), filled.frequencyLines);
    EXPECT_EQ((std::vector<std::string>{"40m", "20m", "30m"}), filled.bands);
    EXPECT_EQ((std::vector<int>{2, 3}), filled.reportLines);
    EXPECT_EQ(1u, filled.rstSent);
    EXPECT_EQ(2u, filled.rstRcvd);
    std::string whole;
    for (const LogQso& q : log.qsos)
        whole += std::to_string(q.freqHz) + " " + q.band + " " + q.mode + " [" + q.rstSent + "] [" + q.rstRcvd + "]\n";
    EXPECT_EQ("7012000 40m CW [599] [579]\n"
              "7000000 40m CW [599] [599]\n"
              "14000000 20m SSB [59] [59]\n"
              "7000000 40m CW [599] [599]\n"
              "0  CW [599] [599]\n"
              "10100000 30m FT8 [] []\n",
              whole);
}

TEST(PassChecks, LinesAreNamedTheFirstFiveThenCounted) {
    EXPECT_EQ("line 7", lineList({7}));
    EXPECT_EQ("lines 3 and 4", lineList({3, 4}));
    EXPECT_EQ("lines 1, 2, 3, 4 and 5", lineList({1, 2, 3, 4, 5}));
    EXPECT_EQ("lines 1, 2, 3, 4, 5 and 1 more", lineList({1, 2, 3, 4, 5, 6}));
    std::vector<int> hundred;
    for (int line = 1; line <= 100; ++line) hundred.push_back(line);
    EXPECT_EQ("lines 1, 2, 3, 4, 5 and 95 more", lineList(hundred));
    EXPECT_EQ("1 QSO", counted(1, "QSO"));
    EXPECT_EQ("0 QSOs", counted(0, "QSO"));
    EXPECT_EQ("2 QSOs", counted(2, "QSO"));
}

TEST(PassChecks, CallsLookLikeCallsWithALetterAndADigit) {
    for (const char* call : {"K1VU", "k1vu", "JA1ABC/3", "VE3/JA1ABC", "K1ABC/MM", "7K4DQI", "4U1UN", "K1A",
                             "ABCDEFGHIJ123456789/"})
        EXPECT_TRUE(plausibleCall(call)) << call;
    for (const char* call : {"", "K1", "KVU", "123", "///", "K1VU ", "K-1VU", "JA1ABC\t", "K1VU\xC3\x84",
                             "ABCDEFGHIJ123456789/1"})
        EXPECT_FALSE(plausibleCall(call)) << call;
    EXPECT_FALSE(plausibleCall(std::string(1 << 20, 'K') + "1"));
}

TEST(PassChecks, TheBadQsoFileIsNamedAfterTheContestsEndDate) {
    EXPECT_EQ("BadQSO_RarurAZIZ_12_04_2026.txt", badQsoFileName(at(2026, 4, 12, 13, 0)));
    EXPECT_EQ("BadQSO_RarurAZIZ_01_11_2026.txt", badQsoFileName(at(2026, 11, 1, 0, 0)));
    EXPECT_EQ("BadQSO_RarurAZIZ_31_12_1999.txt", badQsoFileName(at(1999, 12, 31, 23, 59, 59)));
}

TEST(PassChecks, QsoLinesOfACabrilloFileAreCountedWhateverTheLineEnds) {
    const std::string head = "START-OF-LOG: 3.0\nCALLSIGN: K1VU\nSOAPBOX: QSO: in a soapbox is no QSO\n";
    const std::string qso = "QSO:  7012 CW 2026-04-11 0800 K1VU 599 05 JA1ABC 599 13";
    EXPECT_EQ(0u, countQsoLines(""));
    EXPECT_EQ(0u, countQsoLines(head + "END-OF-LOG:\n"));
    EXPECT_EQ(2u, countQsoLines(head + qso + "\n" + qso + "\nEND-OF-LOG:\n"));
    EXPECT_EQ(2u, countQsoLines(head + qso + "\r\n" + qso + "\r\nEND-OF-LOG:\r\n"));
    EXPECT_EQ(1u, countQsoLines(qso));  // the last line without its end
    EXPECT_EQ(1u, countQsoLines(qso + "\nX-" + qso + "\n " + qso + "\nqso: 7012\n"));
}

TEST(PassChecks, WhatWasLeftOutIsCountedOncePerQsoByItsFirstMark) {
    const Marks expected = {{"Code is not acceptable", 2}, {"QSO 0 points", 2}, {"WRONG BAND", 2},
                            {"NO NUMBER", 1}, {"WRONG MODE", 1}};
    EXPECT_EQ(expected, leftOutByMark(badQsoFile("\r\n")));
    EXPECT_EQ(expected, leftOutByMark(badQsoFile("\n")));
    // The last line without its end counts too.
    std::string unended = badQsoFile("\n");
    unended.pop_back();
    EXPECT_EQ(expected, leftOutByMark(unended));
}

TEST(PassChecks, DupesAndFilesWithoutMarksLeaveNothingOut) {
    EXPECT_EQ(Marks{}, leftOutByMark(""));
    EXPECT_EQ(Marks{}, leftOutByMark("Japan International DX CW Contest UBN file \r\n"));
    EXPECT_EQ(Marks{}, leftOutByMark("QSO:  14058  CW  2026-04-11 0929  K1VU  599  05  7K4DQI  599  33   DUPE !!!\n"
                                     "WRONG BAND !!! in the middle of a line\n"
                                     " !!!\n"
                                     "!!!\n"));
}

} // namespace
