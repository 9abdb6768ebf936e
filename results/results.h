// GetResult0 behind the export. Callers hold the state lock where they read the state.
#pragma once
#include <string>

#include "results/result_tally.h"

extern std::string g_resultText;
extern long long g_claimedScore; // the score of the latest result, claimed by an export's Cabrillo log

// Keeps the score of the latest result and stores it in the settings, where the next header dialog shows it.
void storeClaimedScore(long long score);

// The results room's part of the plug-in's one reset.
void resetResults();
