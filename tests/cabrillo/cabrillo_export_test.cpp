#include <gtest/gtest.h>

#include <cstdlib>

#include "cabrillo/cabrillo_log.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/posix/message_log.h"
#include "platform/settings.h"
#include "support/host.h"

namespace {

using test::add;
using test::Qso;
using test::readFile;

const std::string kEmptyHeaderTail =
    "CLUB: \r\nNAME: \r\nADDRESS: \r\nADDRESS-CITY: \r\nADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\nE-MAIL: \r\n"
    "CREATED-BY: Tarn Tarn\r\nSOAPBOX: \r\n";

class CabrilloExport : public test::HostTest {
protected:
    void TearDown() override {
        unsetenv("VUVO_DIALOG_ANSWERS");
        HostTest::TearDown();
    }
    void answers(const std::string& text) {
        test::writeFile("answers.txt", text);
        setenv("VUVO_DIALOG_ANSWERS", "answers.txt", 1);
    }
    // One export pass of two QSOs (one excluded) with the given own call; returns the message shown.
    std::string exportPass(const std::string& ownCall, int* status = nullptr) {
        test::Pass p;
        p.exportPass = 1;
        p.ownCall = ownCall;
        test::reset(p);
        Qso a;
        a.myCall = ownCall;
        a.freqHz = 7012000;
        a.band = "40m";
        Qso b = a;
        b.call = "JA2BBB";
        b.freqHz = 14025900;
        b.band = "20m";
        b.exchRcvd = "50";
        b.time = test::at(2026, 4, 12, 0, 5);
        Qso zero = a;
        zero.call = "UA9AA";
        zero.prefix = "UA";
        Qso dupe = b;
        for (const Qso* q : {&a, &b, &zero, &dupe}) add(*q);
        test::result(status);
        auto shown = platform::takeShownMessages();
        return shown.size() == 1 ? shown[0] : "(" + std::to_string(shown.size()) + " messages)";
    }
};

TEST_F(CabrilloExport, FirstExportWritesTheDefaults) {
    int status = 0;
    EXPECT_EQ("File produced: K1AR.cbr", exportPass("K1AR", &status));
    EXPECT_EQ(-1, status);
    EXPECT_EQ("START-OF-LOG: 3.0\r\nARRL-SECTION: DX\r\nCONTEST: JIDX-CW\r\nCALLSIGN: K1AR\r\n"
              "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-MODE: CW\r\nCATEGORY-POWER: HIGH\r\n"
              "CLAIMED-SCORE: 4\r\nOPERATORS: K1AR\r\n" +
                  kEmptyHeaderTail +
                  "QSO:  7012 CW 2026-04-11 1200 K1AR          599 05     JA1ABC        599 13\r\n"
                  "QSO: 14025 CW 2026-04-12 0005 K1AR          599 05     JA2BBB        599 50\r\n"
                  "QSO: 14025 CW 2026-04-12 0005 K1AR          599 05     JA2BBB        599 50\r\n"
                  "END-OF-LOG:\r\n",
              readFile("K1AR.cbr"));
    EXPECT_EQ("[Settings]\r\nBand=ALL\r\nPower=HIGH\r\nOperators=K1AR\r\nName=\r\nAddress=\r\n"
              "Address-City=\r\nAddress-PostalCode=\r\nAddress-Country=\r\nCategory=SINGLE-OP\r\nContest=JIDX-CW\r\n"
              "Email=\r\nClub=\r\nSoapBox=\r\nLoc=DX\r\nStart=0\r\nClaimed=4\r\n",
              readFile("Plugins/VU-VO.ini"));
}

TEST_F(CabrilloExport, OperatorsAnswersAndMultiLineFieldsSurviveTwoExports) {
    answers("CATEGORY-OPERATOR=MULTI-OP\nCATEGORY-POWER=LOW\nNAME=Ken Ito\nOPERATORS=K1AR\\nW1XYZ\n"
            "SOAPBOX=Great fun.\\nSee you next year!\nE-MAIL=k1ar@example.org\nCALLSIGN=K1AR/1\n");
    EXPECT_EQ("File produced: K1AR.cbr", exportPass("K1AR"));
    const std::string header =
        "START-OF-LOG: 3.0\r\nARRL-SECTION: DX\r\nCONTEST: JIDX-CW\r\nCALLSIGN: K1AR/1\r\n"
        "CATEGORY-OPERATOR: MULTI-OP\r\nCATEGORY-TRANSMITTER: ONE\r\nCATEGORY-MODE: CW\r\nCATEGORY-POWER: LOW\r\n"
        "CLAIMED-SCORE: 4\r\nOPERATORS: K1AR\r\nOPERATORS: W1XYZ\r\nCLUB: \r\nNAME: Ken Ito\r\nADDRESS: \r\n"
        "ADDRESS-CITY: \r\nADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\nE-MAIL: k1ar@example.org\r\n"
        "CREATED-BY: Tarn Tarn\r\nSOAPBOX: Great fun.\r\nSOAPBOX: See you next year!\r\n";
    EXPECT_EQ(header, readFile("K1AR.cbr").substr(0, header.size()));
    EXPECT_EQ("K1AR<CR><LF>W1XYZ", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Operators", ""));
    EXPECT_EQ("Great fun.<CR><LF>See you next year!",
              platform::profileRead("Plugins/VU-VO.ini", "Settings", "SoapBox", ""));
    EXPECT_EQ("LOW", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Power", ""));

    // Confirmed unchanged, the stored values give the same lines; power and category start afresh.
    answers("");
    EXPECT_EQ("File produced: K1AR.cbr", exportPass("K1AR"));
    const std::string again = readFile("K1AR.cbr");
    EXPECT_NE(std::string::npos, again.find("OPERATORS: K1AR\r\nOPERATORS: W1XYZ\r\n"));
    EXPECT_NE(std::string::npos, again.find("SOAPBOX: Great fun.\r\nSOAPBOX: See you next year!\r\nQSO:"));
    EXPECT_NE(std::string::npos, again.find("CATEGORY-POWER: HIGH\r\n"));
    EXPECT_NE(std::string::npos, again.find("CATEGORY-BAND: ALL\r\n"));
}

TEST_F(CabrilloExport, SecondExportWritesOnlyItsOwnQsos) {
    exportPass("K1AR");
    exportPass("K1AR");
    const std::string file = readFile("K1AR.cbr");
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = file.find("\r\nQSO: ", at)) != std::string::npos; ++at) ++lines;
    EXPECT_EQ(3u, lines);
}

TEST_F(CabrilloExport, EveryResultOfOnePassWritesEachQsoOnce) {
    exportPass("K1AR");
    const std::string first = readFile("K1AR.cbr");
    int status = 0;
    test::result(&status);
    EXPECT_EQ(std::vector<std::string>{"File produced: K1AR.cbr"}, platform::takeShownMessages());
    EXPECT_EQ(-1, status);
    EXPECT_EQ(first, readFile("K1AR.cbr"));
}

TEST_F(CabrilloExport, EveryBoxGoesToItsLineAndItsKey) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "Claimed", "777");
    answers("CONTEST=C\nCALLSIGN=CS\nCLAIMED=CL\nCATEGORY-OPERATOR=OP\nLOCATION=LO\nCATEGORY-BAND=BA\n"
            "CATEGORY-MODE=MO\nCATEGORY-POWER=PO\nCATEGORY-TRANSMITTER=TR\nNAME=NA\nADDRESS=AD\nADDRESS-CITY=CI\n"
            "ADDRESS-POSTALCODE=PC\nADDRESS-COUNTRY=CO\nOPERATORS=O1\\nO2\nCLUB=CB\nSOAPBOX=S1\\nS2\nE-MAIL=EM\n");
    EXPECT_EQ("File produced: K1AR.cbr", exportPass("K1AR"));
    // The claimed score is this pass's, not the one the dialog showed.
    EXPECT_EQ("START-OF-LOG: 3.0\r\nARRL-SECTION: LO\r\nCONTEST: C\r\nCALLSIGN: CS\r\nCATEGORY-OPERATOR: OP\r\n"
              "CATEGORY-BAND: BA\r\nCATEGORY-MODE: MO\r\nCATEGORY-POWER: PO\r\nCLAIMED-SCORE: 4\r\n"
              "OPERATORS: O1\r\nOPERATORS: O2\r\nCLUB: CB\r\nNAME: NA\r\nADDRESS: AD\r\nADDRESS-CITY: CI\r\n"
              "ADDRESS-POSTALCODE: PC\r\nADDRESS-COUNTRY: CO\r\nE-MAIL: EM\r\nCREATED-BY: Tarn Tarn\r\n"
              "SOAPBOX: S1\r\nSOAPBOX: S2\r\n"
              "QSO:  7012 CW 2026-04-11 1200 CS            599 05     JA1ABC        599 13\r\n"
              "QSO: 14025 CW 2026-04-12 0005 CS            599 05     JA2BBB        599 50\r\n"
              "QSO: 14025 CW 2026-04-12 0005 CS            599 05     JA2BBB        599 50\r\n"
              "END-OF-LOG:\r\n",
              readFile("K1AR.cbr"));
    // Mode, transmitter, call sign and the shown score are kept nowhere; the rest in the order first written.
    EXPECT_EQ("[Settings]\r\nClaimed=4\r\nBand=BA\r\nPower=PO\r\nOperators=O1<CR><LF>O2\r\nName=NA\r\n"
              "Address=AD\r\nAddress-City=CI\r\nAddress-PostalCode=PC\r\nAddress-Country=CO\r\nCategory=OP\r\n"
              "Contest=C\r\nEmail=EM\r\nClub=CB\r\nSoapBox=S1<CR><LF>S2\r\nLoc=LO\r\nStart=0\r\n",
              readFile("Plugins/VU-VO.ini"));
}

