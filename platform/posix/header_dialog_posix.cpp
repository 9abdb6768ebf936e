// The header dialog without windows: answered from a file, as a person would have answered it.
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/header_dialog.h"

namespace platform {

namespace {

std::string lineBreaks(const std::string& value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

} // namespace

HeaderDialogOutcome runHeaderDialog(HeaderDialogValues& values) {
    const char* path = std::getenv("VUVO_DIALOG_ANSWERS");
    if (!path || !*path) return HeaderDialogOutcome::confirmed;
    std::ifstream in(path, std::ios::binary);
    if (!in) return HeaderDialogOutcome::failed;
    // Only a confirmed dialog hands its values back.
    HeaderDialogValues v = values;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "CANCEL") return HeaderDialogOutcome::cancelled;
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string label = line.substr(0, eq);
        for (HeaderDialogEntry& entry : v)
            if (label == entry.box.label) entry.value = lineBreaks(line.substr(eq + 1));
    }
    if (in.bad()) return HeaderDialogOutcome::failed;
    values = v;
    return HeaderDialogOutcome::confirmed;
}

} // namespace platform
