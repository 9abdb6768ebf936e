// The Cabrillo header dialog: the operator edits the header values and confirms or cancels.
#pragma once
#include <string>
#include <vector>

namespace platform {

// One box of the dialog (template 101) and the text it edits.
struct HeaderDialogBox {
    int control = 0;        // the box's control id in the template
    const char* label = ""; // the label the dialog shows beside it
    bool combo = false;     // a combo box: opening selects from its list
};
struct HeaderDialogEntry {
    HeaderDialogBox box;
    std::string value; // multi-line boxes hold "\r\n" between lines
};
// The boxes to fill, each once; the dialog edits only these.
using HeaderDialogValues = std::vector<HeaderDialogEntry>;

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
