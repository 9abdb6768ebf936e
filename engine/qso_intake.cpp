// AddData0 and RemoveData0: one QSO into the log, or out of it, with its lines in the bad-QSO file.
#include <algorithm>
#include <climits>
#include <string>

#include "engine/contest_engine.h"
#include "engine/contest_state.h"
#include "platform/files.h"

namespace {

const char* const kWrongBand = "   WRONG BAND !!!";
const char* const kWrongMode = "   WRONG MODE !!!";
const char* const kNoNumber = "   NO NUMBER !!!";
const char* const kDupe = "   DUPE !!!";
const char* const kNoPoints = "   QSO 0 points !!!";

std::string codeNotAcceptable(const std::string& cleaned) { return "  " + cleaned + "  Code is not acceptable !!!"; }

// A problem line stands for one QSO on one line of the file: a line break in a text the host gave would split
// it (and forge a line of its own), so it is written as a blank.
void appendPiece(std::string& s, std::string_view piece) {
    for (char c : piece) s += c == '\r' || c == '\n' ? ' ' : c;
}

// The QSO's part of each of its problem lines: everything before the mark.
std::string problemLineHead(const QsoInput& q) {
    std::string s = "QSO:  " + std::to_string(q.freqHz / 1000);
    const std::string time = q.time.Format("%Y-%m-%d %H%M");
    for (std::string_view piece :
         {q.mode, std::string_view(time), q.myCall, q.rstSent, q.exchSent, q.call, q.rstRcvd, q.exchRcvd}) {
        s += "  ";
        appendPiece(s, piece);
    }
    return s;
}

// Collects the QSO's problem lines; the file is opened once, and only when there is a line to write.
class ProblemLines {
public:
    explicit ProblemLines(const QsoInput& q) : m_qso(q) {}

    void add(std::string_view mark) {
        if (m_head.empty()) m_head = problemLineHead(m_qso);
        m_text += m_head;
        appendPiece(m_text, mark);
        m_text += "\r\n";
    }

    ~ProblemLines() {
        if (!m_text.empty()) appendBadQsoLines(m_text);
    }

private:
    const QsoInput& m_qso;
    std::string m_head;
    std::string m_text;
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
    r.prefix = jidx::isOneOf(q.prefix, jidx::kItalianIslands) ? std::string_view(jidx::kItalyPrefix) : q.prefix;
    r.freqKHz = static_cast<int>(q.freqHz / 1000);
    r.time = q.time;

    std::string x = cleanExchange(q.exchRcvd);
    if (g_ownIsJA) {
        r.zone = readZone(x);
        r.multCode = x.size() >= 2 ? x : "0" + x;
    } else if (isCountyCode(x)) {
        r.multCode = x;
    } else {
        problems.add(codeNotAcceptable(x));
        r.excluded = r.bad = 1;
    }
}

} // namespace

int addData(const QsoInput& q) {
    ProblemLines problems(q);
    if (!g_bandList.containsNoCase(q.band)) {
        problems.add(kWrongBand);
        return 0;
    }
    if (!g_modeList.containsNoCase(q.mode) || q.mode != jidx::modeRow(g_contestMode).name) {
        problems.add(kWrongMode);
        return 0;
    }
    if (q.exchRcvd.empty() || q.exchSent.empty()) {
        problems.add(kNoNumber);
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
        problems.add(kDupe);
        r.dupe = r.bad = 1;
    }
    if (isJapanesePrefix(r.prefix) == (g_ownIsJA != 0)) {
        problems.add(kNoPoints);
        r.excluded = r.bad = 1;
    }
    return 1;
}

Removed removeData(const QsoInput& q) {
    Removed removed;
    for (std::size_t i = 0; i < g_log.size(); ++i) {
        const CInfo& r = g_log[i];
        if (r.call == q.call && r.mode == q.mode && r.band == q.band && r.time == q.time) {
            g_log.removeAt(i);
            removed.fromLog = true;
            break;
        }
    }

    // The host removes a QSO with the values it added it with: the lines that adding wrote for them go, each
    // once (one AddData0 wrote each of its marks at most once), and every other line stays.
    const std::string head = problemLineHead(q);
    const std::string codeMark = codeNotAcceptable(cleanExchange(q.exchRcvd));
    std::vector<std::string> owned;
    for (std::string_view mark : {std::string_view(kWrongBand), std::string_view(kWrongMode),
                                  std::string_view(kNoNumber), std::string_view(codeMark), std::string_view(kDupe),
                                  std::string_view(kNoPoints)}) {
        std::string line = head;
        appendPiece(line, mark);
        owned.push_back(std::move(line));
    }
    std::vector<bool> gone(owned.size(), false);
    closeBadQsoFile();
    std::vector<std::string> lines;
    platform::readLines(g_badQsoFileName, lines);
    std::string kept;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::size_t own = 0;
        while (own < owned.size() && (gone[own] || owned[own] != lines[i])) ++own;
        if (own < owned.size()) {
            gone[own] = true;
            continue;
        }
        kept += lines[i];
        kept += "\r\n";
    }
    rewriteBadQsoFile(kept);

    if (g_log.empty()) {
        g_bandsWorked.clear();
        for (auto& l : g_dxccByBand) l.clear();
        for (auto& l : g_multByBand) l.clear();
    }
    g_refreshPending = 1;
    return removed;
}
