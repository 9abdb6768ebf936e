// ResetStats0: the start of a statistics pass.
#include <string>

#include "cabrillo/cabrillo_log.h"
#include "engine/contest_engine.h"
#include "engine/contest_state.h"
#include "platform/files.h"
#include "ui/info_thread.h"

namespace {

bool isRussianPrefix(std::string_view p) {
    return p == "UA" || p == "UA2" || p == "UA2/f" || p == "UR" || p == "UN" || p == "EU";
}

bool isOldHostWithoutWindows(const std::string& v) {
    return v == "2.18" || v == "2.17" || v == "2.16" || v == "2.15" || v == "2.14" || v == "2.14R";
}

// The host's version: the "Tarn=" line of its ini file, found through the host folder's listing but read
// from the current folder, as the host keeps it there. Leaves the old value when the file or the line is
// missing.
void findHostVersion() {
    bool found = false;
    for (const auto& name : platform::listDirectory(g_hostDir + "*.ini"))
        if (name.find("Tarn2.ini") != std::string::npos) {
            found = true;
            break;
        }
    if (!found) {
        g_hostVersion = "Tarn";
        return;
    }
    std::vector<std::string> lines;
    if (!platform::readLines("Tarn2.ini", lines)) return;
    for (const auto& line : lines)
        if (line.find("Tarn=") != std::string::npos) {
            g_hostVersion = line.size() > 5 ? line.substr(5) : std::string();
            return;
        }
}

} // namespace

void resetStats(const PassStart& pass, std::unique_lock<std::mutex>& lock) {
    g_hostDir = pass.hostDir;
    g_startDayMonth = pass.start.Format("%d.%m");
    g_startYear = pass.start.Format("%Y");
    g_endDate = pass.end.Format("%d.%m.%Y");
    findHostVersion();
    g_log.clear();
    g_ownPrefix = pass.ownPrefix;
    g_ownCall = pass.ownCall;
    if (isRussianPrefix(g_ownPrefix)) g_russianUi = 1;
    if (isJapanesePrefix(g_ownPrefix)) g_ownIsJA = 1;
    g_bandsWorked.clear();
    for (int k = 0; k < kBandCount; ++k) g_prevQsoRows[k] = {g_bandList[k], "-", "-", "-"};

    g_exportPass = pass.exportPass;
    if (g_exportPass) {
        g_contestMode = settingsReadInt("Mode"); // the header dialog offers the contest's mode
        // The dialog is modal: the window thread must be able to read the state meanwhile.
        lock.unlock();
        g_cabrillo.Begin(g_ownCall, pass.start, pass.end);
        lock.lock();
        settingsWrite("Start", "1");
    }
    g_startFlag = settingsReadInt("Start");
    g_contestMode = settingsReadInt("Mode");
    if (g_startFlag == 0) {
        if (!infoWindowOpen() && !isOldHostWithoutWindows(g_hostVersion)) {
            lock.unlock();
            StartInfoThread();
            lock.lock();
        }
        settingsWrite("Start", "1");
    } else {
        settingsWrite("Start", "0");
    }

    g_badQsoFileName = "BadQSO_RarurAZIZ_" + pass.end.Format("%d_%m_%Y") + ".txt";
    closeBadQsoFile();
    platform::writeWholeFile(g_badQsoFileName, badQsoHeader());
}
