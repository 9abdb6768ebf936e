// The host's door into the plug-in: every call catches everything, holds the state lock only while the engine
// works, and does what may wait or reach the window thread (the header dialog, the message box, the thread's
// start, the grid reset, the refresh) with the lock let go, in the order the operations ask for.
#include "plugin/plugin_exports.h"

#include <mutex>

#include "cabrillo/cabrillo_log.h"
#include "engine/bad_qso_file.h"
#include "engine/contest_engine.h"
#include "engine/contest_mode.h"
#include "engine/jidx_rules.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/header_dialog.h"
#include "platform/message_box.h"
#include "plugin/state_lock.h"
#include "plugin/window_door.h"
#include "results/results.h"
#include "ui/info_thread.h"

namespace {

std::string_view text(const char* s) { return s ? std::string_view(s) : std::string_view(); }
COleDateTime date(const COleDateTime* d) { return d ? *d : COleDateTime(); }

QsoInput qsoInput(const char* myCall, const char* call, const COleDateTime* time, unsigned freqHz, const char* mode,
                  const char* rstSent, const char* rstRcvd, const char* exchSent, const char* exchRcvd,
                  const char* prefix, const char* hostText, const char* band) {
    QsoInput q;
    q.myCall = text(myCall);
    q.call = text(call);
    q.time = date(time);
    q.freqHz = freqHz;
    q.mode = text(mode);
    q.rstSent = text(rstSent);
    q.rstRcvd = text(rstRcvd);
    q.exchSent = text(exchSent);
    q.exchRcvd = text(exchRcvd);
    q.prefix = text(prefix);
    q.hostText = text(hostText);
    q.band = text(band);
    return q;
}

int oneSet() { return 1; }

// The Cabrillo header of an export pass: from the settings, through the operator, back into the settings. The
// dialog is modal and the operator takes his time: the window thread must not wait for him.
void askExportHeader(const std::string& ownCall, int contestMode) {
    platform::HeaderDialogValues values = g_cabrillo.Begin(ownCall, contestMode);
    const platform::HeaderDialogOutcome outcome = platform::runHeaderDialog(values);
    g_cabrillo.Confirm(outcome, values);
}

} // namespace

