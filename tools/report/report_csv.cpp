#include "tools/report/report_csv.h"

#include <string_view>

namespace {

void field(std::string& line, std::string_view text) {
    if (!line.empty()) line += ',';
    line += text;
}
void field(std::string& line, long long n) { field(line, std::to_string(n)); }

// Words with the first letter in capitals, for the header's total columns.
std::string capitalised(std::string_view word) {
    std::string s(word);
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

void bandFields(std::string& line, const BandHour& b, bool ja) {
    field(line, b.qsos);
    field(line, b.points);
    field(line, b.newMults);
    if (ja) field(line, b.newDxcc);
}

} // namespace

std::string renderReportCsv(const Report& r) {
    const std::string mults(multWord(r.ja));
    std::string csv, line;
    field(line, "Hour (UTC)");
    for (int b : r.bands) {
        const std::string band = jidx::kBands[b].name;
        field(line, band + " QSOs");
        field(line, band + " points");
        field(line, band + " new " + mults);
        if (r.ja) field(line, band + " new DXCC");
    }
    for (std::string_view name : {std::string_view("QSOs"), std::string_view("Points")}) field(line, name);
    field(line, "New " + mults);
    if (r.ja) field(line, "New DXCC");
    field(line, "Dupes");
    field(line, "Bad QSOs");
    field(line, capitalised(mults));
    if (r.ja) field(line, "DXCC");
    field(line, "Score");
    csv += line + "\r\n";

    for (const HourRow& h : r.hours) {
        line.clear();
        field(line, hourLabel(h.from));
        for (int b : r.bands) bandFields(line, h.bands[b], r.ja);
        bandFields(line, h.total, r.ja);
        field(line, h.dupes);
        field(line, h.bad);
        field(line, h.mults);
        if (r.ja) field(line, h.dxcc);
        field(line, h.score);
        csv += line + "\r\n";
    }

    // The result's own table: the hours above add up to it.
    line.clear();
    field(line, "Total");
    for (int b : r.bands) {
        BandHour band;
        for (const BandTally& t : r.result.bands)
            if (t.index == b) band = {t.qsos, t.points, t.mults, t.dxcc};
        bandFields(line, band, r.ja);
    }
    bandFields(line, {r.result.total.qsos, r.result.total.points, r.result.total.mults, r.result.total.dxcc}, r.ja);
    field(line, r.result.total.dupes);
    field(line, r.result.badShown);
    field(line, r.result.total.mults);
    if (r.ja) field(line, r.result.total.dxcc);
    field(line, r.result.score);
    csv += line + "\r\n";
    return csv;
}
