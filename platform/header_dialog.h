// The Cabrillo header dialog: the operator edits the header values and confirms or cancels.
#pragma once
#include <string>

namespace platform {

// The eighteen values the dialog edits, as texts. Multi-line boxes hold "\r\n" between lines.
struct HeaderDialogValues {
    std::string contest, callsign, claimed;
    std::string categoryOperator, location, categoryBand, categoryMode, categoryPower, categoryTransmitter;
    std::string name, address, addressCity, addressPostalCode, addressCountry;
    std::string operators, club, soapbox, email;
};

enum class HeaderDialogOutcome {
    confirmed,  // OK: values hold what the operator confirmed
    cancelled,  // CANCEL or the window closed: values as given
    failed,     // the dialog could not be shown (or its answers read): values as given
};

// Shows the dialog modally with these values.
// Builds without windows answer from the file named by VUVO_DIALOG_ANSWERS, when set: lines "LABEL=value"
// (labels as the dialog shows them; "\n" in a value is a line break) and a line "CANCEL" to cancel; a file that
// cannot be read fails. Without it they confirm the values unchanged.
HeaderDialogOutcome runHeaderDialog(HeaderDialogValues& values);

} // namespace platform
