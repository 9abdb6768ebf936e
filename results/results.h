// GetResult0 and CheckCall0 behind the exports. Callers hold the state lock where they read the state; texts are
// never null here.
#pragma once
#include <string>
#include <string_view>

#include "results/result_tally.h"

extern std::string g_resultText;
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

// CheckCall0's answers, with the values the host reads. Older hosts read repeatMultiplier for a QSO that cannot
// count as well.
enum class CallAnswer : int { dupe = 0, repeatMultiplier = 1, workable = 2, cannotCount = 4 };

struct CallChecked {
    CallAnswer code = CallAnswer::cannotCount;
    bool postRefresh = false; // the refresh gate was open and is now closed: post a live update to the window
};
CallChecked checkCall(const CallCheckInput& in, bool mainWindowOpen);

// The results room's part of the plug-in's one reset.
void resetResults();
