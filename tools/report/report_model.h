// What the report shows, taken from a replay of the contest: the hours, the multipliers' first hours, the rates,
// the breaks and the problems. Numbers only; report_html and report_csv lay them out.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tools/report/contest_replay.h"

// What one hour added on one band.
struct BandHour {
    int qsos = 0;
    long long points = 0;
    int newMults = 0;  // counties (a station outside Japan) or zones (a Japanese station) first worked on the band
    int newDxcc = 0;   // DXCC entities first worked on the band (a Japanese station)
};

struct HourRow {
    COleDateTime from, to;
    std::array<BandHour, kBandCount> bands;
    BandHour total;      // every band, one of another name included
    int dupes = 0;
    int bad = 0;         // "Bad QSO": problem lines that are no dupe's
    // Where the contest stood at the hour's end.
    long long score = 0;
    int mults = 0, dxcc = 0;
};

// A multiplier and the hour it was first worked on each band (-1: never).
struct FirstWorked {
    std::string item;
    std::array<int, kBandCount> hour;
};

// The most QSOs counted in a window of the given minutes, and where the first such window starts.
struct BestRate {
    int minutes = 0;
    int qsos = 0;
    COleDateTime from;
};

// A gap of 30 minutes or more with no QSO, and its length in minutes.
struct Break {
    COleDateTime from;
    long long minutes = 0;
    enum class Where { beforeFirst, between, afterLast } where = Where::between;
};

struct ProblemGroup {
    std::string mark;     // as the bad-QSO file ends its lines, "DUPE !!!"; empty: lines with no known mark
    std::string meaning;  // the guide's words
    std::vector<std::string> lines;
};

struct Report {
    std::string ownCall;
    bool ja = false;
    int contestMode = 0;           // 0 CW, else SSB
    COleDateTime start, end;
    std::vector<int> bands;        // the contest mode's band indexes, long waves first
    std::vector<HourRow> hours;
    ResultTally result;            // the tally at the contest's end
    std::vector<FirstWorked> mults;  // every county (or zone), then any other code worked
    std::vector<FirstWorked> dxcc;   // the DXCC entities worked (a Japanese station)
    BestRate best10, best60;
    std::vector<int> tenMinuteQsos;  // counted QSOs per ten minutes from the start
    std::vector<Break> breaks;
    long long minutesOn = 0;         // the contest's minutes less its breaks
    std::vector<ProblemGroup> problems;
    std::size_t handedOver = 0;
};

// The hours' rows, the multipliers, the rates and the breaks of a replay. The problems come from the bad-QSO file.
Report buildReport(const Replay& replay, const std::string& ownCall);

// The bad-QSO file's problem lines (its title left out) by mark, in the order the marks are listed in the guide;
// lines with no known mark last, in a group of their own.
std::vector<ProblemGroup> groupProblems(std::string_view badQsoFile);

// The multiplier word of the station: "counties" outside Japan, "zones" in it.
std::string_view multWord(bool ja, bool plural = true);

// "2026-04-11 07:00".
std::string hourLabel(const COleDateTime& t);
// "HH:MM".
std::string clockOf(const COleDateTime& t);
// "3 h 05 min".
std::string lengthOf(long long minutes);
