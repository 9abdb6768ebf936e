// Steps (texts with blanks in double quotes; "" is an empty text):
//   own CALL [PREFIX]                 own call and prefix of the next passes (prefix from cty.dat when left out)
//   contest YYYY-MM-DD HHMM YYYY-MM-DD HHMM   contest start and end of the next passes
//   mode CW|SSB                       the contest mode, as the plug-in's CW/SSB switch stores it
//   host-version V                    the host's version, in the host's ini file Tarn2.ini
//   html                              setVersion: results come as HTML from now on
//   reset                             ResetStats0, an ordinary pass
//   export [LABEL=VALUE ...]          ResetStats0, an export pass; the header dialog answered with these values
//   export-cancel                     ResetStats0, an export pass whose header dialog is cancelled
//   add DATE TIME HZ MODE CALL RST-SENT EXCH-SENT RST-RCVD EXCH-RCVD BAND [PREFIX]   AddData0; prints its answer
//   remove (as add)                   RemoveData0
//   log FILE                          AddData0 for every QSO of an ADIF or Cabrillo log; prints the counts
//   check CALL BAND MODE [PREFIX [ZONE [OTHER-BAND]]]   CheckCall0; prints the code
//   exchange TEXT                     IsValidExchg0; prints the answer
//   result                            GetResult0; prints the text and the status it stored
//   show FILE                         prints a file of the working folder, or that it is missing
//   files                             lists the working folder's files (Plugins/ included)
//   setting KEY VALUE                 writes a key of section "Settings" in Plugins/VU-VO.ini
// A live session (the plug-in's windows, on Windows; natively each window step says that there are none):
//   tune HZ                           the host's frequency, as its automation object answers it (0 at first)
//   type CALL                         the entry grows one character at a time, with a CheckCall0 per character
//                                     (band of the frequency, the host's mode, prefix and zone from cty.dat),
//                                     each followed by the wait for the live update it asked for
//   key TEXT                          the entry becomes TEXT: one CheckCall0, nothing waited for
//   wait                              serves the windows until they have done all they were asked
//   click ID                          clicks a check box of the main window, then waits
//   caption WINDOW                    a window's title in UTF-8 (WINDOW: master, dxcc, county or zone)
//   marks WINDOW                      the labels of the grid's buttons that show a multiplier worked
//   picture NAME [WINDOW]             NAME.bmp of a window, or of the screen, in VUVO_ARTIFACTS (else here)
//   windows                           the plug-in windows that are open
//   commands                          the commands the plug-in sent the host since the last time
//   timing                            how long the last keystroke took to reach the windows
//   slow MS                           the host answers every later call MS milliseconds late
//   busy MS                           the host's thread works MS milliseconds without serving any call
//   unload                            FreeLibrary: the host lets the plug-in go
//   exit                              the process ends at once (ExitProcess), windows open or not
#include "script.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "host_session.h"
#include "live_host.h"
#include "live_steps.h"
#include "log_model.h"
#include "ole_time.h"
#include "text_util.h"

namespace {

namespace fs = std::filesystem;

// Splits a step into words; a word in double quotes may hold blanks and be empty.
bool splitStep(std::string_view line, std::vector<std::string>& words, std::string& why) {
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && ascii::isSpace(line[i])) ++i;
        if (i >= line.size()) break;
        std::string word;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string_view::npos) return why = "a quote without its end", false;
            word = std::string(line.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            while (i < line.size() && !ascii::isSpace(line[i])) {
                if (line[i] == '"') {
                    const std::size_t close = line.find('"', i + 1);
                    if (close == std::string_view::npos) return why = "a quote without its end", false;
                    word += line.substr(i + 1, close - i - 1);
                    i = close + 1;
                } else {
                    word += line[i++];
                }
            }
        }
        words.push_back(std::move(word));
    }
    return true;
}

void writeText(std::FILE* out, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out);
    if (text.empty() || text.back() != '\n') std::fputc('\n', out);
}

class Script {
public:
    Script(const PluginFunctions& plugin, ScriptContext& context, std::FILE* out)
        : m_host(plugin), m_context(context), m_out(out) {
        makeTime(2026, 4, 11, 7, 0, 0, m_pass.start);
        makeTime(2026, 4, 12, 13, 0, 0, m_pass.end);
        m_pass.hostDir = workingFolder();
    }

