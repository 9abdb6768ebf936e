#include "tools/report/report_html.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

// The bands' colours in the charts, long waves first, told apart also by readers who do not see red from green.
constexpr const char* kBandColours[kBandCount] = {"#7f3c8d", "#e7298a", "#d95f02", "#1b9e77", "#3969ac", "#e6ab02"};
constexpr const char* kScoreColour = "#222222";
constexpr const char* kMultColour = "#d95f02";

// Text for HTML, in an element or an attribute. The host's texts are 8-bit bytes of any code page: the page says
// windows-1252, in which every byte is a character; control bytes show as the replacement character.
std::string esc(std::string_view s) {
    std::string out;
    for (const char c : htmlText(s)) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) out += "&#xFFFD;";
        else out += c;
    }
    return out;
}

std::string num(long long n) {
    // Thousands apart by a thin space, as the result reads them at a glance.
    std::string digits = std::to_string(n < 0 ? -n : n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += "&#8201;";
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

std::string fmt(const char* format, double a, double b = 0, double c = 0, double d = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// A round upper bound for an axis and its step: 1, 2 or 5 times a power of ten, about five steps.
double niceStep(double top) {
    if (top <= 0) return 1;
    const double rough = top / 5, power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= rough) return std::max(1.0, m * power);
    return 10 * power;
}
double niceTop(double top) { return std::max(1.0, std::ceil(top / niceStep(top)) * niceStep(top)); }

std::string bandName(int b) { return jidx::kBands[b].name; }

// A chart's frame: the plot area, its horizontal grid lines and their labels on the left (and the right).
struct Plot {
    double left = 56, top = 16, width = 0, height = 0;
    double x(double fraction) const { return left + fraction * width; }
    double y(double value, double max) const { return top + height - value / max * height; }
};

std::string gridLines(const Plot& p, double max, bool rightLabels = false, double rightMax = 0) {
    std::string s;
    const double step = niceStep(max);
    for (double v = 0; v <= max + step / 2; v += step) {
        const double y = p.y(v, max);
        s += fmt("<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" class=\"grid\"/>", p.left, y, p.left + p.width, y);
        s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"axis\" text-anchor=\"end\">", p.left - 6, y + 4) + num(std::llround(v)) +
             "</text>";
        if (rightLabels)
            s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"axis\" fill=\"", p.left + p.width + 6, y + 4) + kMultColour +
                 "\">" + num(std::llround(v / max * rightMax)) + "</text>";
    }
    return s;
}

// The hours along the bottom: each hour's clock hour, every second one when they crowd.
std::string hourLabels(const Plot& p, const std::vector<HourRow>& hours) {
    std::string s;
    const std::size_t every = hours.size() > 24 ? 2 : 1;
    for (std::size_t h = 0; h < hours.size(); h += every)
        s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"axis\" text-anchor=\"middle\">",
                 p.x((h + 0.5) / hours.size()), p.top + p.height + 16) +
             hours[h].from.Format("%H") + "</text>";
    s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"axis\" text-anchor=\"middle\">hour (UTC)</text>", p.x(0.5),
             p.top + p.height + 32);
    return s;
}

std::string svgOpen(double width, double height, const std::string& label) {
    return fmt("<svg width=\"%.0f\" height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\" "
               "role=\"img\" aria-label=\"",
               width, height, width, height) +
           esc(label) + "\">";
}

std::string legendItem(double x, double y, const char* colour, const std::string& text) {
    return fmt("<rect x=\"%.1f\" y=\"%.1f\" width=\"12\" height=\"12\" fill=\"", x, y - 10) + colour + "\"/>" +
           fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"legend\">", x + 16, y) + esc(text) + "</text>";
}

// "07:00–08:00", HTML ready (the dash as a reference: the page's bytes are windows-1252).
std::string span(const HourRow& h) { return clockOf(h.from) + "&#8211;" + clockOf(h.to); }