TEST_F(CabrilloExport, OneLineValuesCarryNoLineBreak) {
    answers("NAME=Ken\\nIto\nADDRESS=1 Main St\\n[Other]\\nKey=value\nCLUB=\\nYCCC\\n\n");
    EXPECT_EQ("File produced: K1AR.cbr", exportPass("K1AR"));
    const std::string file = readFile("K1AR.cbr");
    EXPECT_NE(std::string::npos, file.find("\r\nCLUB:  YCCC \r\nNAME: Ken Ito\r\nADDRESS: 1 Main St [Other] Key=value\r\n"))
        << file;
    EXPECT_EQ("[Settings]\r\nBand=ALL\r\nPower=HIGH\r\nOperators=K1AR\r\nName=Ken Ito\r\n"
              "Address=1 Main St [Other] Key=value\r\nAddress-City=\r\nAddress-PostalCode=\r\nAddress-Country=\r\n"
              "Category=SINGLE-OP\r\nContest=JIDX-CW\r\nEmail=\r\nClub=YCCC\r\nSoapBox=\r\nLoc=DX\r\nStart=0\r\n"
              "Claimed=4\r\n",
              readFile("Plugins/VU-VO.ini"));
}

TEST_F(CabrilloExport, CancelWritesNoFileAndKeepsTheSettings) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "SoapBox", "old<CR><LF>text");
    answers("SOAPBOX=new\nCANCEL\n");
    int status = 0;
    EXPECT_EQ("Export cancelled: no Cabrillo file was written", exportPass("K1AR", &status));
    EXPECT_EQ(-1, status);
    EXPECT_EQ("(missing)", readFile("K1AR.cbr"));
    EXPECT_EQ("old<CR><LF>text", platform::profileRead("Plugins/VU-VO.ini", "Settings", "SoapBox", ""));
    EXPECT_EQ("", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Power", ""));

    answers(""); // the next export is confirmed again
    EXPECT_EQ("File produced: K1AR.cbr", exportPass("K1AR"));
}

