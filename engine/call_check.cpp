// CheckCall0: may the typed station be worked, and would it be a dupe or a repeat multiplier?
#include "engine/contest_engine.h"
#include "engine/contest_state.h"
#include "platform/portable/ascii.h"

CallChecked checkCall(const CallCheckInput& in, bool mainWindowOpen) {
    CallChecked out;
    if (mainWindowOpen) out.postRefresh = g_refreshGate.takeIfOpen();
    const bool olderHost = jidx::isOneOf(g_hostVersion, jidx::kOlderCallCheckHosts);
    const CallAnswer cannotCount = olderHost ? CallAnswer::repeatMultiplier : CallAnswer::cannotCount;
    auto answer = [&out](CallAnswer code) {
        out.code = code;
        return out;
    };

    std::string_view band = in.band ? in.band : "";
    if (in.band && in.otherBand && !ascii::equalsNoCase(in.band, in.otherBand)) return answer(cannotCount);
    if (!isContestBand(band, g_contestMode)) return answer(cannotCount);
    if (olderHost) {
        if (!g_modeList.containsNoCase(in.mode)) return answer(cannotCount);
    } else if (in.mode != jidx::modeRow(g_contestMode).name) {
        return answer(CallAnswer::cannotCount);
    }
    if (isJapanesePrefix(in.prefix) == (g_ownIsJA != 0)) return answer(cannotCount);

    if (g_log.hasCallBandMode(in.call, band, in.mode)) return answer(CallAnswer::dupe);
    if (g_ownIsJA && g_log.hasBandPrefixZone(band, in.prefix, in.zone)) return answer(CallAnswer::repeatMultiplier);
    return answer(CallAnswer::workable);
}