// QSOs per hour, stacked by band, with the bands' legend.
std::string qsoChart(const Report& r) {
    Plot p;
    p.width = 820, p.height = 220;
    int most = 0;
    for (const HourRow& h : r.hours) most = std::max(most, h.total.qsos);
    const double max = niceTop(most);
    std::string s = svgOpen(p.left + p.width + 16, p.top + p.height + 64, "QSOs per hour, stacked by band");
    s += gridLines(p, max);
    const double slot = p.width / std::max<std::size_t>(1, r.hours.size());
    for (std::size_t h = 0; h < r.hours.size(); ++h) {
        double base = 0;
        for (int b : r.bands) {
            const int n = r.hours[h].bands[b].qsos;
            if (n == 0) continue;
            const double y = p.y(base + n, max), height = p.y(base, max) - y;
            s += fmt("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"", p.left + h * slot + slot * 0.1, y,
                     slot * 0.8, height) +
                 kBandColours[b] + "\"><title>" + bandName(b) + " " + span(r.hours[h]) + ": " + std::to_string(n) +
                 (n == 1 ? " QSO" : " QSOs") + "</title></rect>";
            base += n;
        }
    }
    s += hourLabels(p, r.hours);
    double x = p.left;
    for (int b : r.bands) s += legendItem(x, p.top + p.height + 54, kBandColours[b], bandName(b)), x += 70;
    return s + "</svg>";
}

std::string polyline(const Plot& p, const std::vector<double>& values, double max, const char* colour) {
    std::string points;
    for (std::size_t i = 0; i < values.size(); ++i)
        points += fmt("%.1f,%.1f ", p.x((i + 1.0) / values.size()), p.y(values[i], max));
    return "<polyline fill=\"none\" stroke-width=\"2.5\" stroke=\"" + std::string(colour) + "\" points=\"" + points +
           "\"/>";
}

// The score (left axis) and the multipliers (right axis) at each hour's end.
std::string runningChart(const Report& r) {
    Plot p;
    p.width = 780, p.height = 200;
    std::vector<double> score, mults;
    for (const HourRow& h : r.hours) score.push_back(static_cast<double>(h.score)), mults.push_back(h.mults + h.dxcc);
    const double scoreMax = niceTop(score.empty() ? 0 : *std::max_element(score.begin(), score.end()));
    const double multMax = niceTop(mults.empty() ? 0 : *std::max_element(mults.begin(), mults.end()));
    std::string s = svgOpen(p.left + p.width + 56, p.top + p.height + 64, "The running score and multipliers");
    s += gridLines(p, scoreMax, true, multMax);
    s += polyline(p, mults, multMax, kMultColour);
    s += polyline(p, score, scoreMax, kScoreColour);
    for (std::size_t i = 0; i < r.hours.size(); ++i)
        s += fmt("<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3\" fill=\"", p.x((i + 1.0) / r.hours.size()), p.y(score[i], scoreMax)) +
             kScoreColour + "\"><title>" + esc(hourLabel(r.hours[i].to)) + ": score " + std::to_string(r.hours[i].score) +
             ", " + std::to_string(static_cast<long long>(mults[i])) + " multipliers</title></circle>";
    s += hourLabels(p, r.hours);
    const std::string multName = r.ja ? "zones + DXCC (right axis)" : "counties (right axis)";
    s += legendItem(p.left, p.top + p.height + 54, kScoreColour, "score (left axis)");
    s += legendItem(p.left + 180, p.top + p.height + 54, kMultColour, multName);
    return s + "</svg>";
}