TEST_F(CabrilloExport, DialogThatCannotBeShownIsAFailureNotACancel) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", "Name", "Old Name");
    setenv("VUVO_DIALOG_ANSWERS", "no-such-answers.txt", 1);
    int status = 0;
    EXPECT_EQ("Export failed: the Cabrillo header dialog could not be shown; no Cabrillo file was written",
              exportPass("K1AR", &status));
    EXPECT_EQ(-1, status);
    EXPECT_EQ("(missing)", readFile("K1AR.cbr"));
    EXPECT_EQ("Old Name", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Name", ""));
}

TEST_F(CabrilloExport, FileNameFromTheOwnCall) {
    EXPECT_EQ("File produced: K1AR_P.cbr", exportPass("K1AR/P"));
    EXPECT_NE(std::string::npos, readFile("K1AR_P.cbr").find("CALLSIGN: K1AR/P\r\n"));
    EXPECT_EQ("File produced: VE3_K1AR_M.cbr", exportPass(" VE3/K1AR\\M "));
    EXPECT_EQ("File produced: KAVO.cbr", exportPass("   "));
    EXPECT_EQ("File produced: KAVO.cbr", exportPass(""));
    // Nothing an own call holds reaches another folder, a drive, a stream or a device.
    EXPECT_EQ("File produced: C_K1AR.cbr", exportPass("C:K1AR"));
    EXPECT_EQ("File produced: .._.._x.cbr", exportPass("../../x"));
    EXPECT_EQ("File produced: K1_A_R__.cbr", exportPass("K1<A>R*\x01"));
    EXPECT_EQ("File produced: _CON.cbr", exportPass("CON"));
    EXPECT_EQ("File produced: _com1.x.cbr", exportPass("com1.x"));
    EXPECT_EQ("File produced: COM10.cbr", exportPass("COM10"));
    EXPECT_EQ("File produced: _NUL.cbr", exportPass(" NUL "));
}

