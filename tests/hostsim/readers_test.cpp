// The log readers on bad and odd input: what is read, what is refused, and the messages that name the lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tools/logs/frequency.h"
#include "tools/logs/log_model.h"
#include "tools/logs/ole_time.h"
#include "tools/logs/text_util.h"

namespace {

// The whole log as text: the own call, then one line per QSO with every field, then the messages.
std::string render(const Log& log, const std::vector<std::string>& messages) {
    std::string out = log.format + " own \"" + log.ownCall + "\"" +
                      (log.contest.empty() ? "" : " contest \"" + log.contest + "\"") + (log.empty ? " empty" : "") +
                      "\n";
    for (const LogQso& q : log.qsos) {
        out += std::to_string(q.line) + ": " + formatTime(q.time) + " " + std::to_string(q.freqHz) + " [" + q.band +
               "] [" + q.mode + "] [" + q.myCall + "] [" + q.call + "] [" + q.rstSent + "] [" + q.exchSent +
               "] [" + q.rstRcvd + "] [" + q.exchRcvd + "]\n";
    }
    for (const std::string& m : messages) out += m + "\n";
    return out;
}

std::string readAs(std::string_view bytes) {
    Log log;
    std::vector<std::string> messages;
    const bool ok = readLog(bytes, "t", log, messages);
    return (ok ? "" : "REFUSED\n") + render(log, messages);
}

TEST(Frequency, MegahertzBecomeWholeHertzWithoutFloatError) {
    unsigned hz = 0;
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("7.07582", hz));
    EXPECT_EQ(7075820u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("14.025", hz));
    EXPECT_EQ(14025000u, hz);
    // 21.030000 1 MHz: the seventh decimal rounds down
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("21.0300001", hz));
    EXPECT_EQ(21030000u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("0.0018295", hz));  // rounds half up
    EXPECT_EQ(1830u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("28.123456789012", hz));
    EXPECT_EQ(28123457u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz(" 3.5 ", hz));
    EXPECT_EQ(3500000u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("50", hz));
    EXPECT_EQ(50000000u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz(".5", hz));
    EXPECT_EQ(500000u, hz);
    EXPECT_EQ(Megahertz::hertz, megahertzToHertz("4294.967295", hz));
    EXPECT_EQ(4294967295u, hz);
    hz = 77;
    for (const char* bad : {"", ".", "7,030", "-7.0", "7.0e3", "1.2G", "7..0", "0x10", "99999999999999999999x"}) {
        EXPECT_EQ(Megahertz::notANumber, megahertzToHertz(bad, hz)) << bad;
        EXPECT_EQ(77u, hz) << bad;
    }
    // Just past the top by a rounded seventh decimal, and numbers long enough to wrap any fixed-width count.
    for (const char* high : {"4294.967296", "4294.9672955", "4295", "10000", "18446744073709551617",
                             "99999999999999999999999.5"}) {
        EXPECT_EQ(Megahertz::tooHigh, megahertzToHertz(high, hz)) << high;
        EXPECT_EQ(77u, hz) << high;
    }
}

TEST(Frequency, BandsOfFrequencies) {
    EXPECT_EQ("160m", bandOfFrequency(1810000));
    EXPECT_EQ("40m", bandOfFrequency(7000000));
    EXPECT_EQ("40m", bandOfFrequency(7300999));
    EXPECT_EQ("", bandOfFrequency(7301000));
    EXPECT_EQ("30m", bandOfFrequency(10110000));
    EXPECT_EQ("10m", bandOfFrequency(29700000));
    EXPECT_EQ("", bandOfFrequency(0));
}

