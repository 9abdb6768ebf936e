// Cabrillo 3.0: "KEYWORD: value" lines. hostsim reads CALLSIGN: and the QSO: lines of a JIDX log
// (freq mode date time sent-call rst exch received-call rst exch [transmitter]); X-QSO: lines are QSOs the
// log's writer wants ignored, so they are skipped like every other keyword.
#include "log_model.h"
#include "ole_time.h"
#include "text_util.h"

namespace {

std::vector<std::string_view> words(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && ascii::isSpace(s[i])) ++i;
        const std::size_t start = i;
        while (i < s.size() && !ascii::isSpace(s[i])) ++i;
        if (i > start) out.push_back(s.substr(start, i - start));
    }
    return out;
}

bool isKeyword(std::string_view k) {
    if (k.empty()) return false;
    for (char c : k)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'))
            return false;
    return true;
}

constexpr unsigned long long kHighestKilohertz = 0xFFFFFFFFull / 1000;  // the host's hertz are 32 bits

// A QSO: line's frequency (digits) into the host's hertz; false when it does not fit. Below 1000 it is a VHF band's
// designator ("50", "144") in MHz, as Cabrillo writes those.
bool kilohertzToHertz(std::string_view digits, unsigned& hz) {
    unsigned long long f = 0;
    for (char c : digits) {
        f = f * 10 + static_cast<unsigned>(c - '0');
        if (f > kHighestKilohertz) return false;  // before it can wrap, however many digits follow
    }
    hz = static_cast<unsigned>(f < 1000 ? f * 1000000 : f * 1000);
    return true;
}

// The host's mode names for Cabrillo's two-letter modes.
std::string hostMode(std::string_view cabrillo) {
    const std::string m = ascii::upper(cabrillo);
    if (m == "PH") return "SSB";
    if (m == "RY") return "RTTY";
    if (m == "DG") return "DIGI";
    return m;
}

// A QSO: line's value as the host would log it; false, with why (the line is then skipped), when it cannot be.
bool readQsoLine(std::string_view value, LogQso& q, std::string& why) {
    const std::vector<std::string_view> w = words(value);
    if (w.size() != 10 && w.size() != 11) {
        why = "a QSO: line of " + counted(w.size(), "field") +
              "; a JIDX QSO has 10 (freq mode date time call rst exch call rst exch) and may add a transmitter "
              "number";
        return false;
    }
    if (!allDigits(w[0])) return why = "frequency \"" + shown(w[0]) + "\" is not a number of kHz", false;
    if (!kilohertzToHertz(w[0], q.freqHz)) {
        why = "frequency " + shown(w[0]) + " kHz is out of range: the host's frequency holds at most " +
              std::to_string(kHighestKilohertz) + " kHz";
        return false;
    }
    if (!parseDateTime(w[2], w[3], q.time, why)) return false;
    q.mode = hostMode(w[1]);
    q.band = bandOfFrequency(q.freqHz);
    q.myCall = ascii::upper(w[4]);
    q.rstSent = std::string(w[5]);
    q.exchSent = std::string(w[6]);
    q.call = ascii::upper(w[7]);
    q.rstRcvd = std::string(w[8]);
    q.exchRcvd = std::string(w[9]);
    return true;
}

} // namespace

Log readCabrillo(std::string_view bytes, const std::string& name, std::vector<std::string>& messages) {
    Log log;
    log.format = "Cabrillo";
    auto note = [&](int line, const std::string& text) {
        messages.push_back(name + ":" + std::to_string(line) + ": " + text);
    };
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    bool ended = false;
    int number = 0;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t eol = bytes.find('\n', pos);
        const std::string_view raw = bytes.substr(pos, eol == std::string_view::npos ? eol : eol - pos);
        pos = eol == std::string_view::npos ? bytes.size() : eol + 1;
        ++number;
        const std::string_view line = ascii::trim(raw);
        if (line.empty()) continue;
        const std::size_t colon = line.find(':');
        const std::string_view keyword = colon == std::string_view::npos ? line : line.substr(0, colon);
        if (colon == std::string_view::npos || !isKeyword(keyword)) {
            note(number, "not a Cabrillo line (\"KEYWORD: value\"): \"" + shown(line) + "\"; skipped");
            continue;
        }
        const std::string key = ascii::upper(keyword);
        const std::string_view value = ascii::trim(line.substr(colon + 1));
        if (key == "END-OF-LOG") {
            ended = true;
        } else if (key == "CALLSIGN") {
            log.ownCall = ascii::upper(value);
        } else if (key == "CONTEST") {
            log.contest = std::string(value);
        } else if (key == "QSO" && ended) {
            note(number, "a QSO: line after END-OF-LOG:; skipped");
        } else if (key == "QSO") {
            LogQso q;
            q.line = number;
            if (std::string why; !readQsoLine(value, q, why)) {
                note(number, why + "; skipped");
                continue;
            }
            if (log.ownCall.empty()) log.ownCall = q.myCall;
            log.qsos.push_back(std::move(q));
        }
        // START-OF-LOG:, X-QSO:, the other header keywords and unknown ones carry nothing the host passes.
    }
    return log;
}
