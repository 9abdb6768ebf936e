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

// How many QSOs lie outside [start, end].
std::size_t countOutside(const Log& log, const COleDateTime& start, const COleDateTime& end);

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