// One map: the items across, the bands down, each cell the contest hour (1 is the first) the item was first worked
// on the band; grey where it never was. Long lists wrap into blocks of 25 items.
std::string multMap(const Report& r, const std::vector<FirstWorked>& items, const std::string& what,
                    const std::string& one) {
    constexpr int kPerBlock = 25;
    constexpr double kCellW = 30, kCellH = 20, kLeft = 44, kHead = 18;
    const int blocks = std::max<int>(1, (static_cast<int>(items.size()) + kPerBlock - 1) / kPerBlock);
    const double blockH = kHead + kCellH * r.bands.size() + 14;
    std::string s = svgOpen(kLeft + kCellW * kPerBlock + 8, blockH * blocks, what + " against the bands");
    for (int blk = 0; blk < blocks; ++blk) {
        const double top = blk * blockH;
        for (std::size_t row = 0; row < r.bands.size(); ++row)
            s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"axis\" text-anchor=\"end\">", kLeft - 6,
                     top + kHead + row * kCellH + 14) + bandName(r.bands[row]) + "</text>";
        for (int i = 0; i < kPerBlock && blk * kPerBlock + i < static_cast<int>(items.size()); ++i) {
            const FirstWorked& item = items[blk * kPerBlock + i];
            const double x = kLeft + i * kCellW;
            s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"item\" text-anchor=\"middle\">", x + kCellW / 2, top + 13) +
                 esc(item.item) + "</text>";
            for (std::size_t row = 0; row < r.bands.size(); ++row) {
                const int b = r.bands[row], hour = item.hour[b];
                const double y = top + kHead + row * kCellH;
                const std::string where = one + " " + esc(item.item) + " on " + bandName(b);
                if (hour < 0) {
                    s += fmt("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" class=\"never\">", x + 1, y + 1,
                             kCellW - 2, kCellH - 2) + "<title>" + where + ": not worked</title></rect>";
                    continue;
                }
                s += fmt("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"", x + 1, y + 1, kCellW - 2,
                         kCellH - 2) + kBandColours[b] + "\"><title>" + where + ": first worked " +
                     span(r.hours[hour]) + " UTC, contest hour " + std::to_string(hour + 1) + "</title></rect>";
                s += fmt("<text x=\"%.1f\" y=\"%.1f\" class=\"hour\" text-anchor=\"middle\">", x + kCellW / 2, y + 14) +
                     std::to_string(hour + 1) + "</text>";
            }
        }
    }
    return s + "</svg>";
}

// The counted QSOs of each ten minutes as an hourly rate (bars), the last sixty minutes' QSOs at each ten
// minutes' end (the line), and the best windows marked.
std::string rateChart(const Report& r) {
    Plot p;
    p.width = 820, p.height = 200;
    const std::vector<int>& ten = r.tenMinuteQsos;
    std::vector<double> hourly;
    int most = 0;
    for (std::size_t i = 0; i < ten.size(); ++i) {
        int last60 = 0;
        for (std::size_t j = i + 1 >= 6 ? i - 5 : 0; j <= i; ++j) last60 += ten[j];
        hourly.push_back(last60);
        most = std::max({most, ten[i] * 6, last60});
    }
    most = std::max({most, r.best10.qsos * 6, r.best60.qsos});
    const double max = niceTop(most);
    std::string s = svgOpen(p.left + p.width + 16, p.top + p.height + 64, "QSO rates");
    s += gridLines(p, max);
    const double slot = p.width / std::max<std::size_t>(1, ten.size());
    for (std::size_t i = 0; i < ten.size(); ++i) {
        if (ten[i] == 0) continue;
        const COleDateTime from = timeOfSeconds(secondsOf(r.start) + static_cast<long long>(i) * 600);
        s += fmt("<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" class=\"ten\">", p.left + i * slot,
                 p.y(ten[i] * 6, max), std::max(1.0, slot - 1), p.y(0, max) - p.y(ten[i] * 6, max)) +
             "<title>" + clockOf(from) + " UTC: " + std::to_string(ten[i]) + " QSOs in 10 minutes (" +
             std::to_string(ten[i] * 6) + " per hour)</title></rect>";
    }
    std::string points;
    for (std::size_t i = 0; i < hourly.size(); ++i)
        points += fmt("%.1f,%.1f ", p.left + (i + 1) * slot, p.y(hourly[i], max));
    s += "<polyline fill=\"none\" stroke-width=\"2\" stroke=\"" + std::string(kScoreColour) + "\" points=\"" + points + "\"/>";
    s += hourLabels(p, r.hours);
    s += legendItem(p.left, p.top + p.height + 54, "#9ecae1", "QSOs per 10 minutes, times 6");
    s += legendItem(p.left + 260, p.top + p.height + 54, kScoreColour, "QSOs in the last 60 minutes");
    return s + "</svg>";
}

