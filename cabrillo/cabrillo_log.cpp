#include "cabrillo/cabrillo_log.h"

#include "cabrillo/header_fields.h"
#include "engine/contest_state.h"
#include "platform/files.h"
#include "platform/portable/text_format.h"

CCabrilloLog g_cabrillo;

void CCabrilloLog::AddQso(const std::string& call, int freqKHz, const std::string& mode, const COleDateTime& time,
                          const std::string& rstSent, const std::string& exchSent, const std::string& rstRcvd,
                          const std::string& exchRcvd) {
    // A QSO is one line of the log, whatever the host's texts hold.
    const std::string when = time.Format("%Y-%m-%d %H%M");
    m_qsoLines.push_back(text::format("QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n", freqKHz, mode.c_str(),
                                      when.c_str(), m_callsign.c_str(), OneLine(rstSent).c_str(),
                                      OneLine(exchSent).c_str(), OneLine(call).c_str(), OneLine(rstRcvd).c_str(),
                                      OneLine(exchRcvd).c_str()));
}

void CCabrilloLog::SetQsos(const QsoLog& log) {
    m_qsoLines.clear();
    for (const CInfo& q : log) {
        if (q.excluded) continue;
        const jidx::ModeRow* row = jidx::modeRowNamed(q.mode);
        AddQso(q.call, q.freqKHz, row ? row->cabrilloQsoMode : "??", q.time, q.rstSent, q.exchSent, q.rstRcvd,
               q.exchRcvd);
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