TEST(Times, DatesAndTimesAsLogsWriteThem) {
    COleDateTime t;
    std::string why;
    ASSERT_TRUE(parseDateTime("20260411", "0705", t, why));
    EXPECT_EQ("2026-04-11 0705", formatTime(t));
    EXPECT_EQ(6, civilOf(t).weekday);  // a Saturday
    ASSERT_TRUE(parseDateTime("2026-04-12", "235959", t, why));
    EXPECT_EQ(59, civilOf(t).second);
    EXPECT_EQ(0, civilOf(t).weekday);
    ASSERT_TRUE(parseDateTime("19000101", "1200", t, why));
    EXPECT_EQ(2.5, t.m_dt);
    EXPECT_FALSE(parseDateTime("18991231", "0000", t, why));
    EXPECT_FALSE(parseDateTime("20260229", "0000", t, why));
    EXPECT_EQ("no such date and time: 20260229 0000", why);
    EXPECT_FALSE(parseDateTime("2026411", "0000", t, why));
    EXPECT_EQ("date \"2026411\" is neither YYYYMMDD nor YYYY-MM-DD", why);
    EXPECT_FALSE(parseDateTime("20260411", "070", t, why));
    EXPECT_EQ("time \"070\" is neither HHMM nor HHMMSS", why);
    EXPECT_FALSE(parseDateTime("20260411", "2400", t, why));
    EXPECT_FALSE(parseDateTime("20260411", "0760", t, why));
}

TEST(Adif, CaseInsensitiveTagsBothTimeFormsAndExactFrequencies) {
    EXPECT_EQ("ADIF own \"K1VU\"\n"
              "2: 2026-04-11 0800 7012346 [40m] [CW] [K1VU] [JA1ABC] [599] [05] [599] [13]\n"
              "3: 2026-04-11 0810 14025000 [20m] [CW] [] [JH2XYZ] [599] [5] [599] [20]\n",
              readAs("<adif_ver:5>3.1.4<eoh>\n"
                     "<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <BAND:3>40M <FREQ:10>7.01234567 "
                     "<MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599 <STX_STRING:2>05 <SRX_STRING:2>13 "
                     "<STATION_CALLSIGN:4>K1VU <EOR>\n"
                     "<call:6>jh2xyz <qso_date:8>20260411 <time_on:6>081030 <Freq:6>14.025 <mode:2>cw "
                     "<rst_sent:3>599 <rst_rcvd:3>599 <stx:1>5 <srx:2>20 <eor>\n"));
}

TEST(Adif, NoHeaderAndMissingFields) {
    EXPECT_EQ("ADIF own \"W1AW\"\n"
              "1: 2026-04-11 0800 0 [] [] [] [JA1ABC] [] [] [] []\n"
              "1: 2026-04-11 0900 0 [20m] [SSB] [W1AW] [JA2ABC] [] [] [] [07]\n",
              readAs("<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <EOR>"
                     "<CALL:6>JA2ABC <QSO_DATE:8>20260411 <TIME_ON:4>0900 <BAND:3>20M <MODE:3>SSB <SUBMODE:3>USB "
                     "<OPERATOR:4>W1AW <SRX:2>07 <EOR>"));
}

TEST(Adif, TheContestIsTheOneTheRecordsNameMostOften) {
    const std::string jidx = "<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <CONTEST_ID:7>JIDX-CW <EOR>\n";
    const std::string ww = "<CALL:6>JA2ABC <QSO_DATE:8>20260411 <TIME_ON:4>0900 <contest_id:9> cq-ww-cw<EOR>\n";
    const std::string none = "<CALL:6>JA3ABC <QSO_DATE:8>20260411 <TIME_ON:4>1000 <CONTEST_ID:0><EOR>\n";
    auto contest = [](const std::string& bytes) {
        Log log;
        std::vector<std::string> messages;
        readLog(bytes, "t", log, messages);
        return log.contest;
    };
    EXPECT_EQ("CQ-WW-CW", contest(none + jidx + ww + ww + none + none));
    EXPECT_EQ("JIDX-CW", contest(ww + jidx + jidx));
    EXPECT_EQ("JIDX-CW", contest(jidx + ww));  // equals: the first met
    EXPECT_EQ("", contest(none + none));
    // A record the reader leaves out (no call) still tells the contest it was logged in.
    EXPECT_EQ("CQ-WW-CW", contest("<QSO_DATE:8>20260411 <CONTEST_ID:8>CQ-WW-CW <EOR>\n" + jidx + ww));
}