std::string row(std::initializer_list<std::string> cells, const char* tag = "td") {
    std::string s = "<tr>";
    for (const std::string& c : cells) s += std::string("<") + tag + ">" + c + "</" + tag + ">";
    return s + "</tr>";
}

std::string rateText(const BestRate& b) {
    if (b.qsos == 0) return "none";
    const long long perHour = b.qsos * 60LL / b.minutes;
    return num(b.qsos) + " QSOs from " + esc(clockOf(b.from)) + " UTC (" + esc(b.from.Format("%Y-%m-%d")) + "), " +
           num(perHour) + " per hour";
}

std::string keyFigures(const Report& r) {
    const ResultTally& t = r.result;
    std::string s = "<table class=\"key\">";
    s += row({"Score", "<b>" + num(t.score) + "</b>"});
    s += row({"QSOs counted", num(t.total.qsos) + " of " + num(static_cast<long long>(r.handedOver)) + " handed over"});
    s += row({"Points", num(t.total.points)});
    if (r.ja) s += row({"Zones + DXCC", num(t.total.mults) + " + " + num(t.total.dxcc)});
    else s += row({"Counties", num(t.total.mults)});
    s += row({"Dupes", num(t.total.dupes)});
    s += row({"Bad QSOs", num(t.badShown)});
    s += row({"Time on", esc(lengthOf(r.minutesOn)) + " of " + esc(lengthOf((secondsOf(r.end) - secondsOf(r.start)) / 60))});
    s += row({"Best 60 minutes", rateText(r.best60)});
    s += row({"Best 10 minutes", rateText(r.best10)});
    return s + "</table>";
}

std::string hourTable(const Report& r) {
    const int perBand = r.ja ? 4 : 3;
    std::string s = "<table class=\"hours\"><thead><tr><th rowspan=\"2\">Hour (UTC)</th>";
    for (int b : r.bands)
        s += "<th colspan=\"" + std::to_string(perBand) + "\" style=\"border-top:4px solid " + kBandColours[b] + "\">" +
             bandName(b) + "</th>";
    s += "<th colspan=\"" + std::to_string(perBand) + "\">All bands</th><th rowspan=\"2\">Dupes</th>"
         "<th rowspan=\"2\">Bad QSOs</th><th rowspan=\"2\">" + std::string(r.ja ? "Zones + DXCC" : "Counties") +
         "</th><th rowspan=\"2\">Score</th></tr><tr>";
    for (std::size_t i = 0; i <= r.bands.size(); ++i)
        s += std::string("<th>QSOs</th><th>Pts</th><th>New</th>") + (r.ja ? "<th>DXCC</th>" : "");
    s += "</tr></thead><tbody>";
    auto cells = [&](const BandHour& b) {
        std::string c = "<td>" + num(b.qsos) + "</td><td>" + num(b.points) + "</td><td>" + num(b.newMults) + "</td>";
        if (r.ja) c += "<td>" + num(b.newDxcc) + "</td>";
        return c;
    };
    for (const HourRow& h : r.hours) {
        s += "<tr><th>" + esc(h.from.Format("%d %H:%M")) + "</th>";
        for (int b : r.bands) s += cells(h.bands[b]);
        s += cells(h.total) + "<td>" + num(h.dupes) + "</td><td>" + num(h.bad) + "</td><td>" +
             (r.ja ? num(h.mults) + " + " + num(h.dxcc) : num(h.mults)) + "</td><td>" + num(h.score) + "</td></tr>";
    }
    const ResultTally& t = r.result;
    s += "<tr class=\"total\"><th>Total</th>";
    for (int b : r.bands) {
        BandHour band;
        for (const BandTally& bt : t.bands)
            if (bt.index == b) band = {bt.qsos, bt.points, bt.mults, bt.dxcc};
        s += cells(band);
    }
    s += cells({t.total.qsos, t.total.points, t.total.mults, t.total.dxcc}) + "<td>" + num(t.total.dupes) +
         "</td><td>" + num(t.badShown) + "</td><td>" +
         (r.ja ? num(t.total.mults) + " + " + num(t.total.dxcc) : num(t.total.mults)) + "</td><td>" + num(t.score) +
         "</td></tr>";
    return s + "</tbody></table>";
}