TEST_F(CabrilloExport, UnwritableFileIsReportedByName) {
    std::filesystem::create_directory("K1AR.cbr");
    int status = 0;
    EXPECT_EQ("File could not be written: K1AR.cbr", exportPass("K1AR", &status));
    EXPECT_EQ(-1, status);
}

TEST_F(CabrilloExport, SsbContestWritesPhone) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
    test::Pass p;
    p.exportPass = 1;
    test::reset(p);
    Qso q;
    q.mode = "SSB";
    q.rstSent = q.rstRcvd = "59";
    add(q);
    test::result();
    EXPECT_EQ("START-OF-LOG: 3.0\r\nARRL-SECTION: DX\r\nCONTEST: JIDX-SSB\r\nCALLSIGN: K1AR\r\n"
              "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-MODE: SSB\r\nCATEGORY-POWER: HIGH\r\n"
              "CLAIMED-SCORE: 1\r\nOPERATORS: K1AR\r\n" +
                  kEmptyHeaderTail +
                  "QSO: 14025 PH 2026-04-11 1200 K1AR          59  05     JA1ABC        59  13\r\n"
                  "END-OF-LOG:\r\n",
              readFile("K1AR.cbr"));
}

// The host may hand over QSOs with no frequency, no report or blanks inside a text, and a header without its
// call: every QSO line of the file still has its ten fields, in the columns of a normal line.
TEST_F(CabrilloExport, QsoLinesKeepTheirFieldsWhateverTheHostGave) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
    answers("CALLSIGN=\n");
    test::Pass p;
    p.exportPass = 1;
    test::reset(p);
    Qso noFrequency;
    noFrequency.mode = "SSB";
    noFrequency.freqHz = 0;
    noFrequency.band = "40m";
    noFrequency.rstSent = noFrequency.rstRcvd = "";
    noFrequency.call = "JA1 ABC";
    noFrequency.exchSent = "0 5";
    Qso kilohertzAsHertz = noFrequency;
    kilohertzAsHertz.freqHz = 21300;
    kilohertzAsHertz.band = "15m";
    kilohertzAsHertz.rstSent = " \t";
    kilohertzAsHertz.rstRcvd = "5 9";
    kilohertzAsHertz.call = "JA2\tBBB";
    kilohertzAsHertz.exchSent = "05";
    kilohertzAsHertz.exchRcvd = "20";
    Qso upperBand = kilohertzAsHertz; // "10M" scores as a band outside the six, but its line is a 10 m line
    upperBand.freqHz = 0;
    upperBand.band = "10M";
    upperBand.rstSent = upperBand.rstRcvd = "59";
    upperBand.call = "JA3CCC";
    Qso normal = upperBand;
    normal.freqHz = 14250000;
    normal.band = "20m";
    normal.call = "JA4DDD";
    for (const Qso* q : {&noFrequency, &kilohertzAsHertz, &upperBand, &normal}) ASSERT_EQ(1, add(*q));
    test::result();
    EXPECT_EQ(std::vector<std::string>{"File produced: K1AR.cbr"}, platform::takeShownMessages());
    EXPECT_EQ("START-OF-LOG: 3.0\r\nARRL-SECTION: DX\r\nCONTEST: JIDX-SSB\r\nCALLSIGN: \r\n"
              "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-BAND: ALL\r\nCATEGORY-MODE: SSB\r\nCATEGORY-POWER: HIGH\r\n"
              "CLAIMED-SCORE: 12\r\nOPERATORS: K1AR\r\n" +
                  kEmptyHeaderTail +
                  "QSO:  7000 PH 2026-04-11 1200 K1AR          59  05     JA1ABC        59  13\r\n"
                  "QSO: 21000 PH 2026-04-11 1200 K1AR          59  05     JA2BBB        59  20\r\n"
                  "QSO: 28000 PH 2026-04-11 1200 K1AR          59  05     JA3CCC        59  20\r\n"
                  "QSO: 14250 PH 2026-04-11 1200 K1AR          59  05     JA4DDD        59  20\r\n"
                  "END-OF-LOG:\r\n",
              readFile("K1AR.cbr"));
}

