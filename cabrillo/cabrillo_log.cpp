#include "cabrillo/cabrillo_log.h"

#include <initializer_list>
#include <string_view>

#include "cabrillo/header_fields.h"
#include "engine/contest_state.h"
#include "engine/jidx_rules.h"
#include "platform/files.h"
#include "platform/portable/ascii.h"
#include "platform/portable/text_format.h"

CCabrilloLog g_cabrillo;

namespace {

// A text as one field of a QSO line: its blanks and control bytes (a tab, a line break) dropped, so that a text with
// a blank inside stays one field ("JA1 ABC" gives "JA1ABC"). Empty when nothing else is in it.
std::string oneField(std::string_view text) {
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ' && c != '\x7F') out += c;
    return out;
}

// The first of the texts that leaves a field; "-" when none does, so that the line keeps its ten fields.
std::string fieldOf(std::initializer_list<std::string_view> texts) {
    for (std::string_view text : texts)
        if (std::string field = oneField(text); !field.empty()) return field;
    return "-";
}

// The line's frequency in kHz: the host's, or the band's lower edge where the host gave none (0) or one below the
// band. A band that is none of the six leaves the host's.
int lineFrequency(int freqKHz, std::string_view band) {
    for (const jidx::Band& b : jidx::kBands)
        if (ascii::equalsNoCase(b.name, band)) return freqKHz < b.cabrilloKHz ? b.cabrilloKHz : freqKHz;
    return freqKHz;
}

} // namespace

void CCabrilloLog::AddQso(const std::string& call, int freqKHz, const std::string& band, const std::string& mode,
                          const COleDateTime& time, const std::string& rstSent, const std::string& exchSent,
                          const std::string& rstRcvd, const std::string& exchRcvd) {
    // A QSO is one line of the log with its ten fields, whatever the host's texts hold: an empty report is the
    // mode's usual one, the own call the pass's when the header's is empty, and any other empty field "-".
    const std::string when = time.Format("%Y-%m-%d %H%M");
    const std::size_t blank = when.find(' ');
    const std::string_view date = std::string_view(when).substr(0, blank);
    const std::string_view hhmm = blank == std::string::npos ? "" : std::string_view(when).substr(blank + 1);
    const jidx::ModeRow* row = jidx::modeRowOfQsoLine(mode);
    const std::string_view report = row ? row->usualReport : "";
    m_qsoLines.push_back(text::format("QSO: %5i %2s %s %s %-13s %-3s %-6s %-13s %-3s %s\r\n",
                                      lineFrequency(freqKHz, band), fieldOf({mode}).c_str(), fieldOf({date}).c_str(),
                                      fieldOf({hhmm}).c_str(), fieldOf({m_callsign, m_ownCall}).c_str(),
                                      fieldOf({rstSent, report}).c_str(), fieldOf({exchSent}).c_str(),
                                      fieldOf({call}).c_str(), fieldOf({rstRcvd, report}).c_str(),
                                      fieldOf({exchRcvd}).c_str()));
}

void CCabrilloLog::SetQsos(const QsoLog& log) {
    m_qsoLines.clear();
    for (const CInfo& q : log) {
        if (q.excluded) continue;
        const jidx::ModeRow* row = jidx::modeRowNamed(q.mode);
        AddQso(q.call, q.freqKHz, q.band, row ? row->cabrilloQsoMode : "??", q.time, q.rstSent, q.exchSent,
               q.rstRcvd, q.exchRcvd);
    }
}

std::string CCabrilloLog::Write(long long claimedScore) {
    if (m_outcome == platform::HeaderDialogOutcome::cancelled) return "Export cancelled: no Cabrillo file was written";
    if (m_outcome == platform::HeaderDialogOutcome::failed)
        return "Export failed: the Cabrillo header dialog could not be shown; no Cabrillo file was written";
    const cabrillo::Only category =
        m_categoryOperator == "MULTI-OP" ? cabrillo::Only::multiOp : cabrillo::Only::singleOp;
    std::string text = "START-OF-LOG: 3.0\r\n";
    for (const cabrillo::HeaderField& f : cabrillo::kHeaderFields) {
        if (f.only != cabrillo::Only::always && f.only != category) continue;
        text += f.tag;
        switch (f.line) {
        case cabrillo::LineValue::field: text += this->*f.member; break;
        case cabrillo::LineValue::claimedScore: text += std::to_string(claimedScore); break;
        case cabrillo::LineValue::hostVersion: text += g_hostVersion; break;
        }
        text += "\r\n";
    }
    for (const auto& line : m_qsoLines) text += line;
    text += "END-OF-LOG:\r\n";
    const std::string name = m_fileBase + ".cbr";
    if (!platform::writeWholeFile(name, text)) return "File could not be written: " + name;
    return "File produced: " + name;
}
