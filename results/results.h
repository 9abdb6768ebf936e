// GetResult0 and CheckCall0 behind the exports. Callers hold the state lock where they read the state; texts are
// never null here.
#pragma once
#include <string>
#include <string_view>

#include "results/result_tally.h"

extern std::string g_resultText;
extern int g_badQsoLines;
extern long long g_claimedScore; // the score of the latest result, claimed by an export's Cabrillo log

// Keeps the score of the latest result and stores it in the settings, where the next header dialog shows it.
void storeClaimedScore(long long score);

struct CallCheckInput {
    std::string_view call;
    std::string_view mode;
    std::string_view prefix;
    int zone = 0;
    const char* band = nullptr;       // may be null
    const char* otherBand = nullptr;  // may be null
};

struct CallChecked {
    int code = 4;             // 0 dupe, 1 repeat multiplier (or cannot count, older host), 2 workable, 4 cannot count
    bool postRefresh = false; // the refresh gate was open and is now closed: post a live update to the window
};
CallChecked checkCall(const CallCheckInput& in, bool mainWindowOpen);

// The results room's part of the plug-in's one reset.
void resetResults();
