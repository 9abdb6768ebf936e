// The contest replayed hour by hour through the plug-in's own engine and results code, linked into hostsim: the
// same intake judges every QSO and the same tally counts the log at each hour's end, so that every number of the
// report is one the plug-in gives. The plug-in's C interface tells the score, not which multiplier each band
// gained when: that is what the linked tally adds.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "results/result_tally.h"
#include "tools/logs/log_model.h"

struct ReplayPass {
    std::string hostDir;  // the folder the engine takes for the host's: it reads the host's files there
    std::string ownCall, ownPrefix;
    COleDateTime start, end;
};

// The tally as it stood at the end of one hour of the contest: the QSOs from `from` (inclusive) to `to`
// (exclusive) are the hour's.
struct HourTally {
    COleDateTime from, to;
    ResultTally tally;
};

struct Replay {
    std::vector<HourTally> hours;          // the contest's clock hours in order; the last one's tally is the result
    std::vector<COleDateTime> counted;     // the times of the QSOs the tally counts, in time order
    std::vector<COleDateTime> handedOver;  // the times of every QSO handed over, in time order
    std::size_t stored = 0;                // the QSOs the engine took into its log
};

// The ends of the contest's hours: each whole clock hour after start, then end (when not one of them).
std::vector<COleDateTime> hourEnds(const COleDateTime& start, const COleDateTime& end);

// Whole seconds since the date-times' epoch: the report compares and subtracts times in them.
long long secondsOf(const COleDateTime& t);
COleDateTime timeOfSeconds(long long seconds);

// The log in time order (a stable sort: QSOs of the same minute keep their order), as the host's log holds it.
void sortByTime(std::vector<LogQso>& qsos);

// Starts a pass in the linked engine, hands over the QSOs (in time order, all within the pass's period) and takes
// the tally at each hour's end. Runs in the work folder: the engine writes its files into the current one. The
// engine's log is emptied at the end, its bad-QSO file let go.
Replay replayByHour(const ReplayPass& pass, const std::vector<LogQso>& qsos);
