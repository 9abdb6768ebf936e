#include "cabrillo/cabrillo_log.h"

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

std::string CCabrilloLog::Write() {
    if (m_outcome == platform::HeaderDialogOutcome::cancelled) return "Export cancelled: no Cabrillo file was written";
    if (m_outcome == platform::HeaderDialogOutcome::failed)
        return "Export failed: the Cabrillo header dialog could not be shown; no Cabrillo file was written";
    std::string text = "START-OF-LOG: 3.0\r\n";
    auto field = [&text](const char* keyword, const std::string& value) {
        text += keyword;
        text += value;
        text += "\r\n";
    };
    field("ARRL-SECTION: ", m_location);
    field("CONTEST: ", m_contest);
    field("CALLSIGN: ", m_callsign);
    field("CATEGORY-OPERATOR: ", m_categoryOperator);
    if (m_categoryOperator == "MULTI-OP")
        field("CATEGORY-TRANSMITTER: ", m_categoryTransmitter);
    else
        field("CATEGORY-BAND: ", m_categoryBand);
    field("CATEGORY-MODE: ", m_categoryMode);
    field("CATEGORY-POWER: ", m_categoryPower);
    field("CLAIMED-SCORE: ", std::to_string(g_claimedScore));
    field("OPERATORS: ", m_operators);
    field("CLUB: ", m_club);
    field("NAME: ", m_name);
    field("ADDRESS: ", m_address);
    field("ADDRESS-CITY: ", m_addressCity);
    field("ADDRESS-POSTALCODE: ", m_addressPostalCode);
    field("ADDRESS-COUNTRY: ", m_addressCountry);
    field("E-MAIL: ", m_email);
    field("CREATED-BY: Tarn ", g_hostVersion);
    field("SOAPBOX: ", m_soapbox);
    for (const auto& line : m_qsoLines) text += line;
    text += "END-OF-LOG:\r\n";
    const std::string name = m_fileBase + ".cbr";
    if (!platform::writeWholeFile(name, text)) return "File could not be written: " + name;
    return "File produced: " + name;
}
