// The result as the host shows it: plain text, or an HTML page once the host has said it reads one.
#include <string_view>

#include "engine/jidx_rules.h"
#include "platform/portable/text_format.h"
#include "results/html_templates.h"
#include "results/result_tally.h"

using text::appendf;

namespace {

const char* contestTitle(const ResultTally& t) { return jidx::modeRow(t.contestMode).resultTitle; }

} // namespace

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

std::string renderText(const ResultTally& t) {
    std::string out;
    appendf(out, "    %s %s-%s\r\n\tContestant: %s \r\n\tQSOs\tPoints\t%s\r\n", contestTitle(t),
            t.startDayMonth.c_str(), t.endDate.c_str(), t.ownCall.c_str(), t.ja ? "Zone\tDXCC" : "County");
    for (const BandTally& b : t.bands) {
        if (b.index >= kBandCount) continue;
        if (t.ja)
            appendf(out, "%s\t %i\t %lld\t %i\t %i\r\n", b.name.c_str(), b.qsos, b.points, b.mults, b.dxcc);
        else
            appendf(out, "%s\t %i\t %lld\t %i\r\n", b.name.c_str(), b.qsos, b.points, b.mults);
    }
    const BandTally& s = t.total;
    if (t.ja)
        appendf(out, "Total\t %i\t %lld\t %i\t %i\r\n\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: %lld*(%i+%i) = %lld\r\n",
                s.qsos, s.points, s.mults, s.dxcc, s.dupes, t.badShown, s.points, s.mults, s.dxcc, t.score);
    else
        appendf(out, "Total\t %i\t %lld\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n\r\nScore: %lld*%i = %lld\r\n", s.qsos,
                s.points, s.mults, s.dupes, t.badShown, s.points, s.mults, t.score);
    appendf(out,
            "\t\t\tRate\r\nHourly (10min) QSO rate: %5lld (%lld) QSOs/hour\r\nHourly (10min) pts rate: %5lld "
            "(%lld) points/hour\r\n\r\nLast QSO: %i points\r\n\r\n",
            t.hourQsos, 6 * t.tenQsos, t.hourPoints, 6 * t.tenPoints, t.lastPoints);
    out += g_creditLine;
    return out;
}

std::string renderHtml(const ResultTally& t) {
    std::string out = g_htmlHead;
    const std::string title = "   " + std::string(contestTitle(t)) + " " + t.startDayMonth + "-" + t.endDate;
    appendf(out, g_htmlTitle, title.c_str(), htmlText(t.ownCall).c_str());
    if (t.ja)
        appendf(out, g_htmlHeader5, "Band", "QSOs", "Points", "Zone", "DXCC");
    else
        appendf(out, g_htmlHeader4, "Band", "QSOs", "Points", "County");
    for (const BandTally& b : t.bands) {
        if (b.index >= kBandCount) continue;
        if (t.ja)
            appendf(out, g_htmlRow5, htmlText(b.name).c_str(), b.qsos, b.points, b.mults, b.dxcc);
        else
            appendf(out, g_htmlRow4, htmlText(b.name).c_str(), b.qsos, b.points, b.mults);
    }
    const BandTally& s = t.total;
    if (t.ja)
        appendf(out, g_htmlTotal5, "Total", s.qsos, s.points, s.mults, s.dxcc);
    else
        appendf(out, g_htmlTotal4, "Total", s.qsos, s.points, s.mults);
    appendf(out, g_htmlDupeRow, "Dupe", s.dupes);
    appendf(out, g_htmlBadRow, "Bad QSO", t.badShown);
    if (t.ja)
        appendf(out, g_htmlScoreJA, "Score:", s.points, s.mults, s.dxcc, t.score);
    else
        appendf(out, g_htmlScore, "Score:", s.points, s.mults, t.score);
    appendf(out, g_htmlLastRow, "Last QSO points:", t.lastPoints);
    appendf(out, g_htmlRateHeader, "Rate");
    appendf(out, g_htmlRateRow, "Hourly (10min/1 hour) QSO rate:", t.hourQsos, 6 * t.tenQsos);
    appendf(out, g_htmlRateRow, "Hourly (10min/1 hour) pts rate:", t.hourPoints, 6 * t.tenPoints);
    out += g_htmlFooterStart;
    out += g_creditLine;
    out += g_htmlFooterEnd;
    return out;
}
