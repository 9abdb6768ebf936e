// The plug-in's files while another program holds them (a viewer watching the bad-QSO file, a virus scanner or a
// sync client at the settings file): every pass counts its own problems, no line is lost, a failed read rewrites
// nothing, and what the file could not take yet follows as soon as it can.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/contest_settings.h"
#include "platform/posix/message_log.h"
#include "support/held_file.h"
#include "support/host.h"

namespace {

using test::add;
using test::Hold;
using test::kBadQsoFile;
using test::Qso;
using test::readFile;

const std::string kSettings = "Plugins/VU-VO.ini";
const std::string kTrouble =
    "The bad-QSO file BadQSO_RarurAZIZ_12_04_2026.txt cannot be written: another program may hold it, or the disk "
    "may be full. Its lines are kept and go into the file as soon as it can be written; \"Bad QSO\" counts them "
    "all.";

Qso qso(const char* call, int minute, const char* band = "20m", const char* prefix = "JA") {
    Qso q;
    q.call = call;
    q.time = test::at(2026, 4, 11, 12, minute);
    q.band = band;
    q.prefix = prefix;
    return q;
}

// Three problems of three kinds, and two good QSOs.
const std::vector<Qso> kLog = {qso("JA1AAA", 0), qso("JA1AAA", 1), qso("UA1BBB", 2, "20m", "UA"),
                               qso("JA2CCC", 3, "30m"), qso("JA3DDD", 4, "40m")};

struct Outputs {
    std::string result, badQsoFile;
};

class HeldFiles : public test::HostTest {
protected:
    // The pass over kLog, its result text and the file it leaves.
    Outputs pass() {
        test::reset();
        for (const Qso& q : kLog) add(q);
        const std::string result = test::result();
        return {result, readFile(kBadQsoFile)};
    }
    void SetUp() override {
        HostTest::SetUp();
        clean = pass();
        ASSERT_NE(std::string::npos, clean.result.find("Dupe\t 1\r\nBad QSO\t 2\r\n")) << clean.result;
        ASSERT_EQ(4, std::count(clean.badQsoFile.begin(), clean.badQsoFile.end(), '\n'));
    }
    Outputs clean;
};

TEST_F(HeldFiles, AViewerHoldingTheBadQsoFileChangesNothingPassAfterPass) {
    test::HeldFile viewer(kBadQsoFile, Hold::likeViewer);
    for (int round = 0; round < 3; ++round) {
        const Outputs held = pass();
        EXPECT_EQ(clean.result, held.result) << round;
        EXPECT_EQ(clean.badQsoFile, held.badQsoFile) << round;
    }
    test::remove(kLog[2]);
    EXPECT_EQ(clean.badQsoFile.substr(0, clean.badQsoFile.find("QSO:  14025  CW  2026-04-11 1202")) +
                  clean.badQsoFile.substr(clean.badQsoFile.find("QSO:  14025  CW  2026-04-11 1203")),
              readFile(kBadQsoFile));
    EXPECT_TRUE(platform::takeShownMessages().empty());
}

TEST_F(HeldFiles, AFileHeldWholeIsLeftAloneCountedRightToldOnceAndWrittenWhenLetGo) {
    // The file as an earlier pass left it, with more lines than this one has.
    test::reset();
    for (int i = 0; i < 6; ++i) add(qso("JA1AAA", 0));
    test::result();
    const std::string earlier = readFile(kBadQsoFile);
    test::HeldFile scanner(kBadQsoFile, Hold::exclusively);
    test::reset();
    for (const Qso& q : kLog) add(q);
    EXPECT_EQ(clean.result, test::result());
    test::result();
    add(qso("JA4EEE", 9, "17m"));
    EXPECT_EQ((std::vector<std::string>{kTrouble}), platform::takeShownMessages()); // once in the pass
    scanner.release();
    EXPECT_EQ(earlier, readFile(kBadQsoFile)); // (a scanner that shares nothing keeps the test out too)
    add(qso("JA4EEE", 9, "17m"));
    EXPECT_NE(std::string::npos, test::result().find("Bad QSO\t 4\r\n"));
    EXPECT_EQ(clean.badQsoFile +
              "QSO:  14025  CW  2026-04-11 1209  K1AR  599  05  JA4EEE  599  13   WRONG BAND !!!\r\n"
              "QSO:  14025  CW  2026-04-11 1209  K1AR  599  05  JA4EEE  599  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
    EXPECT_TRUE(platform::takeShownMessages().empty());
}

// A removal reads nothing back: while the file can be neither read nor written it stays as it is, and the other
// QSOs' lines are all there when it is written again.
TEST_F(HeldFiles, ARemovalWhileTheFileCannotBeReadLosesNoOtherLine) {
    const std::string before = readFile(kBadQsoFile);
    test::HeldFile scanner(kBadQsoFile, Hold::exclusively);
    test::remove(kLog[1]);
    scanner.release();
    EXPECT_EQ(before, readFile(kBadQsoFile));
    test::result();
    EXPECT_EQ("Japan International DX CW Contest UBN file \r\n"
              "QSO:  14025  CW  2026-04-11 1202  K1AR  599  05  UA1BBB  599  13   QSO 0 points !!!\r\n"
              "QSO:  14025  CW  2026-04-11 1203  K1AR  599  05  JA2CCC  599  13   WRONG BAND !!!\r\n",
              readFile(kBadQsoFile));
}

// The settings held while the score changes: the new score waits, is read back meanwhile, and goes into the file
// with the next settings write that can be made.
TEST_F(HeldFiles, SettingsThatCannotBeWrittenWaitAndAreReadMeanwhile) {
    const std::string stored = readFile(kSettings);
    ASSERT_EQ("[Settings]\r\nStart=1\r\nClaimed=4\r\n", stored);
    {
        test::HeldFile scanner(kSettings, Hold::likeViewer);
        add(qso("JA5FFF", 10, "40m"));
        test::result();
        EXPECT_TRUE(settingsWaiting());
        EXPECT_EQ("6", settingsRead("Claimed"));
        test::reset(); // the start marker's turn is taken from what waits
        scanner.release();
        EXPECT_EQ(stored, readFile(kSettings));
    }
    EXPECT_EQ("0", settingsRead("Start"));
    EXPECT_FALSE(settingsWaiting());
    EXPECT_EQ("[Settings]\r\nStart=0\r\nClaimed=6\r\n", readFile(kSettings));
}

TEST_F(HeldFiles, SettingsThatCannotBeReadAreNotRewritten) {
    const std::string stored = readFile(kSettings);
    {
        test::HeldFile scanner(kSettings, Hold::exclusively);
        settingsWrite("Operators", "K1AR");
        EXPECT_EQ("K1AR", settingsRead("Operators"));
    }
    EXPECT_EQ("K1AR", settingsRead("Operators")); // the next settings call writes what waited
    EXPECT_EQ(stored + "Operators=K1AR\r\n", readFile(kSettings));
}

} // namespace
