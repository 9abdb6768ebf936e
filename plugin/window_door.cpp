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
    // The log's index answers without a walk: the latest record with the call on each band.
    for (int band = 0; band < kBandCount; ++band) {
        const long at = g_log.latestWithCallOnBand(call, jidx::kBands[band].name);
        if (at < 0) continue;
        const CInfo& q = g_log[static_cast<std::size_t>(at)];
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
