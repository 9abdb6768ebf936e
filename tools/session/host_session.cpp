#include "host_session.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "plugin/host_call.h"
#include "tools/logs/text_util.h"
#include "tools/robot/dialog_operator.h"

namespace fs = std::filesystem;

void HostSession::html() { m_p.setVersion("hostsim"); }

void HostSession::reset(const PassSetup& pass, bool exportPass) {
    COleDateTime start = pass.start, end = pass.end;
    m_p.ResetStats0(pass.hostDir.c_str(), exportPass ? 1 : 0, pass.ownCall.c_str(), &start, &end, "", "", "", "",
                    "", "", "", "", "", pass.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "");
}

namespace {

// The QSO as the host hands it over: from the own call when the log names no logging station.
host_call::HostQso hostQso(const LogQso& q, const std::string& ownCall) {
    const std::string& my = q.myCall.empty() ? ownCall : q.myCall;
    return {my.c_str(), q.call.c_str(), q.time, q.freqHz, q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(),
            q.exchSent.c_str(), q.exchRcvd.c_str(), q.prefix.c_str(), "", q.band.c_str()};
}

} // namespace

int HostSession::add(const LogQso& q, const std::string& ownCall) {
    return host_call::callWithQso(m_p.AddData0, hostQso(q, ownCall));
}

std::size_t HostSession::addAll(const std::vector<LogQso>& qsos, const std::string& ownCall,
                                const std::function<void(std::size_t)>& afterEach) {
    std::size_t stored = 0, done = 0;
    for (const LogQso& q : qsos) {
        stored += add(q, ownCall) == 1;
        if (afterEach) afterEach(++done);
    }
    return stored;
}

int HostSession::remove(const LogQso& q, const std::string& ownCall) {
    return host_call::callWithQso(m_p.RemoveData0, hostQso(q, ownCall));
}

int HostSession::check(const std::string& call, const std::string& band, const std::string& mode,
                       const std::string& prefix, int zone, const char* otherBand) {
    char out27[256] = "", out28[256] = "";
    return m_p.CheckCall0(call.c_str(), 0, 0, mode.c_str(), "", "", "", "", "", "", "", "", "", prefix.c_str(),
                          zone, 0, 0, 0.0, 0.0, "", "", "", "", "", band.c_str(), otherBand, out27, out28);
}

int HostSession::exchange(const std::string& text) { return m_p.IsValidExchg0(text.c_str(), "", "", "", 0, 0, 0); }

std::string HostSession::result(int& status) {
    const char* text = m_p.GetResult0(&status);
    return text ? text : "";
}

const char* checkMeaning(int code) {
    switch (code) {
    case 0: return "dupe";
    case 1: return "repeat multiplier (from an older host also: cannot count)";
    case 2: return "workable";
    case 4: return "cannot count";
    default: return "unknown code";
    }
}

bool storeContestMode(bool ssb, std::string& why) {
    return storeSettings(
        {{"Mode", ssb ? "1" : "0"}, {"setup_mode_cw", ssb ? "0" : "1"}, {"setup_mode_ssb", ssb ? "1" : "0"}}, why);
}

namespace {

const fs::path kSettingsFile = fs::path("Plugins") / "VU-VO.ini";

// The settings file's lines, blank ones left out.
std::vector<std::string> settingsLines() {
    std::string text;
    {
        std::ifstream in(kSettingsFile, std::ios::binary);
        std::ostringstream s;
        if (in) s << in.rdbuf();
        text = s.str();
    }
    std::vector<std::string> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t eol = text.find('\n', pos);
        std::string line = text.substr(pos, eol == std::string::npos ? std::string::npos : eol - pos);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!ascii::trim(line).empty()) lines.push_back(line);
        pos = eol == std::string::npos ? text.size() : eol + 1;
    }
    return lines;
}

} // namespace