TEST(Adif, EmptyFileAndBlankFileAreLogsWithoutQsos) {
    EXPECT_EQ("ADIF own \"\" empty\n", readAs(""));
    EXPECT_EQ("ADIF own \"\" empty\n", readAs("\xEF\xBB\xBF \r\n\r\n"));
}

TEST(Adif, RecordsThatCannotBeUsedAreLeftOutByLine) {
    EXPECT_EQ("ADIF own \"\"\n"
              "t:2: a record without CALL; left out\n"
              "t:3: no such date and time: 20260431 0850 (JA5DEF); left out\n"
              "t:4: a record without QSO_DATE (JA6GHI); left out\n"
              "t:5: a record without TIME_ON (JA6GHJ); left out\n"
              "t:6: time \"9\" is neither HHMM nor HHMMSS (JA6GHK); left out\n",
              readAs("<eoh>\n"
                     "<QSO_DATE:8>20260411 <TIME_ON:4>0840 <FREQ:5>7.020 <MODE:2>CW <EOR>\n"
                     "<CALL:6>JA5DEF <QSO_DATE:8>20260431 <TIME_ON:4>0850 <EOR>\n"
                     "<CALL:6>JA6GHI <TIME_ON:4>0900 <EOR>\n"
                     "<CALL:6>JA6GHJ <QSO_DATE:8>20260411 <EOR>\n"
                     "<CALL:6>JA6GHK <QSO_DATE:8>20260411 <TIME_ON:1>9 <EOR>\n"));
}

TEST(Adif, BadFieldsAreReportedAndTheRestIsRead) {
    EXPECT_EQ("ADIF own \"\"\n"
              "2: 2026-04-11 0910 7030000 [20m] [CW] [] [JA7JKL] [599] [] [] [02]\n"
              "5: 2026-04-11 0920 0 [80m] [CW] [] [JA8MNO] [] [] [] [01]\n"
              "6: 2026-04-11 0830 0 [] [CW] [] [JA4ABC] [] [] [] [31]\n"
              "t:2: field <COMMENT> has no length; ignored\n"
              "t:2: field SRX_STRING given twice in one record (first on line 2); the first stands\n"
              "t:2: BAND 20m but FREQ lies in 40m (JA7JKL); the band stands\n"
              "t:3: <EOR> without fields; ignored\n"
              "t:4: a stray '<' outside any field; ignored\n"
              "t:5: field <FREQ:x> has no usable length; ignored\n"
              "t:6: FREQ \"21,03\" is not a frequency in MHz; taken as 0\n",
              readAs("<eoh>\n"
                     "<CALL:6>JA7JKL <QSO_DATE:8>20260411 <TIME_ON:4>0910 <BAND:3>20m <FREQ:5>7.030 <MODE:2>CW "
                     "<RST_SENT:3>599 <COMMENT>no length <SRX_STRING:2>02 <SRX_STRING:2>03 <EOR>\n"
                     "<EOR>\n"
                     "a < b\n"
                     "<CALL:6>JA8MNO <QSO_DATE:8>20260411 <TIME_ON:4>0920 <FREQ:x>3.5 <BAND:3>80m <MODE:2>CW "
                     "<SRX_STRING:2>01 <EOR>\n"
                     "<CALL:6>JA4ABC <QSO_DATE:8>20260411 <TIME_ON:4>0830 <FREQ:5>21,03 <MODE:2>CW "
                     "<SRX_STRING:2>31 <EOR>\n"));
}

