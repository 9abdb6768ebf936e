// The Cabrillo header, field by field: its line in the file, its settings key, its box in the header dialog and
// where its value starts. Begin, Confirm and Write all work from this one table.
#pragma once
#include <string>

#include "cabrillo/cabrillo_log.h"
#include "engine/jidx_rules.h"
#include "resources/resource.h"

namespace cabrillo {

// Where Begin takes a field's value from.
enum class Start {
    fixed,     // the row's text, whatever the settings hold
    stored,    // the settings key; the row's text when absent
    ownCall,   // the own call sign
    storedOrOwnCall,
    modeRow,   // the contest mode's row of the rules
};

enum class Lines {
    one,       // a line break typed in the box becomes a blank
    several,   // each typed line a keyword line of its own; stored with "<CR>"/"<LF>" markers, shown as lines
    severalShownStored, // as several, but the box shows the stored markers (see the table)
};

// Which CATEGORY- line the operator category asks for: a file holds one of the two, never both.
enum class Only { always, singleOp, multiOp };

// What a header line writes after its keyword.
enum class LineValue { field, claimedScore, hostVersion };

struct HeaderField {
    const char* tag;                       // the keyword of its line in the file
    std::string CCabrilloLog::*member;     // nullptr: a line that is no field of the dialog
    LineValue line;
    Only only;
    const char* settingsKey;               // nullptr: neither read nor stored
    int storeOrder;                        // its place among the settings written after OK; 0: never written
    Start start;
    const char* text;                      // the fixed value or the default of a stored one
    const char* jidx::ModeRow::*fromMode;  // Start::modeRow: the column of the mode's row
    Lines lines;
    platform::HeaderDialogBox box;         // control 0: not in the dialog
};

using L = CCabrilloLog;
using Row = jidx::ModeRow;

// In the order of the file's lines. The settings keep their keys in the order first written, so that order is a
// column of its own.
inline const HeaderField kHeaderFields[] = {
    {"ARRL-SECTION: ", &L::m_location, LineValue::field, Only::always, "Loc", 14, Start::fixed, "DX", nullptr,
     Lines::one, {IDC_CAB_LOCATION, "LOCATION", true}},
    {"CONTEST: ", &L::m_contest, LineValue::field, Only::always, "Contest", 10, Start::modeRow, "",
     &Row::cabrilloContest, Lines::one, {IDC_CAB_CONTEST, "CONTEST", false}},
    {"CALLSIGN: ", &L::m_callsign, LineValue::field, Only::always, nullptr, 0, Start::ownCall, "", nullptr,
     Lines::one, {IDC_CAB_CALLSIGN, "CALLSIGN", false}},
    {"CATEGORY-OPERATOR: ", &L::m_categoryOperator, LineValue::field, Only::always, "Category", 9, Start::fixed,
     "SINGLE-OP", nullptr, Lines::one, {IDC_CAB_CATEGORY_OPERATOR, "CATEGORY-OPERATOR", true}},
    {"CATEGORY-TRANSMITTER: ", &L::m_categoryTransmitter, LineValue::field, Only::multiOp, nullptr, 0,
     Start::fixed, "ONE", nullptr, Lines::one, {IDC_CAB_CATEGORY_TRANSMITTER, "CATEGORY-TRANSMITTER", true}},
    {"CATEGORY-BAND: ", &L::m_categoryBand, LineValue::field, Only::singleOp, "Band", 1, Start::fixed, "ALL",
     nullptr, Lines::one, {IDC_CAB_CATEGORY_BAND, "CATEGORY-BAND", true}},
    {"CATEGORY-MODE: ", &L::m_categoryMode, LineValue::field, Only::always, nullptr, 0, Start::modeRow, "",
     &Row::cabrilloCategory, Lines::one, {IDC_CAB_CATEGORY_MODE, "CATEGORY-MODE", true}},
    {"CATEGORY-POWER: ", &L::m_categoryPower, LineValue::field, Only::always, "Power", 2, Start::fixed, "HIGH",
     nullptr, Lines::one, {IDC_CAB_CATEGORY_POWER, "CATEGORY-POWER", true}},
    // The dialog shows the last stored score; the file claims the score of this pass's result.
    {"CLAIMED-SCORE: ", &L::m_claimed, LineValue::claimedScore, Only::always, "Claimed", 0, Start::stored, "",
     nullptr, Lines::one, {IDC_CAB_CLAIMED, "CLAIMED", false}},
    // The operators box shows the stored "<CR><LF>" markers as they are, unlike the soapbox: the system's own
    // behaviour, which operators know and confirm unchanged.
    {"OPERATORS: ", &L::m_operators, LineValue::field, Only::always, "Operators", 3, Start::storedOrOwnCall, "",
     nullptr, Lines::severalShownStored, {IDC_CAB_OPERATORS, "OPERATORS", false}},
    {"CLUB: ", &L::m_club, LineValue::field, Only::always, "Club", 12, Start::stored, "", nullptr, Lines::one,
     {IDC_CAB_CLUB, "CLUB", false}},
    {"NAME: ", &L::m_name, LineValue::field, Only::always, "Name", 4, Start::stored, "", nullptr, Lines::one,
     {IDC_CAB_NAME, "NAME", false}},
    {"ADDRESS: ", &L::m_address, LineValue::field, Only::always, "Address", 5, Start::stored, "", nullptr,
     Lines::one, {IDC_CAB_ADDRESS, "ADDRESS", false}},
    {"ADDRESS-CITY: ", &L::m_addressCity, LineValue::field, Only::always, "Address-City", 6, Start::stored, "",
     nullptr, Lines::one, {IDC_CAB_ADDRESS_CITY, "ADDRESS-CITY", false}},
    {"ADDRESS-POSTALCODE: ", &L::m_addressPostalCode, LineValue::field, Only::always, "Address-PostalCode", 7,
     Start::stored, "", nullptr, Lines::one, {IDC_CAB_ADDRESS_POSTALCODE, "ADDRESS-POSTALCODE", false}},
    {"ADDRESS-COUNTRY: ", &L::m_addressCountry, LineValue::field, Only::always, "Address-Country", 8,
     Start::stored, "", nullptr, Lines::one, {IDC_CAB_ADDRESS_COUNTRY, "ADDRESS-COUNTRY", false}},
    {"E-MAIL: ", &L::m_email, LineValue::field, Only::always, "Email", 11, Start::stored, "", nullptr, Lines::one,
     {IDC_CAB_EMAIL, "E-MAIL", false}},
    {"CREATED-BY: Tarn ", nullptr, LineValue::hostVersion, Only::always, nullptr, 0, Start::fixed, "", nullptr,
     Lines::one, {}},
    {"SOAPBOX: ", &L::m_soapbox, LineValue::field, Only::always, "SoapBox", 13, Start::stored, "", nullptr,
     Lines::several, {IDC_CAB_SOAPBOX, "SOAPBOX", false}},
};

// The field a dialog box edits; nullptr for a control that edits none.
inline const HeaderField* fieldOfBox(int control) {
    for (const HeaderField& f : kHeaderFields)
        if (f.member && f.box.control == control) return &f;
    return nullptr;
}

} // namespace cabrillo
