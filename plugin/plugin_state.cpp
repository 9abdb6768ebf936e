#include "plugin/plugin_state.h"

#include "cabrillo/cabrillo_log.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "plugin/state_lock.h"
#include "results/results.h"
#include "ui/info_thread.h"

// The library's load constructs the globals in these states; tests come back to them with this.
void resetPluginState() {
    std::lock_guard lock(stateMutex());
    resetContestState();
    resetSettings();
    resetResults();
    g_cabrillo = CCabrilloLog();
    resetWindowState();
}
