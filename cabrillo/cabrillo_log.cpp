#include "cabrillo/cabrillo_log.h"

#include <cstdio>

#include "engine/contest_state.h"
#include "platform/files.h"

CCabrilloLog g_cabrillo;

void CCabrilloLog::AddQso(const std::string& call, int freqKHz, const std::string& mode, const COleDateTime& time,
                          const std::string& rstSent, const std::string& exchSent, const std::string& rstRcvd,
                          const std::string& exchRcvd) {
    std::string when = time.Format("%Y-%m-%d %H%M");
    int n = std::snprintf(nullptr, 0, "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n", freqKHz, mode.c_str(),
                          when.c_str(), m_callsign.c_str(), rstSent.c_str(), exchSent.c_str(), call.c_str(),
                          rstRcvd.c_str(), exchRcvd.c_str());
    std::string line(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(line.data(), line.size(), "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n", freqKHz,
                  mode.c_str(), when.c_str(), m_callsign.c_str(), rstSent.c_str(), exchSent.c_str(), call.c_str(),
                  rstRcvd.c_str(), exchRcvd.c_str());
    line.resize(static_cast<std::size_t>(n));
    m_qsoLines.push_back(std::move(line));
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
