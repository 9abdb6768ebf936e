// ResetStats0: the start of a statistics pass.
#include <string>

#include "engine/bad_qso_file.h"
#include "engine/contest_engine.h"
#include "engine/contest_mode.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/files.h"

namespace {

// The host's version: the "Tarn=" line of its ini file, found through the host folder's listing but read
// from the current folder, as the host keeps it there. The bare name "Tarn" when no .ini file of the host
// folder has "Tarn2.ini" in its name; the old value when the current folder's Tarn2.ini cannot be read or has no
// such line.
void findHostVersion(const std::string& hostDir, std::string& version) {
    bool found = false;
    for (const auto& name : platform::listDirectory(hostDir + "*.ini"))
        if (name.find("Tarn2.ini") != std::string::npos) {
            found = true;
            break;
        }
    if (!found) {
        version = "Tarn";
        return;
    }
    std::vector<std::string> lines;
    if (!platform::readLines("Tarn2.ini", lines)) return;
    for (const auto& line : lines)
        if (line.find("Tarn=") != std::string::npos) {
            version = line.size() > 5 ? line.substr(5) : std::string();
            return;
        }
}

} // namespace

void emptyPass() noexcept {
    g_log.clear();
    g_bandsWorked.clear();
    g_badQsoFile.detach();
}

// Everything of the new pass is made first; the state takes it only when all of it is there, in steps that
// cannot fail.
PassBegun beginPass(const PassStart& pass) {
    const std::string hostDir(pass.hostDir);
    std::string startDayMonth = pass.start.Format("%d.%m");
    std::string startYear = pass.start.Format("%Y");
    std::string endDate = pass.end.Format("%d.%m.%Y");
    std::string hostVersion = g_hostVersion;
    findHostVersion(hostDir, hostVersion);
    std::string ownPrefix(pass.ownPrefix);
    std::string ownCall(pass.ownCall);
    const int contestMode = storedContestMode();

    emptyPass();
    g_startDayMonth.swap(startDayMonth);
    g_startYear.swap(startYear);
    g_endDate.swap(endDate);
    g_hostVersion.swap(hostVersion);
    g_ownPrefix.swap(ownPrefix);
    g_ownCall.swap(ownCall);
    // Set, never cleared: once a pass had a Russian or Japanese own prefix, the windows stay Russian and the
    // station JA until the library is loaded again. The system's own behaviour.
    if (jidx::isOneOf(g_ownPrefix, jidx::kRussianPrefixes)) g_russianUi = 1;
    if (isJapanesePrefix(g_ownPrefix)) g_ownIsJA = 1;
    g_exportPass = pass.exportPass;
    judgeInMode(contestMode, ModeChange::passStart);

    PassBegun begun;
    begun.askHeader = g_exportPass != 0; // an export pass: the header dialog offers the contest's mode
    begun.contestMode = g_contestMode;
    return begun;
}

bool decideWindowStart(bool mainWindowOpen) {
    if (g_exportPass) settingsWrite("Start", "1");
    if (settingsReadInt("Start") != 0) {
        settingsWrite("Start", "0");
        return false;
    }
    // The marker is written whether or not a thread starts: windows come up on every second pass at most.
    settingsWrite("Start", "1");
    return !mainWindowOpen && !jidx::isOneOf(g_hostVersion, jidx::kHostsWithoutWindows);
}

void finishPass(const PassStart& pass) {
    g_badQsoFile.restart("BadQSO_RarurAZIZ_" + pass.end.Format("%d_%m_%Y") + ".txt",
                         jidx::modeRow(g_contestMode).badQsoTitle);
}
