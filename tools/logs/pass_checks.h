// What hostsim tells the operator about a log, a contest period and the files a pass left: plain text work on
// bytes and values, shared with its unit tests.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "log_model.h"

// The contest's six bands as the host names them, lowest first.
std::span<const char* const> contestBands();
// The contest band of a typed name in any letter case ("20M" is "20m"); empty when it is none of the six.
std::string contestBand(std::string_view typed);

// Whether a Cabrillo CONTEST: value names this contest (JIDX-CW, JIDX-SSB, ...); an empty one names none.
bool namesJidx(std::string_view contest);

// The contest's period in a year, as the sponsor's calendar gives it: the second full weekend of April (CW) or
// November (SSB), Saturday 07:00 to Sunday 13:00 UTC. A month's first Saturday always begins a full weekend, so
// the second full weekend begins on the month's second Saturday.
struct ContestPeriod {
    COleDateTime start, end;
};
ContestPeriod jidxWeekend(int year, bool ssb);
// The month the contest runs in: 4 (April) for CW, 11 (November) for SSB.
int jidxMonth(bool ssb);
const char* monthName(int month);  // "January" .. "December"

// The month holding most of the log's QSOs, the earliest of equals; {0, 0} for a log without QSOs.
struct YearMonth {
    int year = 0, month = 0;
};
YearMonth busiestMonth(const Log& log);

// Whether a time lies in the contest: from its start up to its end, the end itself outside (a QSO logged at
// 1300 was made after the contest's last minute).
bool insideContest(const COleDateTime& t, const COleDateTime& start, const COleDateTime& end);
// How many QSOs lie outside the contest.
std::size_t countOutside(const Log& log, const COleDateTime& start, const COleDateTime& end);
// Leaves the QSOs outside the contest out of the log; returns the lines of those left out, in log order.
std::vector<int> keepInside(Log& log, const COleDateTime& start, const COleDateTime& end);

// What a host fills in where a log leaves a QSO's field empty: the band's lowest frequency where the log gives a
// band but no frequency, the mode's usual report (599 in CW, 59 in SSB) where it gives no report.
struct FilledIn {
    std::vector<int> frequencyLines;  // the QSOs given their band's frequency
    std::vector<std::string> bands;   // those bands, each once, in the order first met
    std::vector<int> reportLines;     // the QSOs given a report, sent or received
    std::size_t rstSent = 0, rstRcvd = 0;
};
FilledIn fillLikeHost(Log& log);
// The usual report of a mode: "599" in CW, "59" in SSB; empty for another mode.
std::string usualReport(std::string_view mode);

// Lines as a message names them: "line 7", "lines 3, 4 and 9", the first five then "and N more".
std::string lineList(const std::vector<int>& lines);

// Whether the text could be a call sign: 3 to 20 letters, digits and '/', with a letter and a digit.
bool plausibleCall(std::string_view call);

// The bad-QSO file a pass ending at end writes: "BadQSO_RarurAZIZ_dd_mm_yyyy.txt".
std::string badQsoFileName(const COleDateTime& end);

// The QSO: lines of a Cabrillo file.
std::size_t countQsoLines(std::string_view cabrillo);

// The QSOs a bad-QSO file gives a reason to leave out of the Cabrillo file, one per QSO (its first such mark:
// "WRONG BAND", "WRONG MODE", "NO NUMBER", "Code is not acceptable", "QSO 0 points"; a dupe stays in the file),
// counted per mark in the order the marks first appear.
std::vector<std::pair<std::string, std::size_t>> leftOutByMark(std::string_view badQso);