    bool step(const std::vector<std::string>& w, std::string& why) {
        const std::string& s = w[0];
        const std::size_t n = w.size() - 1;
        if (s == "own" && (n == 1 || n == 2)) {
            m_pass.ownCall = w[1];
            if (n == 2) {
                m_pass.ownPrefix = w[2];
            } else {
                if (!cty(why)) return false;
                m_pass.ownPrefix = m_context.cty.resolve(w[1]).prefix;
            }
            std::fprintf(m_out, "own call \"%s\", prefix \"%s\"\n", m_pass.ownCall.c_str(), m_pass.ownPrefix.c_str());
            return true;
        }
        if (s == "contest" && n == 4) {
            if (!parseDateTime(w[1], w[2], m_pass.start, why) || !parseDateTime(w[3], w[4], m_pass.end, why))
                return false;
            return true;
        }
        if (needsPlugin(s) && m_context.library && !m_context.library->loaded())
            return why = "the plug-in is unloaded", false;
        if (s == "mode" && n == 1 && (w[1] == "CW" || w[1] == "SSB")) {
            m_mode = w[1];
            return storeContestMode(w[1] == "SSB", why);
        }
        if (s == "setting" && n == 2) return storeSettings({{w[1], w[2]}}, why);
        if (s == "host-version" && n == 1) return storeHostVersion(w[1], why);
        if (s == "html" && n == 0) return m_host.html(), true;
        if (s == "reset" && n == 0) return m_host.reset(m_pass, false), true;
        if ((s == "export" || s == "export-cancel") && (s == "export" || n == 0)) {
            DialogAnswers answers;
            if (s == "export-cancel") answers.cancel();
            for (std::size_t i = 1; i <= n; ++i) {
                const std::size_t eq = w[i].find('=');
                if (eq == std::string::npos) return why = "export wants LABEL=VALUE, not " + w[i], false;
                answers.set(w[i].substr(0, eq), w[i].substr(eq + 1));
            }
            if (!answers.publish(why)) return false;
            m_host.reset(m_pass, true);
            return true;
        }
        if ((s == "add" || s == "remove") && (n == 10 || n == 11)) {
            LogQso q;
            if (!parseDateTime(w[1], w[2], q.time, why)) return false;
            if (!allDigits(w[3]) || w[3].size() > 10 || std::stoull(w[3]) > 0xFFFFFFFFull)
                return why = "\"" + w[3] + "\" is not a frequency in Hz", false;
            q.freqHz = static_cast<unsigned>(std::stoull(w[3]));
            q.mode = w[4], q.call = w[5], q.rstSent = w[6], q.exchSent = w[7], q.rstRcvd = w[8];
            q.exchRcvd = w[9], q.band = w[10];
            if (n == 11) {
                q.prefix = w[11];
            } else {
                if (!cty(why)) return false;
                q.prefix = m_context.cty.resolve(q.call).prefix;
            }
            if (s == "add")
                std::fprintf(m_out, "AddData0 %s %s: %d\n", q.call.c_str(), q.prefix.c_str(),
                             m_host.add(q, m_pass.ownCall));
            else
                std::fprintf(m_out, "RemoveData0 %s: %d\n", q.call.c_str(), m_host.remove(q, m_pass.ownCall));
            return true;
        }
        if (s == "log" && n == 1) {
            Log log;
            std::vector<std::string> messages;
            const bool read = readLogFile(w[1], log, messages);
            for (const std::string& m : messages) std::fprintf(stderr, "hostsim: %s\n", m.c_str());
            if (!read) return why = "cannot read the log " + w[1], false;
            if (!cty(why)) return false;
            std::size_t stored = 0;
            for (LogQso& q : log.qsos) {
                q.prefix = m_context.cty.resolve(q.call).prefix;
                stored += m_host.add(q, m_pass.ownCall) == 1;
            }
            std::fprintf(m_out, "%zu QSOs handed over, %zu stored, %zu rejected\n", log.qsos.size(), stored,
                         log.qsos.size() - stored);
            return true;
        }
        if (s == "check" && n >= 3 && n <= 6) {
            const std::string prefix = n >= 4 ? w[4] : std::string();
            int zone = 0;
            if (n >= 5) {
                if (!allDigits(w[5]) || w[5].size() > 3) return why = "zone \"" + w[5] + "\" is not a number", false;
                zone = std::stoi(w[5]);
            }
            const int code = m_host.check(w[1], w[2], w[3], prefix, zone, n == 6 ? w[6].c_str() : nullptr);
            std::fprintf(m_out, "CheckCall0 %s: %d %s\n", w[1].c_str(), code, checkMeaning(code));
            return true;
        }
        if (s == "exchange" && n == 1) {
            std::fprintf(m_out, "IsValidExchg0 \"%s\": %d\n", w[1].c_str(), m_host.exchange(w[1]));
            return true;
        }
        if (s == "result" && n == 0) {
            int status = 0;
            writeText(m_out, m_host.result(status));
            std::fprintf(m_out, "status %d\n", status);
            return true;
        }
        if (s == "show" && n == 1) {
            std::ifstream in(w[1], std::ios::binary);
            if (!in) {
                std::fprintf(m_out, "(no file %s)\n", w[1].c_str());
                return true;
            }
            std::ostringstream text;
            text << in.rdbuf();
            writeText(m_out, text.str());
            return true;
        }
        if (s == "files" && n == 0) {
            std::vector<std::string> names;
            std::error_code ec;
            for (auto it = fs::recursive_directory_iterator(".", ec); !ec && it != fs::recursive_directory_iterator();
                 it.increment(ec))
                if (it->is_regular_file(ec)) names.push_back(it->path().lexically_relative(".").generic_string());
            std::sort(names.begin(), names.end());
            for (const std::string& name : names) std::fprintf(m_out, "%s\n", name.c_str());
            return true;
        }
        bool handled = false;
        const bool ran = liveStep(w, m_host, m_context, m_mode, [this](std::string& w) { return cty(w); }, m_out,
                                  why, handled);
        if (handled) return ran;
        why = "unknown step or wrong number of words";
        return false;
    }

private:
    bool cty(std::string& why) {
        if (m_context.ctyLoaded) return true;
        std::vector<std::string> messages;
        m_context.ctyLoaded = loadCtyFile(m_context.ctyPath, m_context.cty, messages);
        for (const std::string& m : messages) std::fprintf(stderr, "hostsim: %s\n", m.c_str());
        if (!m_context.ctyLoaded) why = "a step needs the country file";
        return m_context.ctyLoaded;
    }