TEST(Adif, AFieldRunningPastTheEndKeepsWhatThereIs) {
    EXPECT_EQ("ADIF own \"\"\n"
              "1: 2026-04-11 0930 28010000 [10m] [CW] [] [JA9PQR] [] [] [] [08]\n"
              "t:2: field <COMMENT:40> runs past the end of the file; it keeps what there is (17 bytes)\n"
              "t:1: the last record has no <EOR>; it is read as it stands\n",
              readAs("<CALL:6>JA9PQR <QSO_DATE:8>20260411 <TIME_ON:4>0930 <BAND:3>10m <FREQ:6>28.010 "
                     "<MODE:2>CW <SRX_STRING:2>08\n<COMMENT:40>runs past the end"));
    EXPECT_EQ("ADIF own \"\"\n"
              "t:1: '<' without '>' before the end of the file; the rest is ignored\n"
              "t:1: the last record has no <EOR>; it is read as it stands\n"
              "t:1: a record without CALL; left out\n",
              readAs("<QSO_DATE:8>20260411 <CALL:6"));
}

TEST(Adif, NonAsciiBytesCountedInBytesOrInCharacters) {
    // "Jürgen" is 7 bytes in UTF-8 and 6 characters: both counts read the same value.
    const std::string bytes = "<CALL:6>DL1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <NAME:7>J\xC3\xBCrgen <SRX:2>14 <EOR>"
                              "<CALL:6>DL2ABC <QSO_DATE:8>20260411 <TIME_ON:4>0801 <NAME:6>J\xC3\xBCrgen <SRX:2>15 <EOR>"
                              "<CALL:6>DL3ABC <QSO_DATE:8>20260411 <TIME_ON:4>0802 <SRX_STRING:3>\xE6\x9D\xB1 <EOR>"
                              "<CALL:6>DL4ABC <QSO_DATE:8>20260411 <TIME_ON:4>0803 <SRX_STRING:2>\xFF\xFE <EOR>";
    EXPECT_EQ("ADIF own \"\"\n"
              "1: 2026-04-11 0800 0 [] [] [] [DL1ABC] [] [] [] [14]\n"
              "1: 2026-04-11 0801 0 [] [] [] [DL2ABC] [] [] [] [15]\n"
              "1: 2026-04-11 0802 0 [] [] [] [DL3ABC] [] [] [] [\xE6\x9D\xB1]\n"
              "1: 2026-04-11 0803 0 [] [] [] [DL4ABC] [] [] [] [\xFF\xFE]\n",
              readAs(bytes));
}

TEST(Adif, RunsOfStrayOpeningBracketsAreOneMessageAndTheRecordsAroundThemAreRead) {
    EXPECT_EQ("ADIF own \"\"\n"
              "1: 2026-04-11 0800 0 [] [] [] [JA1ABC] [] [] [] []\n"
              "4: 2026-04-11 0801 0 [] [] [] [JA2ABC] [] [] [] []\n"
              "5: 2026-04-11 0802 0 [] [] [] [JA3ABC] [] [] [] []\n"
              "t:2: 9 stray '<' outside any field, the last on line 3; ignored\n"
              "t:5: 5 stray '<' outside any field; ignored\n"
              "t:5: a stray '<' outside any field; ignored\n",
              readAs("<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <EOR>\n"
                     "<<<<<<\n"
                     " < a < b <\n"
                     "<CALL:6>JA2ABC <QSO_DATE:8>20260411 <TIME_ON:4>0801 <EOR>\n"
                     "<<<<<<CALL:6>JA3ABC <QSO_DATE:8>20260411 <<TIME_ON:4>0802 <EOR>\n"));
}

TEST(Adif, ControlBytesOfTheLogAreEscapedInMessages) {
    EXPECT_EQ("ADIF own \"\"\n"
              "2: 2026-04-11 0801 0 [] [] [] [JA2\x07" "B] [] [] [] []\n"
              "t:1: a record without QSO_DATE (JA1\\x1B[2J); left out\n"
              "t:2: FREQ \"7.0\\x7F\" is not a frequency in MHz; taken as 0\n"
              "t:3: time \"08\\x0910\" is neither HHMM nor HHMMSS (JA3ABC); left out\n"
              "t:4: field <\\x1B]0;x\\x07> has no length; ignored\n",
              readAs("<CALL:7>JA1\x1B[2J <TIME_ON:4>0800 <EOR>\n"
                     "<CALL:5>JA2\x07" "B <QSO_DATE:8>20260411 <TIME_ON:4>0801 <FREQ:4>7.0\x7F <EOR>\n"
                     "<CALL:6>JA3ABC <QSO_DATE:8>20260411 <TIME_ON:5>08\t10 <EOR>\n"
                     "<\x1B]0;x\x07>y\n"));
}

