// Which reader a log needs, told from its content rather than its name.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "log_model.h"
#include "text_util.h"

namespace {

struct AmateurBand {
    unsigned lowKHz, highKHz;
    const char* name;
};
constexpr AmateurBand kAmateurBands[] = {
    {1800, 2000, "160m"},   {3500, 4000, "80m"},     {5060, 5450, "60m"},     {7000, 7300, "40m"},
    {10100, 10150, "30m"},  {14000, 14350, "20m"},   {18068, 18168, "17m"},   {21000, 21450, "15m"},
    {24890, 24990, "12m"},  {28000, 29700, "10m"},   {50000, 54000, "6m"},    {144000, 148000, "2m"},
    {420000, 450000, "70cm"},
};

bool looksLikeCabrillo(std::string_view bytes) {
    std::size_t pos = 0;
    bool first = true;
    while (pos < bytes.size()) {
        const std::size_t eol = bytes.find('\n', pos);
        const std::string_view line = ascii::trim(bytes.substr(pos, eol == std::string_view::npos ? eol : eol - pos));
        pos = eol == std::string_view::npos ? bytes.size() : eol + 1;
        if (line.empty()) continue;
        if (first && ascii::startsWithNoCase(line, "START-OF-LOG:")) return true;
        first = false;
        if (line.front() == '<') return false;  // an ADIF field opens a line before any QSO: line
        if (ascii::startsWithNoCase(line, "QSO:") || ascii::startsWithNoCase(line, "X-QSO:")) return true;
    }
    return false;
}

} // namespace

std::string bandOfFrequency(unsigned hz) {
    const unsigned khz = hz / 1000;
    for (const AmateurBand& b : kAmateurBands)
        if (khz >= b.lowKHz && khz <= b.highKHz) return b.name;
    return {};
}

unsigned bandFloorKilohertz(std::string_view band) {
    for (const AmateurBand& b : kAmateurBands)
        if (band == b.name) return b.lowKHz;
    return 0;
}

bool readLog(std::string_view bytes, const std::string& name, Log& log, std::vector<std::string>& messages) {
    // Either would read as thousands of junk fields, none of them the operator's fault in the log itself.
    if (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF") {
        messages.push_back(name + ":1: UTF-16 text (its byte-order mark says so): save the log as ASCII or UTF-8");
        return false;
    }
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        messages.push_back(name + ": not a text log: it holds NUL bytes (the first at byte " + std::to_string(nul) +
                           ")");
        return false;
    }
    const std::string_view body = bytes.substr(0, 3) == "\xEF\xBB\xBF" ? bytes.substr(3) : bytes;
    if (looksLikeCabrillo(body)) {
        log = readCabrillo(bytes, name, messages);
        return true;
    }
    if (ascii::trim(body).empty() || body.find('<') != std::string_view::npos) {
        log = readAdif(bytes, name, messages);
        return true;
    }
    messages.push_back(name + ":1: neither an ADIF log (no <FIELD:n> tags) nor a Cabrillo log (no START-OF-LOG: "
                              "or QSO: line)");
    return false;
}

bool readLogFile(const std::string& path, const std::string& name, Log& log, std::vector<std::string>& messages) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        messages.push_back(name + ": a folder, not a log file");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        messages.push_back(name + ": cannot open: " + std::strerror(errno));
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        messages.push_back(name + ": reading failed");
        return false;
    }
    return readLog(bytes.str(), name, log, messages);
}
