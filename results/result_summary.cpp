// GetResult0: the per-band table, totals, score and rates, rebuilt from the whole log at every call.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "cabrillo/cabrillo_log.h"
#include "engine/contest_state.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "results/html_templates.h"
#include "results/results.h"

std::string g_resultText;
int g_badQsoLines = 0;
long long g_claimedScore = 0;

namespace {

constexpr double kHalfSecondDays = 5.787037037037037e-6;

void appendf(std::string& out, const char* format, ...) {
    char small[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
    } else if (n > 0) {
        std::string big(static_cast<std::size_t>(n) + 1, '\0');
        std::vsnprintf(big.data(), big.size(), format, again);
        out.append(big.data(), static_cast<std::size_t>(n));
    }
    va_end(again);
}

// Texts from the host go into the page as text, never as markup.
std::string htmlText(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

int bandPoints(std::string_view band) {
    if (band == "160m") return 4;
    if (band == "80m" || band == "10m") return 2;
    return 1;
}

std::string padded(const std::string& s) { return s.size() >= 20 ? s : std::string(20 - s.size(), '0') + s; }

// Long waves first: names padded with '0' on the left, larger first.
void sortBandsWorked() {
    auto& b = g_bandsWorked;
    for (std::size_t i = 0; i + 1 < b.size(); ++i)
        for (std::size_t j = i + 1; j < b.size(); ++j)
            if (padded(b[i]) < padded(b[j])) std::swap(b[i], b[j]);
}

struct BandTally {
    int index = kBandCount;
    int points = 1;
    int qsos = 0;
    long long pts = 0;
    int dupes = 0;
    int mults = 0;
    int dxcc = 0;
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

struct Rates {
    long long hourQsos = 0, hourPts = 0, tenQsos = 0, tenPts = 0;
    int lastPoints = 0;
};

// Whole minutes from t to ref, the difference rounded by half a second away from zero.
bool wholeMinutes(const COleDateTime& t, const COleDateTime& ref, long long& minutes) {
    double days;
    if (!dateDifferenceDays(ref, t, days)) return false;
    days += days >= 0 ? kHalfSecondDays : -kHalfSecondDays;
    minutes = static_cast<long long>(days * 1440.0);
    return true;
}

void exportLog(int* status, std::unique_lock<std::mutex>& lock) {
    for (const CInfo& q : g_log) {
        if (q.excluded) continue;
        const char* mode = q.mode == "CW" ? "CW" : q.mode == "SSB" ? "PH" : "??";
        g_cabrillo.AddQso(q.call, q.freqKHz, mode, q.time, q.rstSent, q.exchSent, q.rstRcvd, q.exchRcvd);
    }
    std::string message = g_cabrillo.Write();
    lock.unlock(); // the operator may take his time; the window thread must not wait for him
    platform::showMessage(message, "Output", platform::MessageIcon::information);
    lock.lock();
    if (status) *status = -1;
}

} // namespace

const char* getResult(int* status, std::unique_lock<std::mutex>& lock) {
    const bool html = g_versionCalled != 0;
    const bool ja = g_ownIsJA != 0;
    const bool exporting = g_exportPass != 0;
    std::string& out = g_resultText;
    out.clear();

    const bool haveReference = !exporting && !g_log.empty();
    const COleDateTime reference = haveReference ? g_log.back().time : COleDateTime();
    const char* contest = g_contestMode == 0 ? "JIDX-CW-CONTEST" : "JIDX-SSB-CONTEST";

    if (html) {
        std::string title = "   " + std::string(contest) + " " + g_startDayMonth + "-" + g_endDate;
        out += g_htmlHead;
        appendf(out, g_htmlTitle, title.c_str(), htmlText(g_ownCall).c_str());
        if (ja)
            appendf(out, g_htmlHeader5, "Band", "QSOs", "Points", "Zone", "DXCC");
        else
            appendf(out, g_htmlHeader4, "Band", "QSOs", "Points", "County");
    } else {
        appendf(out, "    %s %s-%s\r\n\tContestant: %s \r\n\tQSOs\tPoints\t%s\r\n", contest,
                g_startDayMonth.c_str(), g_endDate.c_str(), g_ownCall.c_str(), ja ? "Zone\tDXCC" : "County");
    }

    sortBandsWorked();
    g_badQsoLines = static_cast<int>(platform::countLines(g_badQsoFileName));

    // One walk over the log serves every band: each record goes to its band's tally.
    std::vector<BandTally> tallies(g_bandsWorked.size());
    std::unordered_map<std::string_view, std::size_t> slotOf;
    for (std::size_t s = 0; s < g_bandsWorked.size(); ++s) {
        const std::string& b = g_bandsWorked[s];
        slotOf.emplace(b, s);
        tallies[s].index = bandIndexOf(b);
        tallies[s].points = bandPoints(b);
        if (tallies[s].index < kBandCount) {
            g_multByBand[tallies[s].index].clear();
            g_dxccByBand[tallies[s].index].clear();
        }
    }
    const std::string lastBand = g_log.empty() ? "30m" : g_log.back().band;
    Rates rates;
    const std::string* cachedBand = nullptr;
    BandTally* t = nullptr;
    for (const CInfo& q : g_log) {
        if (q.call.empty()) continue;
        if (!cachedBand || *cachedBand != q.band) {
            auto it = slotOf.find(q.band);
            if (it == slotOf.end()) continue;
            cachedBand = &q.band;
            t = &tallies[it->second];
        }
        t->dupes += q.dupe;
        if (q.bad) continue;
        t->qsos += 1;
        t->pts += t->points;
        if (q.band == lastBand) {
            rates.lastPoints = t->points;
            long long minutes;
            if (haveReference && wholeMinutes(q.time, reference, minutes)) {
                if (minutes < 60) rates.hourQsos += 1, rates.hourPts += t->points;
                if (minutes < 10) rates.tenQsos += 1, rates.tenPts += t->points;
            }
        }
        if (t->index >= kBandCount) continue;
        if (!q.multCode.empty() && t->firstSight(q.multCode)) {
            g_multByBand[t->index].push_back(q.multCode);
            t->mults += 1;
        }
        if (ja && t->prefixes.insert(q.prefix).second) {
            g_dxccByBand[t->index].push_back(q.prefix);
            t->dxcc += 1;
        }
    }

    int qsos = 0, dupes = 0, mults = 0, dxcc = 0;
    long long points = 0;
    for (std::size_t s = 0; s < tallies.size(); ++s) {
        const BandTally& b = tallies[s];
        if (b.index < kBandCount) {
            const std::string& name = g_bandsWorked[s];
            if (html && ja)
                appendf(out, g_htmlRow5, htmlText(name).c_str(), b.qsos, b.pts, b.mults, b.dxcc);
            else if (html)
                appendf(out, g_htmlRow4, htmlText(name).c_str(), b.qsos, b.pts, b.mults);
            else if (ja)
                appendf(out, "%s\t %i\t %lld\t %i\t %i\r\n", name.c_str(), b.qsos, b.pts, b.mults, b.dxcc);
            else
                appendf(out, "%s\t %i\t %lld\t %i\r\n", name.c_str(), b.qsos, b.pts, b.mults);
        }
        qsos += b.qsos, points += b.pts, dupes += b.dupes, mults += b.mults, dxcc += b.dxcc;
    }

    // The file's first line is its title, and every dupe has a line in it too.
    int rejected = g_badQsoLines - dupes;
    if (rejected <= 0) rejected = 1;
    const int badShown = rejected - 1;
    const long long score = points * (ja ? mults + dxcc : mults);

    if (html) {
        if (ja)
            appendf(out, g_htmlTotal5, "Total", qsos, points, mults, dxcc);
        else
            appendf(out, g_htmlTotal4, "Total", qsos, points, mults);
        appendf(out, g_htmlDupeRow, "Dupe", dupes);
        appendf(out, g_htmlBadRow, "Bad QSO", badShown);
        if (ja)
            appendf(out, g_htmlScoreJA, "Score:", points, mults, dxcc, score);
        else
            appendf(out, g_htmlScore, "Score:", points, mults, score);
        appendf(out, g_htmlLastRow, "Last QSO points:", rates.lastPoints);
        appendf(out, g_htmlRateHeader, "Rate");
        appendf(out, g_htmlRateRow, "Hourly (10min/1 hour) QSO rate:", rates.hourQsos, 6 * rates.tenQsos);
        appendf(out, g_htmlRateRow, "Hourly (10min/1 hour) pts rate:", rates.hourPts, 6 * rates.tenPts);
        out += g_htmlFooterStart;
        out += g_creditLine;
        out += g_htmlFooterEnd;
    } else {
        if (ja)
            appendf(out, "Total\t %i\t %lld\t %i\t %i\r\n\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: %lld*(%i+%i) = %lld\r\n",
                    qsos, points, mults, dxcc, dupes, badShown, points, mults, dxcc, score);
        else
            appendf(out, "Total\t %i\t %lld\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: %lld*%i = %lld\r\n", qsos,
                    points, mults, dupes, badShown, points, mults, score);
        appendf(out,
                "\t\t\tRate\r\nHourly (10min) QSO rate: %5lld (%lld) QSOs/hour\r\nHourly (10min) pts rate: %5lld "
                "(%lld) points/hour\r\n\r\nLast QSO: %i points\r\n\r\n",
                rates.hourQsos, 6 * rates.tenQsos, rates.hourPts, 6 * rates.tenPts, rates.lastPoints);
        out += g_creditLine;
    }

    g_claimedScore = score;
    settingsWrite("Claimed", std::to_string(score));
    if (exporting) exportLog(status, lock);
    return out.c_str();
}