TEST(Adif, AFrequencyAboveWhatTheHostHoldsIsTakenAsZero) {
    EXPECT_EQ("ADIF own \"\"\n"
              "1: 2026-04-11 0800 0 [40m] [CW] [] [JA1ABC] [] [] [] []\n"
              "2: 2026-04-11 0801 4294967295 [] [CW] [] [JA2ABC] [] [] [] []\n"
              "t:1: FREQ \"5000\" is out of range: the host's frequency holds at most 4294.967295 MHz; taken as 0\n",
              readAs("<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <FREQ:4>5000 <BAND:3>40m <MODE:2>CW <EOR>\n"
                     "<CALL:6>JA2ABC <QSO_DATE:8>20260411 <TIME_ON:4>0801 <FREQ:11>4294.967295 <MODE:2>CW <EOR>\n"));
}

TEST(Messages, ControlBytesAndDeleteEscapedOtherBytesKept) {
    EXPECT_EQ("\\x00\\x01\\x09\\x0A\\x0D\\x1B\\x1F \\x7F~\x80\xFF\xC3\xBC\\",
              escaped(std::string("\0\x01\t\n\r\x1B\x1F \x7F~\x80\xFF\xC3\xBC\\", 15)));
    EXPECT_EQ("0123456789012345678901234567890123456789", shown("0123456789012345678901234567890123456789"));
    // Cut at 40 bytes of the text, not of its escaped form.
    EXPECT_EQ("\\x1B123456789012345678901234567890123456789...",
              shown("\x1B" "1234567890123456789012345678901234567890"));
}

TEST(Adif, HeaderWithoutEohIsReported) {
    EXPECT_EQ("ADIF own \"\"\n"
              "2: 2026-04-11 0800 0 [] [] [] [JA1ABC] [] [] [] []\n"
              "t:1: the header has no <EOH>; fields are read from the first '<' on\n",
              readAs("exported by something\n<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <EOR>"));
}

TEST(Cabrillo, QsoLinesBlankLinesAndSkippedXQso) {
    EXPECT_EQ("Cabrillo own \"K1VU\" contest \"JIDX-CW\"\n"
              "6: 2026-04-11 0800 7012000 [40m] [CW] [K1VU] [JA1ABC] [599] [05] [599] [13]\n"
              "8: 2026-04-11 0900 21030000 [15m] [SSB] [K1VU] [JA3QRS] [59] [05] [59] [25]\n"
              "9: 2026-04-11 0901 50000000 [6m] [CW] [K1VU] [JA4ABC] [599] [05] [599] [31]\n",
              readAs("START-OF-LOG: 3.0\r\nCONTEST: JIDX-CW\r\nCALLSIGN: K1VU\r\n\r\nSOAPBOX: <b>\r\n"
                     "QSO:  7012 CW 2026-04-11 0800 K1VU          599 05     JA1ABC        599 13\r\n"
                     "X-QSO:  7013 CW 2026-04-11 0801 K1VU 599 05 JA1XXX 599 13\r\n"
                     "qso: 21030 ph 2026-04-11 0900 k1vu 59 05 ja3qrs 59 25\r\n"
                     "QSO:    50 CW 2026-04-11 0901 K1VU 599 05 JA4ABC 599 31 1\r\n"
                     "END-OF-LOG:\r\n"));
}

