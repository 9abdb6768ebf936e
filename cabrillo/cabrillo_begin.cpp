// The start of an export: the Cabrillo header from the settings and from the operator.
#include "cabrillo/cabrillo_log.h"
#include "cabrillo/header_fields.h"
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

// The file base names a file in the current folder and nothing else, on every system the host runs on: a drive
// letter's ':' (or a stream's), the other characters Windows refuses in names and control bytes become '_' like
// the folder separators, and a device's name ("CON", "COM1.x") gets a '_' in front.
std::string cabrilloFileBase(const std::string& ownCall) {
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

platform::HeaderDialogValues CCabrilloLog::Begin(const std::string& ownCall, int contestMode) {
    m_fileBase = cabrilloFileBase(ownCall);
    m_ownCall = ownCall;
    const jidx::ModeRow& mode = jidx::modeRow(contestMode);
    platform::HeaderDialogValues values;
    for (const cabrillo::HeaderField& f : cabrillo::kHeaderFields) {
        if (!f.member) continue;
        std::string& value = this->*f.member;
        switch (f.start) {
        case cabrillo::Start::fixed: value = f.text; break;
        case cabrillo::Start::stored: value = settingsRead(f.settingsKey, f.text); break;
        case cabrillo::Start::ownCall: value = ownCall; break;
        case cabrillo::Start::storedOrOwnCall: value = settingsRead(f.settingsKey, ownCall); break;
        case cabrillo::Start::modeRow: value = mode.*f.fromMode; break;
        }
        if (f.lines == cabrillo::Lines::several) value = ReplaceAll(ReplaceAll(value, "<CR>", "\r"), "<LF>", "\n");
        values.push_back({f.box, value});
    }
    m_qsoLines.clear();

    m_outcome = platform::HeaderDialogOutcome::failed; // until the operator's answer comes in
    return values;
}

bool CCabrilloLog::Confirm(platform::HeaderDialogOutcome outcome, const platform::HeaderDialogValues& values) {
    m_outcome = outcome;
    if (m_outcome != platform::HeaderDialogOutcome::confirmed) return false;

    for (const platform::HeaderDialogEntry& entry : values) {
        const cabrillo::HeaderField* field = cabrillo::fieldOfBox(entry.box.control);
        if (!field) continue;
        const cabrillo::HeaderField& f = *field;
        const std::string& answer = entry.value;
        // A line break in a one-line value would add a line to the log and to the settings file; in a value of
        // several lines it cannot stand in the settings either: markers keep it.
        this->*f.member = f.lines == cabrillo::Lines::one
                              ? OneLine(answer)
                              : ReplaceAll(ReplaceAll(answer, "\r", "<CR>"), "\n", "<LF>");
    }

    // The settings file keeps new keys in the order first written; all of the answers go in one rewrite.
    platform::ProfileValues answers;
    for (int order = 1;; ++order) {
        const cabrillo::HeaderField* stored = nullptr;
        for (const cabrillo::HeaderField& f : cabrillo::kHeaderFields)
            if (f.storeOrder == order) stored = &f;
        if (!stored) break;
        answers.emplace_back(stored->settingsKey, this->*stored->member);
    }
    settingsWrite(answers);

    // Each typed line becomes a keyword line of its own in the file.
    for (const cabrillo::HeaderField& f : cabrillo::kHeaderFields)
        if (f.lines != cabrillo::Lines::one) {
            std::string& value = this->*f.member;
            value = ReplaceAll(ReplaceAll(value, "<CR>", "\r\n" + std::string(f.tag)), "<LF>", "");
        }
    return true;
}
