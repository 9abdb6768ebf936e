#include "plugin/window_door.h"

#include "engine/contest_state.h"
#include "plugin/state_lock.h"

namespace window_door {

PassView passView() {
    std::lock_guard lock(stateMutex());
    return {g_contestMode, g_ownIsJA != 0, g_russianUi != 0, g_startYear};
}

PreviousQsos previousQsos(std::string_view call) {
    PreviousQsos rows;
    if (call.empty()) return rows;
    std::lock_guard lock(stateMutex());
    for (const CInfo& q : g_log) {
        if (q.call != call) continue;
        const int band = bandIndexOf(q.band);
        if (band >= kBandCount) continue;
        rows[band] = {true, q.time.Format("%H:%M"), q.mode, q.multCode};
    }
    return rows;
}

BandWorked bandWorked(int band) {
    if (band < 0 || band >= kBandCount) return {};
    std::lock_guard lock(stateMutex());
    return {g_multByBand[band], g_dxccByBand[band]};
}

void setContestMode(int contestMode, bool restartBadQsoFile) {
    std::lock_guard lock(stateMutex());
    g_contestMode = contestMode;
    if (restartBadQsoFile) rewriteBadQsoFile();
}

void setRefreshGate(int open) {
    std::lock_guard lock(stateMutex());
    g_refreshPending = open;
}

} // namespace window_door