TEST(Cabrillo, BadLinesAreNamedAndSkipped) {
    EXPECT_EQ("Cabrillo own \"\"\n"
              "t:2: a QSO: line of 9 fields; a JIDX QSO has 10 (freq mode date time call rst exch call rst exch) "
              "and may add a transmitter number; skipped\n"
              "t:3: frequency \"14.025\" is not a number of kHz; skipped\n"
              "t:4: no such date and time: 2026-04-31 0812; skipped\n"
              "t:5: no such date and time: 2026-04-11 2460; skipped\n"
              "t:6: not a Cabrillo line (\"KEYWORD: value\"): \"just a line\"; skipped\n"
              "t:7: not a Cabrillo line (\"KEYWORD: value\"): \"TWO WORDS: x\"; skipped\n"
              "t:9: a QSO: line after END-OF-LOG:; skipped\n",
              readAs("START-OF-LOG: 3.0\nQSO: 14025 CW 2026-04-11 0810 K1VU 599 05 JH2XYZ 599\n"
                     "QSO: 14.025 CW 2026-04-11 0811 K1VU 599 05 JH2XYZ 599 20\n"
                     "QSO: 14025 CW 2026-04-31 0812 K1VU 599 05 JH2XYZ 599 20\n"
                     "QSO: 14025 CW 2026-04-11 2460 K1VU 599 05 JH2XYZ 599 20\n"
                     "just a line\nTWO WORDS: x\nEND-OF-LOG:\n"
                     "QSO:  3511 CW 2026-04-11 0904 K1VU 599 05 JA5ZZZ 599 36\n"));
}

TEST(Cabrillo, AFrequencyAboveWhatTheHostHoldsIsRefusedByLine) {
    EXPECT_EQ("Cabrillo own \"K1VU\"\n"
              "4: 2026-04-11 0813 4294967000 [] [CW] [K1VU] [JA3ABC] [599] [05] [599] [20]\n"
              "5: 2026-04-11 0814 7012000 [40m] [CW] [K1VU] [JA4ABC] [599] [05] [599] [20]\n"
              "t:2: frequency 5000000 kHz is out of range: the host's frequency holds at most 4294967 kHz; skipped\n"
              "t:3: frequency 18446744073709551617 kHz is out of range: the host's frequency holds at most 4294967 "
              "kHz; skipped\n",
              readAs("START-OF-LOG: 3.0\n"
                     "QSO: 5000000 CW 2026-04-11 0811 K1VU 599 05 JA1ABC 599 20\n"
                     "QSO: 18446744073709551617 CW 2026-04-11 0812 K1VU 599 05 JA2ABC 599 20\n"
                     "QSO: 4294967 CW 2026-04-11 0813 K1VU 599 05 JA3ABC 599 20\n"
                     "QSO: 0007012 CW 2026-04-11 0814 K1VU 599 05 JA4ABC 599 20\n"));
}

TEST(Cabrillo, ControlBytesOfTheLogAreEscapedInMessages) {
    EXPECT_EQ("Cabrillo own \"\"\n"
              "t:2: frequency \"7\\x1B[31m\" is not a number of kHz; skipped\n"
              "t:3: date \"2026\\x0704-11\" is neither YYYYMMDD nor YYYY-MM-DD; skipped\n"
              "t:4: not a Cabrillo line (\"KEYWORD: value\"): \"\\x1B]0;title\\x07\"; skipped\n",
              readAs("START-OF-LOG: 3.0\n"
                     "QSO: 7\x1B[31m CW 2026-04-11 0811 K1VU 599 05 JA1ABC 599 20\n"
                     "QSO: 7012 CW 2026\x07" "04-11 0812 K1VU 599 05 JA2ABC 599 20\n"
                     "\x1B]0;title\x07\n"));
}

TEST(LogChoice, ByContentNotByName) {
    EXPECT_EQ("REFUSED\n own \"\"\nt:1: neither an ADIF log (no <FIELD:n> tags) nor a Cabrillo log (no "
              "START-OF-LOG: or QSO: line)\n",
              readAs("some notes\nand more\n"));
    // QSO: lines without START-OF-LOG: are Cabrillo; a line opening with a field is ADIF.
    EXPECT_EQ("Cabrillo own \"K1VU\"\n1: 2026-04-11 0800 7012000 [40m] [CW] [K1VU] [JA1ABC] [599] [05] [599] [13]\n",
              readAs("QSO: 7012 CW 2026-04-11 0800 K1VU 599 05 JA1ABC 599 13\n"));
    EXPECT_EQ("ADIF own \"\"\n1: 2026-04-11 0800 0 [] [] [] [JA1ABC] [] [] [] [QSO:]\n",
              readAs("<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <SRX:4>QSO: <EOR>\n"));
}

