// What the window thread asks of the contest state: copies of what the windows show, and its two changes (the
// contest mode, the refresh gate). Owned by the window half, implemented by the plug-in over the state and its
// lock, and handed to the window half when its thread starts.
// Contract: every operation may be called from the window thread at any time while the plug-in is loaded; it
// holds the state lock for no longer than its copy or change, never waits for the host's thread, never calls the
// host, and never throws for anything the state holds.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/contest_mode.h"
#include "engine/jidx_rules.h"

namespace ui {

// The facts of the pass that the windows show.
struct PassView {
    int contestMode = 0; // 0 CW, otherwise SSB
    bool ownIsJA = false;
    bool russianUi = false;
    std::string startYear;
};

// The latest QSO of the log with exactly this call on a band.
struct PreviousQso {
    bool found = false;
    std::string time; // "%H:%M"
    std::string mode;
    std::string code; // the multiplier code
};
using PreviousQsos = std::array<PreviousQso, jidx::kBandCount>;

// What the latest result found worked on a band: its multiplier codes and, for a JA station, its DXCC prefixes,
// in the order found.
struct BandWorked {
    std::vector<std::string> multipliers;
    std::vector<std::string> dxcc;
};

class ContestDoor {
public:
    virtual ~ContestDoor() = default;
    virtual PassView passView() = 0;
    // Nothing found for an empty call.
    virtual PreviousQsos previousQsos(std::string_view call) = 0;
    // Band 0..5; nothing for any other.
    virtual BandWorked bandWorked(int band) = 0;
    // The contest mode (0 CW, otherwise SSB) as the main window sets it: stored, then judged in. With the
    // operator's switch the pass's bad-QSO file starts again with the new mode's title in the same step, so that
    // the lines that follow are judged and titled alike. False when the settings file did not take it: then
    // nothing changed. May wait a moment for the settings file (never for the host's thread).
    virtual bool changeContestMode(int contestMode, ModeChange change) = 0;
    // Open: the next call check may ask for a live update.
    virtual void setRefreshGate(bool open) = 0;
};

} // namespace ui