std::string breaksSection(const Report& r) {
    std::string s = "<h2 id=\"breaks\">Breaks</h2>";
    const long long period = (secondsOf(r.end) - secondsOf(r.start)) / 60;
    s += "<p>On the air <b>" + esc(lengthOf(r.minutesOn)) + "</b> of the contest's " + esc(lengthOf(period)) +
         ": every gap of 30 minutes or more between QSOs (and before the first or after the last) is a break.</p>";
    if (r.breaks.empty()) return s + "<p>No break of 30 minutes or more.</p>";
    s += "<table class=\"breaks\"><thead>" + row({"From (UTC)", "Length", ""}, "th") + "</thead><tbody>";
    for (const Break& b : r.breaks) {
        const char* where = b.where == Break::Where::beforeFirst ? "before the first QSO"
                            : b.where == Break::Where::afterLast ? "after the last QSO"
                                                                 : "between QSOs";
        s += row({esc(hourLabel(b.from)), esc(lengthOf(b.minutes)), where});
    }
    return s + "</tbody></table>";
}

std::string problemsSection(const Report& r) {
    std::string s = "<h2 id=\"problems\">Problems</h2>";
    if (r.problems.empty()) return s + "<p>The bad-QSO file lists no problem.</p>";
    std::size_t lines = 0;
    for (const ProblemGroup& g : r.problems) lines += g.lines.size();
    s += "<p>The bad-QSO file lists " + num(static_cast<long long>(lines)) + (lines == 1 ? " problem" : " problems") +
         ", by mark:</p>";
    s += "<table class=\"marks\"><thead>" + row({"Mark", "QSOs", "What it means"}, "th") + "</thead><tbody>";
    for (const ProblemGroup& g : r.problems)
        s += row({"<code>" + (g.mark.empty() ? std::string("(other)") : esc(g.mark)) + "</code>",
                  num(static_cast<long long>(g.lines.size())), esc(g.meaning)});
    s += "</tbody></table>";
    for (const ProblemGroup& g : r.problems) {
        s += "<h3>" + (g.mark.empty() ? std::string("Other lines") : esc(g.mark)) + " (" +
             num(static_cast<long long>(g.lines.size())) + ")</h3><pre>";
        for (const std::string& line : g.lines) s += esc(line) + "\n";
        s += "</pre>";
    }
    return s;
}

// The plug-in's page in a frame of its own, so that its style stays its own; high enough for its rows.
std::string resultFrame(const Report& r, const std::string& page) {
    const int rows = static_cast<int>(r.result.bands.size()) + 10;
    return "<iframe class=\"result\" title=\"The plug-in's result\" sandbox=\"\" style=\"height:" +
           std::to_string(50 + rows * 22) + "px\" srcdoc=\"" + esc(page) + "\"></iframe>";
}

