#include <gtest/gtest.h>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/settings.h"
#include "plugin/window_door.h"
#include "results/html_templates.h"
#include "support/host.h"
#include "ui/info_thread_headless.h"

namespace {

using test::Pass;
using test::readFile;

class PassStartTest : public test::HostTest {};

// The text result of a DX station's CW pass with an empty log: the contest's dates and the own call show.
std::string emptyCwResult(const std::string& dates, const std::string& ownCall) {
    return "    JIDX-CW-CONTEST " + dates + "\r\n\tContestant: " + ownCall +
           " \r\n\tQSOs\tPoints\tCounty\r\nTotal\t 0\t 0\t 0\r\nDupe\t 0\r\nBad QSO\t 0\r\n\r\n"
           "Score: 0*0 = 0\r\n\t\t\tRate\r\nHourly (10min) QSO rate:     0 (0) QSOs/hour\r\n"
           "Hourly (10min) pts rate:     0 (0) points/hour\r\n\r\nLast QSO: 0 points\r\n\r\n" +
           g_creditLine;
}

// What the pass's facts show: the result's title lines, the bad-QSO file named by the contest's end, and the
// windows' view of the pass.
TEST_F(PassStartTest, ShowsTheFactsOfThePass) {
    Pass p;
    p.start = test::at(2017, 1, 7, 0, 0);
    p.end = test::at(2017, 1, 8, 23, 59);
    p.ownCall = "K1AR/P";
    p.hostDir = "./host/";
    test::reset(p);
    EXPECT_EQ("Japan International DX CW Contest UBN file \r\n", readFile("BadQSO_RarurAZIZ_08_01_2017.txt"));
    EXPECT_EQ(emptyCwResult("07.01-08.01.2017", "K1AR/P"), test::result());
    const ui::PassView view = windowDoor().passView();
    EXPECT_EQ(0, view.contestMode);
    EXPECT_FALSE(view.ownIsJA);
    EXPECT_FALSE(view.russianUi);
    EXPECT_EQ("2017", view.startYear);
    EXPECT_EQ("Tarn", g_hostVersion); // no Tarn2.ini in ./host/
}

TEST_F(PassStartTest, EmptiesTheLogButKeepsTheMultiplierLists) {
    test::reset();
    test::add(test::Qso());
    test::result();
    test::reset();
    EXPECT_EQ(0u, g_log.size());
    EXPECT_TRUE(g_bandsWorked.empty());
    EXPECT_EQ(std::vector<std::string>{"13"}, g_multByBand[3]);
    EXPECT_EQ(2, test::check("JA1ABC", "20m", "CW", "JA")); // the index went with the log
}

TEST_F(PassStartTest, OwnPrefixSetsFlagsThatStaySet) {
    struct Case {
        const char* prefix;
        int ja, russian;
    } cases[] = {{"JD", 0, 0}, {"ja", 0, 0}, {"ua", 0, 0}, {"UA2/f", 0, 1}, {"JA", 1, 1}, {"K", 1, 1}};
    for (const auto& c : cases) {
        Pass p;
        p.ownPrefix = c.prefix;
        test::reset(p);
        EXPECT_EQ(c.ja, g_ownIsJA) << c.prefix;
        EXPECT_EQ(c.russian, g_russianUi) << c.prefix;
    }
    for (const char* prefix : {"JD/o", "JD/m"}) {
        g_ownIsJA = 0;
        Pass p;
        p.ownPrefix = prefix;
        test::reset(p);
        EXPECT_EQ(1, g_ownIsJA) << prefix;
    }
    for (const char* prefix : {"UA", "UA2", "UR", "UN", "EU"}) {
        g_russianUi = 0;
        Pass p;
        p.ownPrefix = prefix;
        test::reset(p);
        EXPECT_EQ(1, g_russianUi) << prefix;
    }
}

TEST_F(PassStartTest, StartMarkerOpensTheWindowOnEverySecondPass) {
    test::reset();
    EXPECT_EQ(1, headless::requests().threadStarts);
    EXPECT_EQ("1", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Start", "?"));
    test::reset();
    EXPECT_EQ(1, headless::requests().threadStarts);
    EXPECT_EQ("0", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Start", "?"));
    headless::setWindowOpen(true); // a window already running is never started again
    test::reset();
    EXPECT_EQ(1, headless::requests().threadStarts);
    EXPECT_EQ("1", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Start", "?"));
    headless::setWindowOpen(false); // the marker that pass wrote counts: the next pass starts none
    test::reset();
    EXPECT_EQ(1, headless::requests().threadStarts);
    EXPECT_EQ("0", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Start", "?"));
    test::reset();
    EXPECT_EQ(2, headless::requests().threadStarts);
}

TEST_F(PassStartTest, ExportPassNeverStartsTheWindowAndLeavesTheMarkerAtZero) {
    Pass p;
    p.exportPass = 1;
    test::reset(p);
    EXPECT_EQ(0, headless::requests().threadStarts);
    EXPECT_EQ(1, g_exportPass);
    EXPECT_EQ("0", platform::profileRead("Plugins/VU-VO.ini", "Settings", "Start", "?"));
    test::reset(); // the marker at zero: the next ordinary pass opens the window
    EXPECT_EQ(1, headless::requests().threadStarts);
}

TEST_F(PassStartTest, ModeComesFromTheSettingsAndSetsTheHeader) {
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "1");
    test::reset();
    EXPECT_EQ(1, g_contestMode);
    EXPECT_EQ("Japan International DX SSB Contest UBN file \r\n", readFile(test::kBadQsoFile));
    platform::profileWrite("Plugins/VU-VO.ini", "Settings", kModeKey, "0");
    test::reset();
    EXPECT_EQ(0, g_contestMode);
}

TEST_F(PassStartTest, HostVersionComesFromTheTarnLine) {
    std::filesystem::create_directory("host");
    Pass p;
    p.hostDir = "host/";
    struct Case {
        const char* content;
        const char* version;
        int starts;
    } cases[] = {
        {"[Main]\r\nTarn=2.19\r\n", "2.19", 1},
        {"[Main]\nTarn=2.14R\n", "2.14R", 0},
        {"xTarn=2.18\r\nTarn=2.0\r\n", "=2.18", 1},
        {"Tarn=2.18", "2.18", 0},
    };
    test::writeFile("host/Tarn2.ini", "");
    for (const auto& c : cases) {
        test::writeFile("Tarn2.ini", c.content); // read from the current folder, found through the host's
        platform::profileWrite("Plugins/VU-VO.ini", "Settings", "Start", "0");
        headless::clearRequests();
        test::reset(p);
        EXPECT_EQ(c.version, g_hostVersion) << c.content;
        EXPECT_EQ(c.starts, headless::requests().threadStarts) << c.content;
    }
    test::writeFile("Tarn2.ini", "nothing here\r\n");
    test::reset(p);
    EXPECT_EQ("2.18", g_hostVersion); // kept from the pass before
    std::filesystem::remove("Tarn2.ini");
    test::reset(p);
    EXPECT_EQ("2.18", g_hostVersion);
    std::filesystem::remove("host/Tarn2.ini");
    test::writeFile("host/other.INI", "");
    test::reset(p);
    EXPECT_EQ("Tarn", g_hostVersion);
}

TEST_F(PassStartTest, NullParametersGiveEmptyTextsAndNullDates) {
    EXPECT_EQ(1, ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr));
    EXPECT_EQ(emptyCwResult("-", ""), test::result());
    EXPECT_EQ("Japan International DX CW Contest UBN file \r\n", readFile("BadQSO_RarurAZIZ_.txt"));
}

TEST_F(PassStartTest, BeforeAnyPassNothingIsWrittenAndNothingBreaks) {
    test::Qso q;
    EXPECT_EQ(1, test::add(q));
    test::remove(q);
    EXPECT_EQ(0u, g_log.size());
    EXPECT_NE("(null)", test::result());
    EXPECT_EQ(1u, std::distance(std::filesystem::directory_iterator("."), {})); // only Plugins/
}

TEST_F(PassStartTest, UnwritableBadQsoFileIsSkippedSilently) {
    std::filesystem::create_directory(test::kBadQsoFile); // a folder takes the name
    test::reset();
    EXPECT_EQ(1, test::add(test::Qso()));
    test::Qso dupe;
    EXPECT_EQ(1, test::add(dupe));
    EXPECT_TRUE(std::filesystem::is_directory(test::kBadQsoFile));
}

} // namespace
