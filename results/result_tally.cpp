// The per-band table, totals, score and rates, counted from the whole log at every result.
#include "results/result_tally.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/bad_qso_file.h"
#include "engine/contest_settings.h"
#include "platform/files.h"
#include "results/results.h"

std::string g_resultText;
long long g_claimedScore = 0;

namespace {

std::string padded(const std::string& s) { return s.size() >= 20 ? s : std::string(20 - s.size(), '0') + s; }

// Long waves first: names padded with '0' on the left, larger first.
void sortBandsWorked() {
    auto& b = g_bandsWorked;
    for (std::size_t i = 0; i + 1 < b.size(); ++i)
        for (std::size_t j = i + 1; j < b.size(); ++j)
            if (padded(b[i]) < padded(b[j])) std::swap(b[i], b[j]);
}

// One band's count in the making, with the codes and prefixes seen on it so far.
struct BandCount {
    BandTally tally;
    int points = jidx::kOtherBandPoints;
    std::uint64_t counties = 0; // county codes seen, as bits: the common case needs no hashing
    std::unordered_set<std::string> codes;
    std::unordered_set<std::string> prefixes;

    bool firstSight(const std::string& code) {
        if (isCountyCode(code)) {
            const std::uint64_t bit = std::uint64_t{1} << ((code[0] - '0') * 10 + (code[1] - '0'));
            const bool first = (counties & bit) == 0;
            counties |= bit;
            return first;
        }
        return codes.insert(code).second;
    }
};

// Whole minutes from t to ref, the difference rounded by half a second away from zero. False when either is
// no date the host can show: such a QSO counts in no rate.
bool wholeMinutes(const COleDateTime& t, const COleDateTime& ref, long long& minutes) {
    return wholeMinutesBetween(t, ref, minutes);
}

// The heading: the pass's facts as they stand.
ResultTally headed() {
    ResultTally t;
    t.html = g_versionCalled != 0;
    t.ja = g_ownIsJA != 0;
    t.exporting = g_exportPass != 0;
    t.contestMode = g_contestMode;
    t.ownCall = g_ownCall;
    t.startDayMonth = g_startDayMonth;
    t.endDate = g_endDate;
    return t;
}

// The pass's own lines, whether or not the file could take them all: never a count of a file another program
// held on to from an earlier pass. A result lets go of the file.
void takeBadQsoFile(ResultTally& t) {
    t.badQsoLines = static_cast<int>(g_badQsoFile.lineCount());
    t.badQsoFileTrouble = g_badQsoFile.troubleToTell();
    if (t.badQsoFileTrouble) t.badQsoFileName = g_badQsoFile.name();
    g_badQsoFile.letGo();
}

// A count for each band of g_bandsWorked, in its order, and each band name's place in it.
struct BandCounts {
    std::vector<BandCount> counts;
    std::unordered_map<std::string_view, std::size_t> slotOf;
};

BandCounts startBandCounts() {
    BandCounts bands;
    bands.counts.resize(g_bandsWorked.size());
    for (std::size_t s = 0; s < g_bandsWorked.size(); ++s) {
        const std::string& b = g_bandsWorked[s];
        bands.slotOf.emplace(b, s);
        bands.counts[s].tally.name = b;
        bands.counts[s].tally.index = bandIndexOf(b);
        bands.counts[s].points = jidx::bandPoints(b);
    }
    return bands;
}

// A QSO that counts: its band's QSOs and points, the rates on the band of the last QSO (minutes before the
// reference, when there is one), and its band's multiplier and DXCC lists.
void countQso(ResultTally& t, BandCount& c, const CInfo& q, const std::string& lastBand,
              const std::optional<COleDateTime>& reference) {
    BandTally& b = c.tally;
    b.qsos += 1;
    b.points += c.points;
    if (q.band == lastBand) {
        t.lastPoints = c.points;
        long long minutes;
        if (reference && wholeMinutes(q.time, *reference, minutes)) {
            if (minutes < 60) t.hourQsos += 1, t.hourPoints += c.points;
            if (minutes < 10) t.tenQsos += 1, t.tenPoints += c.points;
        }
    }
    if (b.index >= kBandCount) return;
    if (!q.multCode.empty() && c.firstSight(q.multCode)) {
        t.multByBand[b.index].push_back(q.multCode);
        b.mults += 1;
    }
    if (t.ja && namesDxccEntity(q.prefix) && c.prefixes.insert(q.prefix).second) {
        t.dxccByBand[b.index].push_back(q.prefix);
        b.dxcc += 1;
    }
}

// One walk over the log serves every band: each record goes to its band's count.
void countLog(ResultTally& t, BandCounts& bands, const std::optional<COleDateTime>& reference) {
    // "30m" is the system's own stand-in for an empty log: a name that matches none of the six bands.
    const std::string lastBand = g_log.empty() ? "30m" : g_log.back().band;
    const std::string* cachedBand = nullptr;
    BandCount* c = nullptr;
    for (const CInfo& q : g_log) {
        if (q.call.empty()) continue;
        if (!cachedBand || *cachedBand != q.band) {
            auto it = bands.slotOf.find(q.band);
            if (it == bands.slotOf.end()) continue;
            cachedBand = &q.band;
            c = &bands.counts[it->second];
        }
        c->tally.dupes += q.dupe;
        if (!q.bad) countQso(t, *c, q, lastBand, reference);
    }
}

// The bands into the table and the totals; each of the six bands' lists goes where the windows read it.
void addUpBands(ResultTally& t, std::vector<BandCount>& counts) {
    t.total.name = "Total";
    for (BandCount& count : counts) {
        const BandTally& b = count.tally;
        if (b.index < kBandCount) {
            g_multByBand.replace(b.index, t.multByBand[b.index]);
            g_dxccByBand.replace(b.index, t.dxccByBand[b.index]);
        }
        t.total.qsos += b.qsos;
        t.total.points += b.points;
        t.total.dupes += b.dupes;
        t.total.mults += b.mults;
        t.total.dxcc += b.dxcc;
        t.bands.push_back(std::move(count.tally));
    }
}

// "Bad QSO" and the score. The file's first line is its title, and every dupe has a line in it too.
void scoreResult(ResultTally& t) {
    int rejected = t.badQsoLines - t.total.dupes;
    if (rejected <= 0) rejected = 1;
    t.badShown = rejected - 1;
    t.score = t.total.points * (t.ja ? t.total.mults + t.total.dxcc : t.total.mults);
}

} // namespace

ResultTally tallyResult() {
    ResultTally t = headed();
    // The rates count back from the last QSO's time; an export pass counts none.
    const std::optional<COleDateTime> reference =
        !t.exporting && !g_log.empty() ? std::optional<COleDateTime>(g_log.back().time) : std::nullopt;
    sortBandsWorked();
    takeBadQsoFile(t);
    BandCounts bands = startBandCounts();
    countLog(t, bands, reference);
    addUpBands(t, bands.counts);
    scoreResult(t);
    return t;
}

namespace {
// Whether g_claimedScore is what the settings hold: the result is asked for about once a QSO, and the file is
// written (and read) only when the score changed.
bool claimedStored = false;
} // namespace

void storeClaimedScore(long long score) {
    if (claimedStored && score == g_claimedScore) return;
    g_claimedScore = score;
    claimedStored = false;
    settingsWrite("Claimed", std::to_string(score));
    claimedStored = true;
}

void resetResults() {
    g_resultText.clear();
    g_claimedScore = 0;
    claimedStored = false;
}
