#include "engine/contest_mode.h"

#include "engine/bad_qso_file.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "engine/jidx_rules.h"

int windowStartMode() { return settingsReadInt(kModeCwBoxKey) != 0 ? 0 : 1; }

int storedContestMode() { return settingsReadInt(kModeKey); }

void judgeInMode(int contestMode, ModeChange change) noexcept {
    g_contestMode = contestMode;
    if (change == ModeChange::operatorSwitch) g_badQsoFile.retitle(jidx::modeRow(contestMode).badQsoTitle);
}

bool storeContestMode(int contestMode, ModeChange change) {
    const char* const mode = jidx::modeRow(contestMode).settingsValue;
    if (change != ModeChange::operatorSwitch) return settingsWriteNow({{kModeKey, mode}});
    // The new mode's box first: a settings file that had neither box keeps them in this order.
    const bool cw = jidx::isCwMode(contestMode);
    return settingsWriteNow({{cw ? kModeCwBoxKey : kModeSsbBoxKey, "1"},
                             {kModeKey, mode},
                             {cw ? kModeSsbBoxKey : kModeCwBoxKey, "0"}});
}