TEST(CabrilloLine, LongValuesShiftTheLine) {
    CCabrilloLog log;
    log.m_callsign = "VERYLONGCALLSIGN";
    log.AddQso("JA1ABC/MM/QRP/X", 123456, "20m", "??", COleDateTime(1.0, COleDateTime::invalid), "5999", "1234567",
               "", "x");
    log.AddQso("JA1ABC", 1830, "160m", "CW", test::at(2026, 4, 11, 23, 59), "5", "1", "5", "1");
    ASSERT_EQ(2u, log.m_qsoLines.size());
    EXPECT_EQ("QSO: 123456 ?? Invalid DateTime VERYLONGCALLSIGN 5999 1234567 JA1ABC/MM/QRP/X -   x\r\n",
              log.m_qsoLines[0]);
    EXPECT_EQ("QSO:  1830 CW 2026-04-11 2359 VERYLONGCALLSIGN 5   1      JA1ABC        5   1\r\n", log.m_qsoLines[1]);
}

// Whatever the host handed over, a line has its ten fields after "QSO:", and a normal line's columns stay.
TEST(CabrilloLine, EveryLineHasItsTenFields) {
    CCabrilloLog log;
    log.m_callsign = "K1AR";
    log.m_ownCall = "K1ZZ";
    const COleDateTime t = test::at(2026, 4, 11, 7, 5);
    // The frequency: none, or one below the band, is the band's lower edge; any other is the host's.
    log.AddQso("JA1ABC", 0, "160m", "CW", t, "599", "05", "599", "13");
    log.AddQso("JA1ABC", 3, "80M", "CW", t, "599", "05", "599", "13");
    log.AddQso("JA1ABC", 6999, "40m", "CW", t, "599", "05", "599", "13");
    log.AddQso("JA1ABC", 7000, "40m", "CW", t, "599", "05", "599", "13");
    log.AddQso("JA1ABC", 0, "20m", "PH", t, "59", "05", "59", "13");
    log.AddQso("JA1ABC", 14, "15m", "PH", t, "59", "05", "59", "13");
    log.AddQso("JA1ABC", 0, "10m", "PH", t, "59", "05", "59", "13");
    log.AddQso("JA1ABC", 0, "30m", "CW", t, "599", "05", "599", "13");
    // An empty report (or one of blanks) is the mode's usual one; a mode that is no row's has none.
    log.AddQso("JA1ABC", 14025, "20m", "CW", t, "", "05", " ", "13");
    log.AddQso("JA1ABC", 14225, "20m", "PH", t, "\t", "05", "", "13");
    log.AddQso("JA1ABC", 14025, "20m", "??", t, "", "05", "", "13");
    // Blanks and control bytes inside a text are dropped: each text stays one field.
    log.AddQso("JA1 ABC", 14025, "20m", "CW", t, "5 9\r\n9", "0\t5", "599\x7F", " 1 3 ");
    // Nothing left of a text: "-".
    log.AddQso("", 14025, "20m", "", COleDateTime(), "", "", "", "");
    log.AddQso("\r\n", 14025, "20m", "CW", t, "599", " ", "599", "\t");
    EXPECT_EQ((std::vector<std::string>{
                  "QSO:  1800 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO:  3500 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO:  7000 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO:  7000 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO: 14000 PH 2026-04-11 0705 K1AR          59  05     JA1ABC        59  13\r\n",
                  "QSO: 21000 PH 2026-04-11 0705 K1AR          59  05     JA1ABC        59  13\r\n",
                  "QSO: 28000 PH 2026-04-11 0705 K1AR          59  05     JA1ABC        59  13\r\n",
                  "QSO:     0 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO: 14025 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO: 14225 PH 2026-04-11 0705 K1AR          59  05     JA1ABC        59  13\r\n",
                  "QSO: 14025 ?? 2026-04-11 0705 K1AR          -   05     JA1ABC        -   13\r\n",
                  "QSO: 14025 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO: 14025  - - - K1AR          -   -      -             -   -\r\n",
                  "QSO: 14025 CW 2026-04-11 0705 K1AR          599 -      -             599 -\r\n",
              }),
              log.m_qsoLines);
}

