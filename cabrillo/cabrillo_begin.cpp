// The start of an export: the Cabrillo header from the settings and from the operator.
#include "cabrillo/cabrillo_log.h"
#include "engine/contest_state.h"
#include "platform/header_dialog.h"

namespace {

std::string trimmed(const std::string& s) {
    const char* blanks = " \t\r\n\f\v";
    auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

} // namespace

std::string ReplaceAll(const std::string& source, const std::string& find, const std::string& replacement) {
    if (find.empty() || find == replacement) return source;
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = source.find(find, from)) != std::string::npos; from = at + find.size()) {
        out.append(source, from, at - from);
        out += replacement;
    }
    out.append(source, from, std::string::npos);
    return out;
}

bool CCabrilloLog::Begin(const std::string& ownCall, const COleDateTime&, const COleDateTime&) {
    m_callsign = ownCall;
    m_fileBase = trimmed(ReplaceAll(ReplaceAll(ownCall, "/", "_"), "\\", "_"));
    if (m_fileBase.empty()) m_fileBase = "KAVO";
    m_operators = settingsRead("Operators", ownCall);
    m_name = settingsRead("Name");
    m_address = settingsRead("Address");
    m_addressCity = settingsRead("Address-City");
    m_addressPostalCode = settingsRead("Address-PostalCode");
    m_addressCountry = settingsRead("Address-Country");
    m_claimed = settingsRead("Claimed");
    const bool cw = g_contestMode == 0;
    m_categoryPower = "HIGH";
    m_location = "DX";
    m_contest = cw ? "JIDX-CW" : "JIDX-SSB";
    m_categoryMode = cw ? "CW" : "SSB";
    m_categoryOperator = "SINGLE-OP";
    m_categoryBand = "ALL";
    m_categoryTransmitter = "ONE";
    m_email = settingsRead("Email");
    m_club = settingsRead("Club");
    m_soapbox = ReplaceAll(ReplaceAll(settingsRead("SoapBox"), "<CR>", "\r"), "<LF>", "\n");
    m_qsoLines.clear();

    platform::HeaderDialogValues v{m_contest,      m_callsign,         m_claimed,          m_categoryOperator,
                                   m_location,     m_categoryBand,     m_categoryMode,     m_categoryPower,
                                   m_categoryTransmitter, m_name,      m_address,          m_addressCity,
                                   m_addressPostalCode,   m_addressCountry, m_operators,   m_club,
                                   m_soapbox,      m_email};
    m_outcome = platform::runHeaderDialog(v);
    if (m_outcome != platform::HeaderDialogOutcome::confirmed) return false;

    m_contest = v.contest;
    m_callsign = v.callsign;
    m_claimed = v.claimed;
    m_categoryOperator = v.categoryOperator;
    m_location = v.location;
    m_categoryBand = v.categoryBand;
    m_categoryMode = v.categoryMode;
    m_categoryPower = v.categoryPower;
    m_categoryTransmitter = v.categoryTransmitter;
    m_name = v.name;
    m_address = v.address;
    m_addressCity = v.addressCity;
    m_addressPostalCode = v.addressPostalCode;
    m_addressCountry = v.addressCountry;
    m_club = v.club;
    m_email = v.email;
    // Line breaks cannot stand in a settings value: markers keep them.
    m_operators = ReplaceAll(ReplaceAll(v.operators, "\r", "<CR>"), "\n", "<LF>");
    m_soapbox = ReplaceAll(ReplaceAll(v.soapbox, "\r", "<CR>"), "\n", "<LF>");

    settingsWrite("Band", m_categoryBand);
    settingsWrite("Power", m_categoryPower);
    settingsWrite("Operators", m_operators);
    settingsWrite("Name", m_name);
    settingsWrite("Address", m_address);
    settingsWrite("Address-City", m_addressCity);
    settingsWrite("Address-PostalCode", m_addressPostalCode);
    settingsWrite("Address-Country", m_addressCountry);
    settingsWrite("Category", m_categoryOperator);
    settingsWrite("Contest", m_contest);
    settingsWrite("Email", m_email);
    settingsWrite("Club", m_club);
    settingsWrite("SoapBox", m_soapbox);
    settingsWrite("Loc", m_location);

    // Each typed line becomes a keyword line of its own in the file.
    m_operators = ReplaceAll(ReplaceAll(m_operators, "<CR>", "\r\nOPERATORS: "), "<LF>", "");
    m_soapbox = ReplaceAll(ReplaceAll(m_soapbox, "<CR>", "\r\nSOAPBOX: "), "<LF>", "");
    return true;
}
