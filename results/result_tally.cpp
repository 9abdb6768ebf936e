// The per-band table, totals, score and rates, counted from the whole log at every result.
#include "results/result_tally.h"

#include <cstdint>
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

} // namespace

ResultTally tallyResult() {
    ResultTally t;
    t.html = g_versionCalled != 0;
    t.ja = g_ownIsJA != 0;
    t.exporting = g_exportPass != 0;
    t.contestMode = g_contestMode;
    t.ownCall = g_ownCall;
    t.startDayMonth = g_startDayMonth;
    t.endDate = g_endDate;

    const bool haveReference = !t.exporting && !g_log.empty();
    const COleDateTime reference = haveReference ? g_log.back().time : COleDateTime();

    sortBandsWorked();
    // The pass's own lines, whether or not the file could take them all: never a count of a file another program
    // held on to from an earlier pass.
    t.badQsoLines = static_cast<int>(g_badQsoFile.lineCount());
    t.badQsoFileTrouble = g_badQsoFile.troubleToTell();
    if (t.badQsoFileTrouble) t.badQsoFileName = g_badQsoFile.name();
    g_badQsoFile.letGo();

    // One walk over the log serves every band: each record goes to its band's count.
    std::vector<BandCount> counts(g_bandsWorked.size());
    std::unordered_map<std::string_view, std::size_t> slotOf;
    for (std::size_t s = 0; s < g_bandsWorked.size(); ++s) {
        const std::string& b = g_bandsWorked[s];
        slotOf.emplace(b, s);
        counts[s].tally.name = b;
        counts[s].tally.index = bandIndexOf(b);
        counts[s].points = jidx::bandPoints(b);
    }
    // "30m" is the system's own stand-in for an empty log: a name that matches none of the six bands.
    const std::string lastBand = g_log.empty() ? "30m" : g_log.back().band;
    const std::string* cachedBand = nullptr;
    BandCount* c = nullptr;
    for (const CInfo& q : g_log) {
        if (q.call.empty()) continue;
        if (!cachedBand || *cachedBand != q.band) {
            auto it = slotOf.find(q.band);
            if (it == slotOf.end()) continue;
            cachedBand = &q.band;
            c = &counts[it->second];
        }
        BandTally& b = c->tally;
        b.dupes += q.dupe;
        if (q.bad) continue;
        b.qsos += 1;
        b.points += c->points;
        if (q.band == lastBand) {
            t.lastPoints = c->points;
            long long minutes;
            if (haveReference && wholeMinutes(q.time, reference, minutes)) {
                if (minutes < 60) t.hourQsos += 1, t.hourPoints += c->points;
                if (minutes < 10) t.tenQsos += 1, t.tenPoints += c->points;
            }
        }
        if (b.index >= kBandCount) continue;
        if (!q.multCode.empty() && c->firstSight(q.multCode)) {
            t.multByBand[b.index].push_back(q.multCode);
            b.mults += 1;
        }
        if (t.ja && namesDxccEntity(q.prefix) && c->prefixes.insert(q.prefix).second) {
            t.dxccByBand[b.index].push_back(q.prefix);
            b.dxcc += 1;
        }
    }

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

    // The file's first line is its title, and every dupe has a line in it too.
    int rejected = t.badQsoLines - t.total.dupes;
    if (rejected <= 0) rejected = 1;
    t.badShown = rejected - 1;
    t.score = t.total.points * (t.ja ? t.total.mults + t.total.dxcc : t.total.mults);
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
