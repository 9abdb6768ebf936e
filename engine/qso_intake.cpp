// AddData0 and RemoveData0: one QSO into the log, or out of it, with its lines in the bad-QSO file.
#include <algorithm>
#include <iterator>
#include <string>

#include "engine/bad_qso_file.h"
#include "engine/contest_engine.h"
#include "engine/contest_state.h"
#include "platform/files.h"
#include "platform/portable/ascii.h"
#include "platform/settings.h"

namespace {

// The problems a QSO can have, in the order AddData0 looks for them, and the mark that ends each one's line in the
// bad-QSO file. Adding writes the marks, removing finds a QSO's lines by them: both read this one table.
enum Problem { wrongBand, wrongMode, noNumber, codeNotAcceptable, dupe, noPoints, problemCount };
const struct {
    const char* mark; // what follows the QSO's part of the line
    bool showsCode;   // the mark follows two blanks and the cleaned exchange
} kProblemMarks[] = {
    {"   WRONG BAND !!!", false},
    {"   WRONG MODE !!!", false},
    {"   NO NUMBER !!!", false},
    {"  Code is not acceptable !!!", true},
    {"   DUPE !!!", false},
    {"   QSO 0 points !!!", false},
};
static_assert(std::size(kProblemMarks) == problemCount);

std::string markOf(int problem, const QsoInput& q) {
    const auto& row = kProblemMarks[problem];
    return row.showsCode ? "  " + cleanExchange(q.exchRcvd) + row.mark : row.mark;
}

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

// The QSO's problem lines, made before anything of the state changes: a failure to make them (memory) leaves the
// log and the file as they were.
class ProblemLines {
public:
    explicit ProblemLines(const QsoInput& q) : m_qso(q) {}

    void add(Problem problem) {
        if (m_head.empty()) m_head = problemLineHead(m_qso);
        m_text += m_head;
        appendPiece(m_text, markOf(problem, m_qso));
        m_text += "\r\n";
    }
    const std::string& text() const { return m_text; }

private:
    const QsoInput& m_qso;
    std::string m_head;
    std::string m_text;
};

// A rejected QSO: its line, and no record.
int reject(ProblemLines& problems, Problem problem) {
    problems.add(problem);
    g_badQsoFile.reserve(problems.text().size());
    g_badQsoFile.append(problems.text());
    return 0;
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
        r.zone = platform::leadingInt(x);
        r.multCode = x.size() >= 2 ? x : "0" + x;
    } else if (isCountyCode(x)) {
        r.multCode = x;
    } else {
        problems.add(codeNotAcceptable);
        r.excluded = r.bad = 1;
    }
}

} // namespace

// All or nothing: the record, its lines and the room for them are made first; then the log, the band list and
// the file take them in steps that cannot fail.
int addData(const QsoInput& q) {
    ProblemLines problems(q);
    if (!isContestBand(q.band, g_contestMode)) return reject(problems, wrongBand);
    if (q.mode != jidx::modeRow(g_contestMode).name) return reject(problems, wrongMode); // exactly, letter case too
    // An exchange of blanks only is no number either.
    if (ascii::trim(q.exchRcvd).empty() || ascii::trim(q.exchSent).empty()) return reject(problems, noNumber);

    CInfo r;
    fillRecord(r, q, problems);
    if (g_log.hasCallBandMode(r.call, r.band, r.mode)) {
        problems.add(dupe);
        r.dupe = r.bad = 1;
    }
    if (isJapanesePrefix(r.prefix) == (g_ownIsJA != 0)) {
        problems.add(noPoints);
        r.excluded = r.bad = 1;
    }
    const bool newBand = std::find(g_bandsWorked.begin(), g_bandsWorked.end(), q.band) == g_bandsWorked.end();
    std::string band;
    if (newBand) {
        band = q.band;
        g_bandsWorked.reserve(g_bandsWorked.size() + 1);
    }
    g_log.reserveOne();
    g_badQsoFile.reserve(problems.text().size());

    if (newBand) g_bandsWorked.push_back(std::move(band));
    g_log.append(std::move(r));
    g_badQsoFile.append(problems.text());
    return 1;
}

Removed removeData(const QsoInput& q) {
    Removed removed;
    std::size_t found = g_log.size();
    for (std::size_t i = 0; i < g_log.size(); ++i) {
        const CInfo& r = g_log[i];
        if (r.call == q.call && r.mode == q.mode && r.band == q.band && r.time == q.time) {
            found = i;
            break;
        }
    }

    // The host removes a QSO with the values it added it with: the lines that adding wrote for them go, each
    // once (one AddData0 wrote each of its marks at most once), and every other line stays. They are made before
    // the log changes, so that a failure leaves both as they were.
    const std::string head = problemLineHead(q);
    std::vector<std::string> owned;
    for (int problem = 0; problem < problemCount; ++problem) {
        std::string line = head;
        appendPiece(line, markOf(problem, q));
        owned.push_back(std::move(line));
    }
    std::string kept = g_badQsoFile.linesWithout(owned);

    if (found < g_log.size()) {
        g_log.removeAt(found);
        removed.fromLog = true;
    }
    g_badQsoFile.replaceLines(std::move(kept));

    if (g_log.empty()) {
        g_bandsWorked.clear();
        g_dxccByBand.clearAll();
        g_multByBand.clearAll();
    }
    g_refreshGate.open();
    return removed;
}
