// AddData0 and RemoveData0: one QSO into the log, or out of it, with its lines in the bad-QSO file.
#include <algorithm>
#include <climits>
#include <string>

#include "engine/contest_engine.h"
#include "engine/contest_state.h"
#include "platform/files.h"
#include "ui/info_thread.h"

namespace {

// Collects the QSO's problem lines; the file is opened once, and only when there is a line to write.
class ProblemLines {
public:
    explicit ProblemLines(const QsoInput& q) : m_qso(q) {}

    void add(std::string_view mark) {
        const QsoInput& q = m_qso;
        std::string& s = m_text;
        s += "QSO:  ";
        s += std::to_string(q.freqHz / 1000);
        for (std::string_view piece : {q.mode, std::string_view(timeText()), q.myCall, q.rstSent, q.exchSent,
                                       q.call, q.rstRcvd, q.exchRcvd}) {
            s += "  ";
            s += piece;
        }
        s += mark;
        s += "\r\n";
    }

    ~ProblemLines() {
        if (!m_text.empty()) appendBadQsoLines(m_text);
    }

private:
    const std::string& timeText() {
        if (!m_timeDone) m_time = m_qso.time.Format("%Y-%m-%d %H%M"), m_timeDone = true;
        return m_time;
    }

    const QsoInput& m_qso;
    std::string m_text;
    std::string m_time;
    bool m_timeDone = false;
};

// A signed decimal number from the start of the text; saturates instead of overflowing.
int readZone(const std::string& x) {
    std::size_t i = 0;
    bool negative = false;
    if (i < x.size() && (x[i] == '+' || x[i] == '-')) negative = x[i++] == '-';
    long long v = 0;
    for (; i < x.size() && x[i] >= '0' && x[i] <= '9'; ++i) v = std::min<long long>(v * 10 + (x[i] - '0'), 1LL << 32);
    if (negative) v = -v;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

void fillRecord(CInfo& r, const QsoInput& q, ProblemLines& problems) {
    r.call = q.call;
    r.band = q.band;
    r.mode = q.mode;
    r.hostText = q.hostText;
    r.rstRcvd = q.rstRcvd;
    r.rstSent = q.rstSent;
    r.exchRcvd = q.exchRcvd;
    r.exchSent = q.exchSent;
    // Sicily and the other Italian islands count as Italy.
    const bool italianIsland = q.prefix == "IT9" || q.prefix == "IG9" || q.prefix == "IH9";
    r.prefix = italianIsland ? std::string_view("I") : q.prefix;
    r.freqKHz = static_cast<int>(q.freqHz / 1000);
    r.time = q.time;

    std::string x = cleanExchange(q.exchRcvd);
    if (g_ownIsJA) {
        r.zone = readZone(x);
        r.multCode = x.size() >= 2 ? x : "0" + x;
    } else if (isCountyCode(x)) {
        r.multCode = x;
    } else {
        problems.add("  " + x + "  Code is not acceptable !!!");
        r.excluded = r.bad = 1;
    }
}

} // namespace

int addData(const QsoInput& q) {
    ProblemLines problems(q);
    if (!g_bandList.containsNoCase(q.band)) {
        problems.add("   WRONG BAND !!!");
        return 0;
    }
    if (!g_modeList.containsNoCase(q.mode) || q.mode != (g_contestMode == 0 ? "CW" : "SSB")) {
        problems.add("   WRONG MODE !!!");
        return 0;
    }
    if (q.exchRcvd.empty() || q.exchSent.empty()) {
        problems.add("   NO NUMBER !!!");
        return 0;
    }
    if (std::find(g_bandsWorked.begin(), g_bandsWorked.end(), q.band) == g_bandsWorked.end())
        g_bandsWorked.emplace_back(q.band);

    CInfo& r = g_log.newRecord();
    bool dupe;
    try {
        fillRecord(r, q, problems);
        dupe = g_log.indexNew();
    } catch (...) {
        g_log.dropNew();
        throw;
    }
    if (dupe) {
        problems.add("   DUPE !!!");
        r.dupe = r.bad = 1;
    }
    if (isJapanesePrefix(r.prefix) == (g_ownIsJA != 0)) {
        problems.add("   QSO 0 points !!!");
        r.excluded = r.bad = 1;
    }
    return 1;
}

void removeData(const QsoInput& q) {
    for (std::size_t i = 0; i < g_log.size(); ++i) {
        const CInfo& r = g_log[i];
        if (r.call == q.call && r.mode == q.mode && r.band == q.band && r.time == q.time) {
            resetGridWindows();
            g_log.removeAt(i);
            break;
        }
    }

    // Only the removed QSO's own lines leave the file; the header follows the current contest mode.
    closeBadQsoFile();
    std::string key = " " + q.time.Format("%H%M") + " ";
    std::vector<std::string> lines;
    platform::readLines(g_badQsoFileName, lines);
    std::string text = badQsoHeader();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find(q.call) != std::string::npos && line.find(key) != std::string::npos) continue;
        text += line;
        text += "\r\n";
    }
    platform::writeWholeFile(g_badQsoFileName, text);

    if (g_log.empty()) {
        g_bandsWorked.clear();
        for (auto& l : g_dxccByBand) l.clear();
        for (auto& l : g_multByBand) l.clear();
    }
    g_refreshPending = 1;
    postInfoRefresh();
}
