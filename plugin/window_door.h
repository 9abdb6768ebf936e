// The window thread's door into the contest state: it takes copies of what it shows and makes its own two
// changes, each under the state lock for no longer than the copy or the change takes. Nothing here waits for the
// host's thread or calls the host.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/jidx_rules.h"

namespace window_door {

// The facts of the pass that the windows show.
struct PassView {
    int contestMode = 0; // 0 CW, otherwise SSB
    bool ownIsJA = false;
    bool russianUi = false;
    std::string startYear;
};
PassView passView();

// The latest QSO of the log with exactly this call on a band.
struct PreviousQso {
    bool found = false;
    std::string time; // "%H:%M"
    std::string mode;
    std::string code; // the multiplier code
};
using PreviousQsos = std::array<PreviousQso, jidx::kBandCount>;
PreviousQsos previousQsos(std::string_view call);

// What the latest result found worked on a band (0..5): its multiplier codes and, for a JA station, its DXCC
// prefixes, in the order found.
struct BandWorked {
    std::vector<std::string> multipliers;
    std::vector<std::string> dxcc;
};
BandWorked bandWorked(int band);

// The contest mode (0 CW, otherwise SSB) as the main window sets it. With restartBadQsoFile (the operator's
// switch) the pass's bad-QSO file starts again with the new mode's header in the same step, so that the lines
// that follow are judged and titled alike.
void setContestMode(int contestMode, bool restartBadQsoFile = false);

// The refresh gate: 1 lets the next CheckCall0 ask for a live update.
void setRefreshGate(int open);

} // namespace window_door
