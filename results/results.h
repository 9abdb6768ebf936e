// GetResult0 and CheckCall0. Callers hold stateMutex(); texts are never null here.
#pragma once
#include <mutex>
#include <string>
#include <string_view>

extern std::string g_resultText;
extern int g_badQsoLines;

// Rebuilds the summary (and, on an export pass, writes the Cabrillo log). Releases the lock only while the
// export message is shown. Stores -1 through status after an export; status may be null.
const char* getResult(int* status, std::unique_lock<std::mutex>& lock);

struct CallCheckInput {
    std::string_view call;
    std::string_view mode;
    std::string_view prefix;
    int zone = 0;
    const char* band = nullptr;       // may be null
    const char* otherBand = nullptr;  // may be null
};

// 0 dupe, 1 repeat multiplier (or cannot count, older host), 2 workable, 4 cannot count.
int checkCall(const CallCheckInput& in);
