#include "plugin/window_door.h"

#include "engine/contest_mode.h"
#include "engine/contest_state.h"
#include "plugin/state_lock.h"

namespace {

class StateDoor : public ui::ContestDoor {
public:
    ui::PassView passView() override {
        std::lock_guard lock(stateMutex());
        return {g_contestMode, g_ownIsJA != 0, g_russianUi != 0, g_startYear};
    }

    ui::PreviousQsos previousQsos(std::string_view call) override {
        ui::PreviousQsos rows;
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

    ui::BandWorked bandWorked(int band) override {
        if (band < 0 || band >= kBandCount) return {};
        std::lock_guard lock(stateMutex());
        return {g_multByBand[band], g_dxccByBand[band]};
    }

    bool changeContestMode(int contestMode, ModeChange change) override {
        // Stored first, without the lock: the file may make it wait a moment.
        if (!storeContestMode(contestMode, change)) return false;
        std::lock_guard lock(stateMutex());
        judgeInMode(contestMode, change);
        return true;
    }

    void setRefreshGate(bool open) override {
        std::lock_guard lock(stateMutex());
        if (open)
            g_refreshGate.open();
        else
            g_refreshGate.close();
    }
};

} // namespace

// Never destroyed: a window thread that outlives the globals at process exit may still knock.
ui::ContestDoor& windowDoor() {
    static ui::ContestDoor* const door = new StateDoor;
    return *door;
}
