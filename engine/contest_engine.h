// The engine's operations behind the exported functions. Callers hold the state lock; texts are never null here.
// Nothing here waits or crosses to another thread: an operation returns what must happen next, and the caller
// does it after letting the lock go.
#pragma once
#include <string_view>

#include "platform/date_time.h"

struct PassStart {
    std::string_view hostDir;
    int exportPass = 0;
    std::string_view ownCall;
    COleDateTime start;
    COleDateTime end;
    std::string_view ownPrefix;
};

struct QsoInput {
    std::string_view myCall;   // the logging station
    std::string_view call;     // the worked station
    COleDateTime time;
    unsigned freqHz = 0;
    std::string_view mode;
    std::string_view rstSent;
    std::string_view rstRcvd;
    std::string_view exchSent;
    std::string_view exchRcvd;
    std::string_view prefix;   // the worked station's country prefix
    std::string_view hostText;
    std::string_view band;
};

// A statistics pass starts in three steps, the caller doing between them what may wait.
struct PassBegun {
    bool askHeader = false; // an export pass: the Cabrillo header dialog comes next
    int contestMode = 0;    // the mode the header dialog offers
};
// The log and the pass's bad-QSO lines emptied: the first step of every pass start, and what a pass start that
// failed part way leaves. Never throws.
void emptyPass() noexcept;
// Records the pass, reads the host's version and the stored contest mode, empties the log, sets the own-station
// flags: all of it or, when it fails, nothing but emptyPass().
PassBegun beginPass(const PassStart& pass);
// The start marker, after the header dialog: true when the window thread is to be started now.
bool decideWindowStart(bool mainWindowOpen);
// Names and recreates the pass's bad-QSO file, its header in the contest mode decided by now.
void finishPass(const PassStart& pass);

// 1 when the QSO was stored, 0 when rejected.
int addData(const QsoInput& qso);

struct Removed {
    bool fromLog = false; // a record left the log: the open grids start again from no multiplier worked
};
// Takes the QSO out of the log and its own lines out of the bad-QSO file; opens the refresh gate.
Removed removeData(const QsoInput& qso);

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
// CheckCall0: may the typed station be worked, and would it be a dupe or a repeat multiplier?
CallChecked checkCall(const CallCheckInput& in, bool mainWindowOpen);

// 1 when the typed exchange is a county code, else 0.
int isValidExchange(std::string_view exchange);