TEST(LogChoice, UnreadableFilesSayWhy) {
    Log log;
    std::vector<std::string> messages;
    EXPECT_FALSE(readLogFile("/no/such/log.adi", log, messages));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ("/no/such/log.adi: cannot open: No such file or directory", messages[0]);
    messages.clear();
    EXPECT_FALSE(readLogFile("/tmp", log, messages));
    EXPECT_EQ("/tmp: a folder, not a log file", messages.at(0));
}

// Real exports of other loggers, where the machine has them.
class RealExports : public ::testing::Test {
protected:
    void SetUp() override {
        const char* root = std::getenv("VUVO_TESTDATA");
        m_dir = root ? std::filesystem::path(root) / "adif" : std::filesystem::path();
        if (!root || !std::filesystem::is_directory(m_dir)) GTEST_SKIP() << "no test data folder";
    }
    std::string read(const char* name, Log& log, std::vector<std::string>& messages) {
        const std::filesystem::path path = m_dir / name;
        if (!std::filesystem::exists(path)) return "missing";
        return readLogFile(path.string(), log, messages) ? "read" : "refused";
    }
    std::filesystem::path m_dir;
};

TEST_F(RealExports, EveryFileIsReadWhole) {
    struct Expect { const char* name; std::size_t qsos; const char* own; };
    for (const Expect& e : {Expect{"n1mm.adi", 14, "KI2D"}, Expect{"dxkeeper.adi", 22, ""},
                            Expect{"hrd.adi", 22, ""}, Expect{"log4om.adi", 22, ""},
                            Expect{"logger32.adi", 19, ""}, Expect{"test-2-UTF-bytes.adi", 1, ""},
                            Expect{"test-8-8859-entities.adi", 1, ""}}) {
        Log log;
        std::vector<std::string> messages;
        ASSERT_EQ("read", read(e.name, log, messages)) << e.name;
        EXPECT_EQ("ADIF", log.format) << e.name;
        EXPECT_EQ(e.qsos, log.qsos.size()) << e.name;
        if (*e.own) {
            EXPECT_EQ(e.own, log.ownCall) << e.name;
        }
        for (const LogQso& q : log.qsos) {
            EXPECT_FALSE(q.call.empty()) << e.name;
            EXPECT_EQ(COleDateTime::valid, q.time.m_status) << e.name;
        }
        for (const std::string& m : messages) ADD_FAILURE() << m;
    }
}

TEST_F(RealExports, N1mmFirstQsoWhole) {
    Log log;
    std::vector<std::string> messages;
    ASSERT_EQ("read", read("n1mm.adi", log, messages));
    ASSERT_FALSE(log.qsos.empty());
    Log firstOnly = log;
    firstOnly.qsos = {log.qsos.front()};
    const std::string first = render(firstOnly, {});
    EXPECT_EQ("ADIF own \"KI2D\" contest \"DX\"\n"
              "6: 2025-09-01 0100 7075820 [40m] [SSB] [KI2D] [K1ISO] [59] [] [59] []\n",
              first);
}

TEST_F(RealExports, Utf8NameCountedInBytes) {
    Log log;
    std::vector<std::string> messages;
    ASSERT_EQ("read", read("test-2-UTF-bytes.adi", log, messages));
    ASSERT_EQ(1u, log.qsos.size());
    EXPECT_EQ("ADIF own \"\"\n11: 2025-09-01 0200 7075820 [40m] [SSB] [] [K2UTF] [] [] [] []\n",
              render(log, messages));
}

} // namespace
