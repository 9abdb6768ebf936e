// The start of an export: the Cabrillo header from the settings and from the operator.
#include "cabrillo/cabrillo_log.h"
#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "engine/jidx_rules.h"
#include "platform/portable/ascii.h"

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

std::string OneLine(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue; // CR LF is one break
        out += c == '\r' || c == '\n' ? ' ' : c;
    }
    return out;
}

namespace {

// The file base names a file in the current folder and nothing else, on every system the host runs on: a drive
// letter's ':' (or a stream's), the other characters Windows refuses in names and control bytes become '_' like
// the folder separators, and a device's name ("CON", "COM1.x") gets a '_' in front.
std::string safeFileBase(const std::string& ownCall) {
    std::string base(ascii::trim(ReplaceAll(ReplaceAll(ownCall, "/", "_"), "\\", "_")));
    for (char& c : base)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view(":<>\"|?*").find(c) != std::string_view::npos)
            c = '_';
    if (base.empty()) return "KAVO";
    const std::string stem = ascii::upper(base.substr(0, base.find('.')));
    const bool device = stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" ||
                        ((stem.rfind("COM", 0) == 0 || stem.rfind("LPT", 0) == 0) && stem.size() == 4 &&
                         stem[3] >= '1' && stem[3] <= '9');
    return device ? "_" + base : base;
}

} // namespace

platform::HeaderDialogValues CCabrilloLog::Begin(const std::string& ownCall, int contestMode) {
    m_callsign = ownCall;
    m_fileBase = safeFileBase(ownCall);
    m_operators = settingsRead("Operators", ownCall);
    m_name = settingsRead("Name");
    m_address = settingsRead("Address");
    m_addressCity = settingsRead("Address-City");
    m_addressPostalCode = settingsRead("Address-PostalCode");
    m_addressCountry = settingsRead("Address-Country");
    m_claimed = settingsRead("Claimed");
    const jidx::ModeRow& mode = jidx::modeRow(contestMode);
    m_categoryPower = "HIGH";
    m_location = "DX";
    m_contest = mode.cabrilloContest;
    m_categoryMode = mode.cabrilloCategory;
    m_categoryOperator = "SINGLE-OP";
    m_categoryBand = "ALL";
    m_categoryTransmitter = "ONE";
    m_email = settingsRead("Email");
    m_club = settingsRead("Club");
    m_soapbox = ReplaceAll(ReplaceAll(settingsRead("SoapBox"), "<CR>", "\r"), "<LF>", "\n");
    m_qsoLines.clear();

    m_outcome = platform::HeaderDialogOutcome::failed; // until the operator's answer comes in
    return platform::HeaderDialogValues{m_contest,      m_callsign,         m_claimed,          m_categoryOperator,
                                        m_location,     m_categoryBand,     m_categoryMode,     m_categoryPower,
                                        m_categoryTransmitter, m_name,      m_address,          m_addressCity,
                                        m_addressPostalCode,   m_addressCountry, m_operators,   m_club,
                                        m_soapbox,      m_email};
}

bool CCabrilloLog::Confirm(platform::HeaderDialogOutcome outcome, const platform::HeaderDialogValues& v) {
    m_outcome = outcome;
    if (m_outcome != platform::HeaderDialogOutcome::confirmed) return false;

    // A line break in a one-line value would add a line to the log and to the settings file.
    m_contest = OneLine(v.contest);
    m_callsign = OneLine(v.callsign);
    m_claimed = OneLine(v.claimed);
    m_categoryOperator = OneLine(v.categoryOperator);
    m_location = OneLine(v.location);
    m_categoryBand = OneLine(v.categoryBand);
    m_categoryMode = OneLine(v.categoryMode);
    m_categoryPower = OneLine(v.categoryPower);
    m_categoryTransmitter = OneLine(v.categoryTransmitter);
    m_name = OneLine(v.name);
    m_address = OneLine(v.address);
    m_addressCity = OneLine(v.addressCity);
    m_addressPostalCode = OneLine(v.addressPostalCode);
    m_addressCountry = OneLine(v.addressCountry);
    m_club = OneLine(v.club);
    m_email = OneLine(v.email);
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
