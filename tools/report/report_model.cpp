#include "tools/report/report_model.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <utility>

namespace {

constexpr long long kBreakMinutes = 30;

// The marks of the bad-QSO file as the guide lists them, with its words for each.
struct MarkMeaning {
    const char* mark;
    const char* meaning;
};
constexpr MarkMeaning kMarks[] = {
    {"WRONG BAND !!!", "the band is not one of 160, 80, 40, 20, 15 or 10 m (JIDX has no 30, 17 or 12 m), or it is "
                       "160 m in the SSB contest (Phone has no 160 m); the QSO is left out"},
    {"WRONG MODE !!!", "the QSO's mode is not the contest's (an SSB QSO in the CW contest, or an unknown mode); the "
                       "QSO is left out"},
    {"NO NUMBER !!!", "the exchange received or sent is empty or only blanks; the QSO is left out"},
    {"Code is not acceptable !!!", "(station outside Japan) the exchange received is no county code \"01\" to "
                                   "\"50\"; the line shows it as read. The QSO stays in the log but earns nothing"},
    {"DUPE !!!", "the same call on the same band in the same mode is already in the log; counted under Dupe, worth "
                 "nothing, and kept in the Cabrillo log"},
    {"QSO 0 points !!!", "a station outside Japan worked a station outside Japan, or a Japanese station worked a "
                         "Japanese one (also maritime mobile); it stays in the log, earns nothing and stays out of "
                         "the Cabrillo log"},
};

const BandTally* bandOf(const ResultTally& t, int index) {
    for (const BandTally& b : t.bands)
        if (b.index == index) return &b;
    return nullptr;
}

BandHour difference(const BandTally* now, const BandTally* before) {
    static const BandTally none;
    const BandTally& n = now ? *now : none;
    const BandTally& b = before ? *before : none;
    return {n.qsos - b.qsos, n.points - b.points, n.mults - b.mults, n.dxcc - b.dxcc};
}

std::vector<HourRow> hourRows(const Replay& replay) {
    std::vector<HourRow> rows;
    const ResultTally zero;
    const ResultTally* before = &zero;
    for (const HourTally& h : replay.hours) {
        HourRow row;
        row.from = h.from;
        row.to = h.to;
        for (int b = 0; b < kBandCount; ++b) row.bands[b] = difference(bandOf(h.tally, b), bandOf(*before, b));
        row.total = difference(&h.tally.total, &before->total);
        row.dupes = h.tally.total.dupes - before->total.dupes;
        row.bad = h.tally.badShown - before->badShown;
        row.score = h.tally.score;
        row.mults = h.tally.total.mults;
        row.dxcc = h.tally.total.dxcc;
        rows.push_back(row);
        before = &h.tally;
    }
    return rows;
}

// Each item of the lists gets the first hour whose tally lists it on a band.
std::vector<FirstWorked> firstHours(const Replay& replay, BandLists ResultTally::*lists,
                                    const std::vector<std::string>& always) {
    std::vector<FirstWorked> items;
    std::map<std::string, std::size_t> at;
    auto entry = [&](const std::string& item) -> FirstWorked& {
        const auto [it, added] = at.emplace(item, items.size());
        if (added) {
            FirstWorked f{item, {}};
            f.hour.fill(-1);
            items.push_back(f);
        }
        return items[it->second];
    };
    for (const std::string& item : always) entry(item);
    for (std::size_t h = 0; h < replay.hours.size(); ++h)
        for (int b = 0; b < kBandCount; ++b)
            for (const std::string& item : (replay.hours[h].tally.*lists)[b]) {
                FirstWorked& f = entry(item);
                if (f.hour[b] < 0) f.hour[b] = static_cast<int>(h);
            }
    // The fixed items in their order, the others after them by name.
    std::sort(items.begin() + static_cast<long>(always.size()), items.end(),
              [](const FirstWorked& a, const FirstWorked& b) { return a.item < b.item; });
    return items;
}

std::vector<std::string> numbered(int count) {
    std::vector<std::string> codes;
    for (int i = 1; i <= count; ++i) {
        char code[12];
        std::snprintf(code, sizeof code, "%02d", i);
        codes.push_back(code);
    }
    return codes;
}

BestRate bestRate(const std::vector<COleDateTime>& times, int minutes) {
    BestRate best;
    best.minutes = minutes;
    std::size_t j = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const long long until = secondsOf(times[i]) + minutes * 60LL;
        j = std::max(j, i);
        while (j < times.size() && secondsOf(times[j]) < until) ++j;
        if (static_cast<int>(j - i) > best.qsos) best.qsos = static_cast<int>(j - i), best.from = times[i];
    }
    return best;
}