TEST(CabrilloLine, AnEmptyCallsignGivesThePassesOwnCall) {
    CCabrilloLog log;
    log.m_ownCall = " K1 AR ";
    const COleDateTime t = test::at(2026, 4, 11, 7, 5);
    log.AddQso("JA1ABC", 14025, "20m", "CW", t, "599", "05", "599", "13");
    log.m_callsign = " \t ";
    log.AddQso("JA1ABC", 14025, "20m", "CW", t, "599", "05", "599", "13");
    log.m_ownCall = "";
    log.AddQso("JA1ABC", 14025, "20m", "CW", t, "599", "05", "599", "13");
    log.m_callsign = "K1AR/1";
    log.AddQso("JA1ABC", 14025, "20m", "CW", t, "599", "05", "599", "13");
    EXPECT_EQ((std::vector<std::string>{
                  "QSO: 14025 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO: 14025 CW 2026-04-11 0705 K1AR          599 05     JA1ABC        599 13\r\n",
                  "QSO: 14025 CW 2026-04-11 0705 -             599 05     JA1ABC        599 13\r\n",
                  "QSO: 14025 CW 2026-04-11 0705 K1AR/1        599 05     JA1ABC        599 13\r\n",
              }),
              log.m_qsoLines);
}

TEST(CabrilloLine, TheLogsQsosNotExcludedInLogOrderEachTimeAfresh) {
    QsoLog log;
    for (const char* mode : {"SSB", "CW", "cw", "CW"}) {
        CInfo r;
        r.call = std::string("JA1") + mode;
        r.mode = mode;
        r.freqKHz = 7012;
        r.rstSent = r.rstRcvd = "599";
        r.exchSent = "05";
        r.exchRcvd = "13";
        r.excluded = log.size() == 3; // the last one
        log.reserveOne();
        log.append(std::move(r));
    }
    CCabrilloLog cabrillo;
    cabrillo.m_callsign = "K1AR";
    cabrillo.SetQsos(log);
    cabrillo.SetQsos(log);
    EXPECT_EQ((std::vector<std::string>{
                  "QSO:  7012 PH - - K1AR          599 05     JA1SSB        599 13\r\n",
                  "QSO:  7012 CW - - K1AR          599 05     JA1CW         599 13\r\n",
                  "QSO:  7012 ?? - - K1AR          599 05     JA1cw         599 13\r\n",
              }),
              cabrillo.m_qsoLines);
}

TEST(CabrilloReplaceAll, ScansOnceLeftToRight) {
    EXPECT_EQ("a_b_c", ReplaceAll("a/b/c", "/", "_"));
    EXPECT_EQ("xx", ReplaceAll("x", "x", "xx"));  // no rescan of what was put in
    EXPECT_EQ("ba", ReplaceAll("aaa", "aa", "b"));
    EXPECT_EQ("same", ReplaceAll("same", "m", "m"));
    EXPECT_EQ("abc", ReplaceAll("abc", "", "x"));
    EXPECT_EQ("", ReplaceAll("", "a", "b"));
    EXPECT_EQ("l1\r\nSOAPBOX: l2", ReplaceAll(ReplaceAll("l1<CR><LF>l2", "<CR>", "\r\nSOAPBOX: "), "<LF>", ""));
}

} // namespace