extern "C" {

int VUVO_API GetNumberOfSets(void) { return oneSet(); }

int VUVO_API GetExchgCount0(const char*, const char*, const char*) { return oneSet(); }

const char* VUVO_API GetSetName(int set) { return set == 0 ? "VU-VO Contest (C)" : ""; }

void VUVO_API SetupSet0(void) {
    try {
        platform::showMessage("No additional setup for this contest", "", platform::MessageIcon::none,
                              platform::MessageOwner::none);
    } catch (...) {
    }
}

unsigned long VUVO_API setVersion(const char*) {
    try {
        std::lock_guard lock(stateMutex());
        g_versionCalled = 1;
    } catch (...) {
    }
    return 0;
}

int VUVO_API ResetStats0(const char* hostDir, int exportPass, const char* ownCall, COleDateTime* contestStart,
                         COleDateTime* contestEnd, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char* ownPrefix, int, int, int,
                         double, double, const char*, const char*, const char*) {
    try {
        PassStart pass;
        pass.hostDir = text(hostDir);
        pass.exportPass = exportPass;
        pass.ownCall = text(ownCall);
        pass.start = date(contestStart);
        pass.end = date(contestEnd);
        pass.ownPrefix = text(ownPrefix);
        std::unique_lock lock(stateMutex());
        const PassBegun begun = beginPass(pass);
        lock.unlock();
        if (begun.askHeader) askExportHeader(std::string(pass.ownCall), begun.contestMode);
        lock.lock();
        const bool startWindows = decideWindowStart(infoWindowOpen());
        lock.unlock();
        // The window opens in the mode its settings give and tells the host so: the pass that starts it judges
        // every QSO, and titles its bad-QSO file, in that mode, whichever thread runs first. A settings file that
        // does not take it keeps the stored mode, for the pass and the window alike.
        if (startWindows && windowThreadOpensWindows()) {
            const int mode = windowStartMode();
            if (storeContestMode(mode, ModeChange::windowStart)) {
                lock.lock();
                judgeInMode(mode, ModeChange::windowStart);
                lock.unlock();
            }
        }
        if (startWindows) StartInfoThread(windowDoor());
        lock.lock();
        finishPass(pass);
    } catch (...) {
        // All or nothing: whatever failed, the old pass's log and lines are gone, and the next pass starts clean.
        try {
            std::lock_guard lock(stateMutex());
            emptyPass();
        } catch (...) {
        }
    }
    return 1;
}

int VUVO_API AddData0(const char* myCall, const char* call, COleDateTime* time, COleDateTime*, COleDateTime*,
                      COleDateTime*, unsigned, unsigned freqHz, const char* mode, const char* rstSent,
                      const char* rstRcvd, const char* exchSent, const char* exchRcvd, const char*, const char*,
                      const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                      const char* prefix, int, int, int, double, double, const char*, const char* hostText,
                      const char*, const char* band, const char*) {
    try {
        QsoInput q = qsoInput(myCall, call, time, freqHz, mode, rstSent, rstRcvd, exchSent, exchRcvd, prefix,
                              hostText, band);
        std::lock_guard lock(stateMutex());
        return addData(q);
    } catch (...) {
        return 0;
    }
}

int VUVO_API RemoveData0(const char* myCall, const char* call, COleDateTime* time, COleDateTime*, COleDateTime*,
                         COleDateTime*, unsigned, unsigned freqHz, const char* mode, const char* rstSent,
                         const char* rstRcvd, const char* exchSent, const char* exchRcvd, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char* prefix, int, int, int, double, double, const char*,
                         const char* hostText, const char*, const char* band, const char*) {
    try {
        QsoInput q = qsoInput(myCall, call, time, freqHz, mode, rstSent, rstRcvd, exchSent, exchRcvd, prefix,
                              hostText, band);
        Removed removed;
        {
            std::lock_guard lock(stateMutex());
            removed = removeData(q);
        }
        // The grids' reset goes ahead of the refresh that marks them again.
        if (removed.fromLog) resetGridWindows();
        postInfoRefresh();
    } catch (...) {
    }
    return 1;
}

int VUVO_API CheckCall0(const char* call, unsigned, unsigned, const char* mode, const char*, const char*,
                        const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                        const char* prefix, int zone, int, int, double, double, const char*, const char*,
                        const char*, const char*, const char*, const char* band, const char* otherBand, char*,
                        char*) {
    try {
        CallCheckInput in;
        in.call = text(call);
        in.mode = text(mode);
        in.prefix = text(prefix);
        in.zone = zone;
        in.band = band;
        in.otherBand = otherBand;
        CallChecked checked;
        {
            std::lock_guard lock(stateMutex());
            checked = checkCall(in, infoWindowOpen());
        }
        if (checked.postRefresh) postInfoRefresh();
        return static_cast<int>(checked.code);
    } catch (...) {
        return static_cast<int>(CallAnswer::cannotCount); // the safe answer when nothing is known
    }
}

int VUVO_API IsValidExchg0(const char* exchange, const char*, const char*, const char*, int, int, int) {
    return isValidExchange(text(exchange));
}

const char* VUVO_API GetResult0(int* status) {
    try {
        ResultTally tally;
        {
            std::lock_guard lock(stateMutex());
            tally = tallyResult();
            // The Cabrillo log's QSO lines come from the very log the tally counted.
            if (tally.exporting) g_cabrillo.SetQsos(g_log);
        }
        // Only the host's thread touches what follows: the text it gets, the score, the Cabrillo log.
        g_resultText = tally.html ? renderHtml(tally) : renderText(tally);
        storeClaimedScore(tally.score);
        if (tally.badQsoFileTrouble)
            platform::showMessage(badQsoFileTroubleText(tally.badQsoFileName), "Bad QSO",
                                  platform::MessageIcon::information);
        if (tally.exporting) {
            const std::string message = g_cabrillo.Write(g_claimedScore);
            platform::showMessage(message, "Output", platform::MessageIcon::information);
            if (status) *status = -1;
        }
        return g_resultText.c_str();
    } catch (...) {
        return "";
    }
}

} // extern "C"
