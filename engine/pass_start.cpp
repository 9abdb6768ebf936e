// ResetStats0: the start of a statistics pass.
#include <string>

#include "engine/contest_engine.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/files.h"

namespace {

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

PassBegun beginPass(const PassStart& pass) {
    g_hostDir = pass.hostDir;
    g_startDayMonth = pass.start.Format("%d.%m");
    g_startYear = pass.start.Format("%Y");
    g_endDate = pass.end.Format("%d.%m.%Y");
    findHostVersion();
    g_log.clear();
    g_ownPrefix = pass.ownPrefix;
    g_ownCall = pass.ownCall;
    // Set, never cleared: once a pass had a Russian or Japanese own prefix, the windows stay Russian and the
    // station JA until the library is loaded again. The system's own behaviour.
    if (jidx::isOneOf(g_ownPrefix, jidx::kRussianPrefixes)) g_russianUi = 1;
    if (isJapanesePrefix(g_ownPrefix)) g_ownIsJA = 1;
    g_bandsWorked.clear();
    for (int k = 0; k < kBandCount; ++k) g_prevQsoRows[k] = {g_bandList[k], "-", "-", "-"};

    g_exportPass = pass.exportPass;
    PassBegun begun;
    if (g_exportPass) {
        begun.askHeader = true;
        g_contestMode = settingsReadInt("Mode"); // the header dialog offers the contest's mode
        begun.contestMode = g_contestMode;
    }
    return begun;
}

bool decideWindowStart(bool mainWindowOpen) {
    if (g_exportPass) settingsWrite("Start", "1");
    g_startFlag = settingsReadInt("Start");
    g_contestMode = settingsReadInt("Mode");
    if (g_startFlag != 0) {
        settingsWrite("Start", "0");
        return false;
    }
    // The marker is written whether or not a thread starts: windows come up on every second pass at most.
    settingsWrite("Start", "1");
    return !mainWindowOpen && !jidx::isOneOf(g_hostVersion, jidx::kHostsWithoutWindows);
}

void finishPass(const PassStart& pass) {
    g_badQsoFileName = "BadQSO_RarurAZIZ_" + pass.end.Format("%d_%m_%Y") + ".txt";
    rewriteBadQsoFile();
}