    static bool needsPlugin(const std::string& s) {
        for (const char* step : {"html", "reset", "export", "export-cancel", "add", "remove", "log", "check",
                                 "exchange", "result", "type", "key"})
            if (s == step) return true;
        return false;
    }

    HostSession m_host;
    ScriptContext& m_context;
    std::FILE* m_out;
    PassSetup m_pass;
    std::string m_mode = "CW"; // the contest mode the operator chose last
};

} // namespace

int runScript(const std::string& path, const PluginFunctions& plugin, ScriptContext& context, std::FILE* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "hostsim: cannot open the script %s\n", path.c_str());
        return 1;
    }
    Script script(plugin, context, out);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string_view text = ascii::trim(line);
        if (text.empty() || text.front() == '#') continue;
        std::vector<std::string> words;
        std::string why;
        if (!splitStep(text, words, why)) {
            std::fprintf(out, "> %s\n", std::string(text).c_str());
            std::fflush(out);
            std::fprintf(stderr, "hostsim: %s:%d: %s\n", path.c_str(), number, why.c_str());
            return 1;
        }
        // Between two of its own steps the host's thread serves what the plug-in's windows asked of it; a host
        // that lets the plug-in go, or ends, does so at once.
        if (context.live && words[0] != "unload" && words[0] != "exit" && words[0] != "busy") context.live->pump();
        std::fprintf(out, "> %s\n", std::string(text).c_str());
        if (words.empty() || !script.step(words, why)) {
            std::fflush(out);
            std::fprintf(stderr, "hostsim: %s:%d: %s\n", path.c_str(), number, why.c_str());
            return 1;
        }
    }
    std::fflush(out);
    return 0;
}
