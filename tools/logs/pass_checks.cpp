#include "pass_checks.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <set>

#include "ole_time.h"
#include "text_util.h"

namespace {

constexpr std::array<const char*, 6> kBands = {"160m", "80m", "40m", "20m", "15m", "10m"};

// The marks that keep a QSO out of the Cabrillo file, as the bad-QSO file ends its lines.
constexpr std::array<std::string_view, 5> kLeavingMarks = {"WRONG BAND", "WRONG MODE", "NO NUMBER",
                                                            "Code is not acceptable", "QSO 0 points"};
constexpr std::string_view kMarkEnd = " !!!";

} // namespace

std::span<const char* const> contestBands() { return kBands; }

std::string contestBand(std::string_view typed) {
    for (const char* band : kBands)
        if (ascii::equalsNoCase(ascii::trim(typed), band)) return band;
    return {};
}

bool namesJidx(std::string_view contest) {
    const std::string_view c = ascii::trim(contest);
    return c.empty() || ascii::startsWithNoCase(c, "JIDX");
}

bool plausibleCall(std::string_view call) {
    if (call.size() < 3 || call.size() > 20) return false;
    bool letter = false, digit = false;
    for (const char c : call) {
        const bool isLetter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'), isDigit = c >= '0' && c <= '9';
        if (!isLetter && !isDigit && c != '/') return false;
        letter |= isLetter, digit |= isDigit;
    }
    return letter && digit;
}

std::string badQsoFileName(const COleDateTime& end) {
    const CivilTime c = civilOf(end);
    char name[64];
    std::snprintf(name, sizeof name, "BadQSO_RarurAZIZ_%02d_%02d_%04d.txt", c.day, c.month, c.year);
    return name;
}

std::size_t countQsoLines(std::string_view cabrillo) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < cabrillo.size();) {
        const std::size_t eol = std::min(cabrillo.find('\n', pos), cabrillo.size());
        count += cabrillo.substr(pos, eol - pos).starts_with("QSO:");
        pos = eol + 1;
    }
    return count;
}

std::vector<std::pair<std::string, std::size_t>> leftOutByMark(std::string_view badQso) {
    std::vector<std::pair<std::string, std::size_t>> counts;
    std::set<std::string, std::less<>> counted; // the QSOs already counted, by their line before the mark
    for (std::size_t pos = 0; pos < badQso.size();) {
        const std::size_t eol = std::min(badQso.find('\n', pos), badQso.size());
        std::string_view line = badQso.substr(pos, eol - pos);
        pos = eol + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!line.ends_with(kMarkEnd)) continue;
        for (const std::string_view mark : kLeavingMarks) {
            const std::size_t at = line.size() - kMarkEnd.size() - mark.size();
            if (line.size() < kMarkEnd.size() + mark.size() || line.substr(at, mark.size()) != mark) continue;
            // The unacceptable-code line repeats the exchange before its mark: the QSO is what comes before that.
            std::string_view qso = ascii::trim(line.substr(0, at));
            if (mark == kLeavingMarks[3] && qso.rfind("  ") != std::string_view::npos)
                qso = ascii::trim(qso.substr(0, qso.rfind("  ")));
            if (!counted.emplace(qso).second) break;
            auto it = std::find_if(counts.begin(), counts.end(), [&](const auto& c) { return c.first == mark; });
            if (it == counts.end()) counts.emplace_back(std::string(mark), 1);
            else ++it->second;
            break;
        }
    }
    return counts;
}

int jidxMonth(bool ssb) { return ssb ? 11 : 4; }

const char* monthName(int month) {
    static constexpr const char* kNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                             "July",    "August",   "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "?";
}

ContestPeriod jidxWeekend(int year, bool ssb) {
    const int month = jidxMonth(ssb);
    COleDateTime first;
    makeTime(year, month, 1, 7, 0, 0, first);
    const int toSaturday = (6 - civilOf(first).weekday + 7) % 7;  // days from the 1st to the first Saturday
    ContestPeriod period;
    makeTime(year, month, 1 + toSaturday + 7, 7, 0, 0, period.start);
    makeTime(year, month, 1 + toSaturday + 8, 13, 0, 0, period.end);
    return period;
}

YearMonth busiestMonth(const Log& log) {
    std::vector<std::pair<YearMonth, std::size_t>> months;  // in the order first met
    for (const LogQso& q : log.qsos) {
        const CivilTime c = civilOf(q.time);
        auto it = std::find_if(months.begin(), months.end(),
                               [&](const auto& m) { return m.first.year == c.year && m.first.month == c.month; });
        if (it == months.end()) months.push_back({{c.year, c.month}, 1});
        else ++it->second;
    }
    YearMonth busiest;
    std::size_t most = 0;
    for (const auto& [month, count] : months) {
        const bool earlier = month.year * 12 + month.month < busiest.year * 12 + busiest.month;
        if (count > most || (count == most && earlier)) busiest = month, most = count;
    }
    return busiest;
}

bool insideContest(const COleDateTime& t, const COleDateTime& start, const COleDateTime& end) {
    return t.m_dt >= start.m_dt && t.m_dt < end.m_dt;
}

std::size_t countOutside(const Log& log, const COleDateTime& start, const COleDateTime& end) {
    std::size_t outside = 0;
    for (const LogQso& q : log.qsos) outside += !insideContest(q.time, start, end);
    return outside;
}

std::vector<int> keepInside(Log& log, const COleDateTime& start, const COleDateTime& end) {
    std::vector<int> leftOut;
    std::erase_if(log.qsos, [&](const LogQso& q) {
        if (insideContest(q.time, start, end)) return false;
        leftOut.push_back(q.line);
        return true;
    });
    return leftOut;
}

std::string usualReport(std::string_view mode) {
    if (mode == "CW") return "599";
    if (mode == "SSB") return "59";
    return {};
}

FilledIn fillLikeHost(Log& log) {
    FilledIn filled;
    for (LogQso& q : log.qsos) {
        if (q.freqHz == 0) {
            if (const unsigned khz = bandFloorKilohertz(q.band); khz != 0) {
                q.freqHz = khz * 1000;
                filled.frequencyLines.push_back(q.line);
                if (std::find(filled.bands.begin(), filled.bands.end(), q.band) == filled.bands.end())
                    filled.bands.push_back(q.band);
            }
        }
        const std::string report = usualReport(q.mode);
        if (report.empty()) continue;
        const bool sent = ascii::trim(q.rstSent).empty(), received = ascii::trim(q.rstRcvd).empty();
        if (sent) q.rstSent = report, ++filled.rstSent;
        if (received) q.rstRcvd = report, ++filled.rstRcvd;
        if (sent || received) filled.reportLines.push_back(q.line);
    }
    return filled;
}

std::string lineList(const std::vector<int>& lines) {
    constexpr std::size_t kNamed = 5;
    std::string s = lines.size() == 1 ? "line " : "lines ";
    const std::size_t named = std::min(lines.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) s += i + 1 == named && lines.size() <= kNamed ? " and " : ", ";
        s += std::to_string(lines[i]);
    }
    if (lines.size() > kNamed) s += " and " + std::to_string(lines.size() - kNamed) + " more";
    return s;
}