constexpr const char* kStyle =
    "body{font-family:'DejaVu Sans',Verdana,Arial,sans-serif;font-size:14px;color:#222;margin:16px 24px;max-width:1250px}"
    "h1{font-size:22px;margin:0 0 4px}h2{font-size:18px;margin:28px 0 8px;border-bottom:1px solid #ccc}"
    "h3{font-size:14px;margin:14px 0 4px}p.sub{color:#555;margin:0 0 12px}"
    "table{border-collapse:collapse}td,th{border:1px solid #ccc;padding:2px 6px}"
    "table.key th,table.key td{text-align:left}table.key td:first-child{color:#555}"
    "table.hours{font-size:11px;white-space:nowrap}table.hours td,table.hours th{padding:1px 4px}table.hours td{text-align:right}table.hours tr.total{font-weight:bold;"
    "background:#f3f3f3}table.hours th{background:#fafafa}"
    "iframe.result{width:640px;border:1px solid #ccc}"
    "svg{display:block;margin:8px 0}svg .grid{stroke:#e3e3e3}svg text{font-family:inherit}"
    "svg .axis{font-size:11px;fill:#555}svg .legend{font-size:12px;fill:#222}svg .item{font-size:11px;fill:#333}"
    "svg .hour{font-size:11px;fill:#fff;font-weight:bold}svg .never{fill:#eeeeee}svg .ten{fill:#9ecae1}"
    "table.marks td:first-child{white-space:nowrap}pre{font-size:12px;background:#f7f7f7;padding:6px;overflow-x:auto}p.note{color:#555;font-size:12px}";

} // namespace

std::string renderReportHtml(const Report& r, const ReportPage& page) {
    const std::string mode = jidx::modeRow(r.contestMode).name;
    const std::string year = r.start.Format("%Y");
    std::string s = "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"windows-1252\"><title>" +
                    esc(r.ownCall) + " in JIDX " + mode + " " + year + "</title><style>" + kStyle +
                    "</style></head><body>\n";
    s += "<h1>" + esc(r.ownCall) + " in JIDX " + mode + " " + year + "</h1>";
    s += "<p class=\"sub\">The contest from " + esc(hourLabel(r.start)) + " to " + esc(hourLabel(r.end)) +
         " UTC, hour by hour, from " + esc(page.logName) + ".</p>\n";
    s += keyFigures(r) + "\n";
    s += "<h2 id=\"result\">The result</h2>" + resultFrame(r, page.resultPage) + "\n";
    s += "<h2 id=\"hours\">Hour by hour</h2><h3>QSOs per hour, by band</h3>" + qsoChart(r) + "\n";
    s += "<h3>The running score and multipliers</h3>" + runningChart(r) + "\n";
    s += "<h3>The hours</h3><p>Per band, what the hour added: its QSOs and points, and the " +
         std::string(multWord(r.ja)) + (r.ja ? " (New) and DXCC entities (DXCC)" : " (New)") +
         " first worked on the band. Dupes and bad QSOs are the hour's own; the last two columns are where the "
         "contest stood at the hour's end. The hours add up to the result's table.</p>" + hourTable(r) + "\n";
    s += "<h2 id=\"mults\">Multipliers</h2><p>Each cell holds the contest hour in which the " +
         std::string(multWord(r.ja, false)) + " was first worked on the band (1 is " + span(r.hours.front()) +
         " UTC on the first day); grey cells were never worked.</p>";
    s += multMap(r, r.mults, r.ja ? "Zones" : "Counties", r.ja ? "zone" : "county") + "\n";
    if (r.ja) {
        s += "<h3>DXCC entities worked (" + num(static_cast<long long>(r.dxcc.size())) + ")</h3>";
        s += r.dxcc.empty() ? std::string("<p>None.</p>") : multMap(r, r.dxcc, "Entities", "entity");
        s += "\n";
    }
    s += "<h2 id=\"rates\">Rates</h2><p>Best 60 minutes: " + rateText(r.best60) + ". Best 10 minutes: " +
         rateText(r.best10) + ". Only the QSOs the result counts are counted.</p>" + rateChart(r) + "\n";
    s += breaksSection(r) + "\n" + problemsSection(r) + "\n";
    s += "<p class=\"note\">Made by " + esc(page.madeBy) + " with the plug-in's own tally.</p>\n</body></html>\n";
    return s;
}