void findBreaks(Report& r, const std::vector<COleDateTime>& times) {
    const long long start = secondsOf(r.start), end = secondsOf(r.end);
    long long off = 0;
    auto gap = [&](long long from, long long to, Break::Where where) {
        const long long minutes = (to - from) / 60;
        if (minutes < kBreakMinutes) return;
        r.breaks.push_back({timeOfSeconds(from), minutes, where});
        off += minutes;
    };
    if (times.empty()) {
        gap(start, end, Break::Where::beforeFirst);
    } else {
        gap(start, secondsOf(times.front()), Break::Where::beforeFirst);
        for (std::size_t i = 1; i < times.size(); ++i)
            gap(secondsOf(times[i - 1]), secondsOf(times[i]), Break::Where::between);
        gap(secondsOf(times.back()), end, Break::Where::afterLast);
    }
    r.minutesOn = (end - start) / 60 - off;
}

} // namespace

std::string_view multWord(bool ja, bool plural) {
    if (ja) return plural ? "zones" : "zone";
    return plural ? "counties" : "county";
}

std::string hourLabel(const COleDateTime& t) { return t.Format("%Y-%m-%d %H:%M"); }
std::string clockOf(const COleDateTime& t) { return t.Format("%H:%M"); }

std::string lengthOf(long long minutes) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld h %02lld min", minutes / 60, minutes % 60);
    return text;
}

Report buildReport(const Replay& replay, const std::string& ownCall) {
    Report r;
    r.ownCall = ownCall;
    r.hours = hourRows(replay);
    if (!replay.hours.empty()) {
        r.result = replay.hours.back().tally;
        r.start = replay.hours.front().from;
        r.end = replay.hours.back().to;
    }
    r.ja = r.result.ja;
    r.contestMode = r.result.contestMode;
    for (int b = 0; b < kBandCount; ++b)
        if (jidx::bandInMode(b, r.contestMode)) r.bands.push_back(b);
    r.mults = firstHours(replay, &ResultTally::multByBand, numbered(r.ja ? jidx::kZoneCount : jidx::kCountyCount));
    if (r.ja) r.dxcc = firstHours(replay, &ResultTally::dxccByBand, {});
    r.best10 = bestRate(replay.counted, 10);
    r.best60 = bestRate(replay.counted, 60);
    const long long start = secondsOf(r.start);
    r.tenMinuteQsos.assign(static_cast<std::size_t>((secondsOf(r.end) - start + 599) / 600), 0);
    for (const COleDateTime& t : replay.counted) {
        const long long slot = (secondsOf(t) - start) / 600;
        if (slot >= 0 && slot < static_cast<long long>(r.tenMinuteQsos.size())) ++r.tenMinuteQsos[slot];
    }
    findBreaks(r, replay.handedOver);
    r.handedOver = replay.handedOver.size();
    return r;
}

std::vector<ProblemGroup> groupProblems(std::string_view file) {
    std::vector<ProblemGroup> groups;
    for (const MarkMeaning& m : kMarks) groups.push_back({m.mark, m.meaning, {}});
    ProblemGroup unknown{"", "lines the bad-QSO file holds with no mark this report knows", {}};
    bool title = true;
    for (std::size_t pos = 0; pos < file.size();) {
        const std::size_t eol = std::min(file.find('\n', pos), file.size());
        std::string_view line = file.substr(pos, eol - pos);
        pos = eol + 1;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (std::exchange(title, false) || line.empty()) continue;
        auto group = std::find_if(groups.begin(), groups.end(), [&](const ProblemGroup& g) {
            return line.size() > g.mark.size() && line.ends_with(g.mark) && line[line.size() - g.mark.size() - 1] == ' ';
        });
        (group != groups.end() ? *group : unknown).lines.emplace_back(line);
    }
    std::erase_if(groups, [](const ProblemGroup& g) { return g.lines.empty(); });
    if (!unknown.lines.empty()) groups.push_back(std::move(unknown));
    return groups;
}
