// CheckCall0: may the typed station be worked, and would it be a dupe or a repeat multiplier?
#include "engine/contest_state.h"
#include "results/results.h"
#include "ui/info_thread.h"

int checkCall(const CallCheckInput& in) {
    if (infoWindowOpen() && g_refreshPending) {
        g_refreshPending = 0;
        postInfoRefresh();
    }
    const bool olderHost = g_hostVersion == "2.19" || g_hostVersion == "2.20";
    const int cannotCount = olderHost ? 1 : 4;

    std::string_view band = in.band ? in.band : "";
    if (in.band && in.otherBand && !equalsNoCase(in.band, in.otherBand)) return cannotCount;
    if (!g_bandList.containsNoCase(band)) return cannotCount;
    if (olderHost) {
        if (!g_modeList.containsNoCase(in.mode)) return 1;
    } else if (in.mode != (g_contestMode == 0 ? "CW" : "SSB")) {
        return 4;
    }
    if (isJapanesePrefix(in.prefix) == (g_ownIsJA != 0)) return cannotCount;

    if (g_log.hasCallBandMode(in.call, band, in.mode)) return 0;
    if (g_ownIsJA && g_log.hasBandPrefixZone(band, in.prefix, in.zone)) return 1;
    return 2;
}