std::string readSetting(const std::string& key) {
    bool inSection = false;
    for (const std::string& line : settingsLines()) {
        const std::string_view t = ascii::trim(line);
        if (t.front() == '[') {
            inSection = ascii::equalsNoCase(t, "[Settings]");
        } else if (inSection && t.find('=') != std::string_view::npos &&
                   ascii::equalsNoCase(ascii::trim(t.substr(0, t.find('='))), key)) {
            return std::string(ascii::trim(t.substr(t.find('=') + 1)));
        }
    }
    return {};
}

bool storeSettings(const std::vector<std::pair<std::string, std::string>>& values, std::string& why) {
    std::error_code ec;
    fs::create_directories("Plugins", ec);
    const fs::path& file = kSettingsFile;
    // Rewritten the way the Windows profile functions write: CR LF lines, each key replaced in its section or
    // added at the section's end, the section added when missing.
    std::vector<std::string> lines = settingsLines();
    for (const auto& [key, v] : values) {
        const std::string value = key + "=" + v;
        bool inSection = false, done = false;
        std::size_t sectionEnd = lines.size();
        bool sectionSeen = false;
        for (std::size_t i = 0; i < lines.size() && !done; ++i) {
            const std::string_view t = ascii::trim(lines[i]);
            if (!t.empty() && t.front() == '[') {
                if (inSection) {
                    sectionEnd = i;
                    break;
                }
                inSection = ascii::equalsNoCase(t, "[Settings]");
                sectionSeen |= inSection;
                continue;
            }
            if (inSection && ascii::equalsNoCase(ascii::trim(t.substr(0, t.find('='))), key)) {
                lines[i] = value;
                done = true;
            }
        }
        if (!done) {
            if (sectionSeen)
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), value);
            else
                lines.push_back("[Settings]"), lines.push_back(value);
        }
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& l : lines) out << l << "\r\n";
    out.flush();
    if (!out) {
        why = "cannot write " + file.string();
        return false;
    }
    return true;
}

bool storeHostVersion(const std::string& version, std::string& why) {
    std::ofstream out("Tarn2.ini", std::ios::binary | std::ios::trunc);
    out << "[Tarn]\r\nTarn=" << version << "\r\n";
    out.flush();
    if (!out) return why = "cannot write Tarn2.ini", false;
    return true;
}

bool DialogAnswers::publish(std::string& why) {
    std::error_code ec;
    const fs::path folder = fs::temp_directory_path(ec);
    if (ec) {
        why = "no folder for temporary files";
        return false;
    }
    std::random_device random;
    for (int n = 0; n < 1000 && m_file.empty(); ++n) {
        const fs::path candidate = folder / ("hostsim-dialog-" + std::to_string(random()) + ".txt");
        if (!fs::exists(candidate, ec)) m_file = candidate.string();
    }
    std::ofstream out(m_file, std::ios::binary | std::ios::trunc);
    if (m_cancel) out << "CANCEL\n";
    for (const auto& [label, value] : m_values) {
        std::string v;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') continue;
            v += value[i] == '\n' || value[i] == '\r' ? std::string("\\n") : std::string(1, value[i]);
        }
        out << label << '=' << v << '\n';
    }
    out.flush();
    if (!out) {
        why = "cannot write the dialog's answers to " + m_file;
        return false;
    }
    setEnvironment("VUVO_DIALOG_ANSWERS", m_file);
    answerHeaderDialogs(m_values, m_cancel);
    return true;
}

DialogAnswers::~DialogAnswers() {
    if (m_file.empty()) return;
    std::error_code ec;
    fs::remove(m_file, ec);
}

std::string workingFolder() {
    std::error_code ec;
    std::string folder = fs::current_path(ec).string();
    if (ec || folder.empty()) return "./";
    const char separator = static_cast<char>(fs::path::preferred_separator);
    if (folder.back() != separator) folder += separator;
    return folder;
}

void setEnvironment(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    setenv(name, value.c_str(), 1);
#endif
}
