// Scripts: one step a line, words split at blanks (texts with blanks in double quotes; "" is an empty text). The
// steps and their help are the tables below and in live_steps.cpp; `hostsim --help` prints them.
#include "script.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "script_steps.h"
#include "tools/logs/log_model.h"
#include "tools/logs/ole_time.h"
#include "tools/logs/pass_checks.h"
#include "tools/logs/text_util.h"
#include "tools/robot/dialog_operator.h"
#include "tools/robot/live_host.h"
#include "tools/session/host_session.h"
#include "tools/session/work_folder.h"

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

// A file the script names (itself, a log), as seen from the folder hostsim was started in.
std::string fromStart(const ScriptContext& context, const std::string& path) {
    return context.work ? context.work->fromStart(path) : path;
}

// Every file name once, in the order first seen.
void keep(std::vector<std::string>& names, const std::string& name) {
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
}

// A pass starts: its bad-QSO file is one the operator gets.
void passStarts(StepEnv& env) { keep(env.context.badQsoFiles, badQsoFileName(env.pass.end)); }

bool parseQso(const StepWords& w, StepEnv& env, LogQso& q, std::string& why) {
    if (!parseDateTime(w[1], w[2], q.time, why)) return false;
    if (!allDigits(w[3]) || w[3].size() > 10 || std::stoull(w[3]) > 0xFFFFFFFFull)
        return why = "\"" + w[3] + "\" is not a frequency in Hz", false;
    q.freqHz = static_cast<unsigned>(std::stoull(w[3]));
    q.mode = w[4], q.call = w[5], q.rstSent = w[6], q.exchSent = w[7], q.rstRcvd = w[8];
    q.exchRcvd = w[9], q.band = w[10];
    if (w.size() == 12) {
        q.prefix = w[11];
    } else {
        if (!env.loadCty(why)) return false;
        q.prefix = env.context.cty.resolve(q.call).prefix;
    }
    return true;
}

bool ownStep(StepEnv& env, const StepWords& w, std::string& why) {
    env.pass.ownCall = w[1];
    if (w.size() == 3) {
        env.pass.ownPrefix = w[2];
    } else {
        if (!env.loadCty(why)) return false;
        env.pass.ownPrefix = env.context.cty.resolve(w[1]).prefix;
    }
    std::fprintf(env.out, "own call \"%s\", prefix \"%s\"\n", env.pass.ownCall.c_str(), env.pass.ownPrefix.c_str());
    return true;
}

bool contestStep(StepEnv& env, const StepWords& w, std::string& why) {
    return parseDateTime(w[1], w[2], env.pass.start, why) && parseDateTime(w[3], w[4], env.pass.end, why);
}

bool modeStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (w[1] != "CW" && w[1] != "SSB") return false;
    env.mode = w[1];
    return storeContestMode(w[1] == "SSB", why);
}

bool settingStep(StepEnv&, const StepWords& w, std::string& why) { return storeSettings({{w[1], w[2]}}, why); }
bool hostVersionStep(StepEnv&, const StepWords& w, std::string& why) { return storeHostVersion(w[1], why); }
bool htmlStep(StepEnv& env, const StepWords&, std::string&) { return env.host.html(), true; }
bool resetStep(StepEnv& env, const StepWords&, std::string&) {
    env.host.reset(env.pass, false);
    passStarts(env);
    return true;
}

bool exportStep(StepEnv& env, const StepWords& w, std::string& why) {
    DialogAnswers answers;
    if (w[0] == "export-cancel") answers.cancel();
    for (std::size_t i = 1; i < w.size(); ++i) {
        const std::size_t eq = w[i].find('=');
        if (eq == std::string::npos) return why = "export wants LABEL=VALUE, not " + w[i], false;
        answers.set(w[i].substr(0, eq), w[i].substr(eq + 1));
    }
    if (!answers.publish(why)) return false;
    env.host.reset(env.pass, true);
    passStarts(env);
    return true;
}

bool addStep(StepEnv& env, const StepWords& w, std::string& why) {
    LogQso q;
    if (!parseQso(w, env, q, why)) return false;
    std::fprintf(env.out, "AddData0 %s %s: %d\n", q.call.c_str(), q.prefix.c_str(), env.host.add(q, env.pass.ownCall));
    return true;
}

bool removeStep(StepEnv& env, const StepWords& w, std::string& why) {
    LogQso q;
    if (!parseQso(w, env, q, why)) return false;
    std::fprintf(env.out, "RemoveData0 %s: %d\n", q.call.c_str(), env.host.remove(q, env.pass.ownCall));
    return true;
}

bool logStep(StepEnv& env, const StepWords& w, std::string& why) {
    Log log;
    std::vector<std::string> messages;
    // Read from the folder hostsim was started in, and named as the script names it.
    const bool read = readLogFile(fromStart(env.context, w[1]), w[1], log, messages);
    for (const std::string& m : messages) std::fprintf(stderr, "hostsim: %s\n", m.c_str());
    if (!read) return why = "cannot read the log " + w[1], false;
    if (!env.loadCty(why)) return false;
    for (LogQso& q : log.qsos) q.prefix = env.context.cty.resolve(q.call).prefix;
    const std::size_t stored = env.host.addAll(log.qsos, env.pass.ownCall);
    std::fprintf(env.out, "%s handed over, %zu stored, %zu rejected\n", counted(log.qsos.size(), "QSO").c_str(),
                 stored, log.qsos.size() - stored);
    return true;
}

bool checkStep(StepEnv& env, const StepWords& w, std::string& why) {
    const std::size_t n = w.size() - 1;
    const std::string prefix = n >= 4 ? w[4] : std::string();
    int zone = 0;
    if (n >= 5) {
        if (!allDigits(w[5]) || w[5].size() > 3) return why = "zone \"" + w[5] + "\" is not a number", false;
        zone = std::stoi(w[5]);
    }
    const int code = env.host.check(w[1], w[2], w[3], prefix, zone, n == 6 ? w[6].c_str() : nullptr);
    std::fprintf(env.out, "CheckCall0 %s: %d %s\n", w[1].c_str(), code, checkMeaning(code));
    return true;
}

bool exchangeStep(StepEnv& env, const StepWords& w, std::string&) {
    std::fprintf(env.out, "IsValidExchg0 \"%s\": %d\n", w[1].c_str(), env.host.exchange(w[1]));
    return true;
}

bool resultStep(StepEnv& env, const StepWords&, std::string&) {
    int status = 0;
    writeText(env.out, env.host.result(status));
    std::fprintf(env.out, "status %d\n", status);
    return true;
}

bool showStep(StepEnv& env, const StepWords& w, std::string&) {
    std::ifstream in(w[1], std::ios::binary);
    if (!in) {
        std::fprintf(env.out, "(no file %s)\n", w[1].c_str());
        return true;
    }
    std::ostringstream text;
    text << in.rdbuf();
    writeText(env.out, text.str());
    return true;
}

bool filesStep(StepEnv& env, const StepWords&, std::string&) {
    std::vector<std::string> names;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(".", ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->is_regular_file(ec) && it->path().lexically_relative(".") != WorkFolder::kMarker)
            names.push_back(it->path().lexically_relative(".").generic_string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) std::fprintf(env.out, "%s\n", name.c_str());
    return true;
}

constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

constexpr ScriptStep kPassSteps[] = {
    {"own", "CALL [PREFIX]", "own call and prefix of the next passes (prefix from cty.dat when left out)",
     1, 2, false, true, ownStep},
    {"contest", "YYYY-MM-DD HHMM YYYY-MM-DD HHMM", "contest start and end of the next passes", 4, 4, false, true,
     contestStep},
    {"mode", "CW|SSB", "the contest mode, as the plug-in's CW/SSB switch stores it", 1, 1, false, true, modeStep},
    {"host-version", "V", "the host's version, in the host's ini file Tarn2.ini", 1, 1, false, true,
     hostVersionStep},
    {"html", "", "setVersion: results come as HTML from now on", 0, 0, true, true, htmlStep},
    {"reset", "", "ResetStats0, an ordinary pass", 0, 0, true, true, resetStep},
    {"export", "[LABEL=VALUE ...]", "ResetStats0, an export pass; the header dialog answered with these values", 0,
     kAnyNumber, true, true, exportStep},
    {"export-cancel", "", "ResetStats0, an export pass whose header dialog is cancelled", 0, 0, true, true,
     exportStep},
    {"add", "DATE TIME HZ MODE CALL RST-SENT EXCH-SENT RST-RCVD EXCH-RCVD BAND [PREFIX]", "AddData0; prints its answer",
     10, 11, true, true, addStep},
    {"remove", "(as add)", "RemoveData0", 10, 11, true, true, removeStep},
    {"log", "FILE", "AddData0 for every QSO of an ADIF or Cabrillo log (in the current folder); prints the counts",
     1, 1, true, true, logStep},
    {"check", "CALL BAND MODE [PREFIX [ZONE [OTHER-BAND]]]", "CheckCall0; prints the code", 3, 6, true, true,
     checkStep},
    {"exchange", "TEXT", "IsValidExchg0; prints the answer", 1, 1, true, true, exchangeStep},
    {"result", "", "GetResult0; prints the text and the status it stored", 0, 0, true, true, resultStep},
    {"show", "FILE", "prints a file of the work folder, or that it is missing", 1, 1, false, true, showStep},
    {"files", "", "lists the work folder's files (Plugins/ included)", 0, 0, false, true, filesStep},
    {"setting", "KEY VALUE", "writes a key of section \"Settings\" in Plugins/VU-VO.ini", 2, 2, false, true,
     settingStep},
};

} // namespace

std::span<const ScriptStep> passSteps() { return kPassSteps; }

const ScriptStep* findStep(const std::string& name) {
    for (const std::span<const ScriptStep> table : {passSteps(), liveSteps()})
        for (const ScriptStep& step : table)
            if (name == step.name) return &step;
    return nullptr;
}

void printStepHelp(std::FILE* to) {
    constexpr int kHelpColumn = 34;
    auto print = [to](std::span<const ScriptStep> table) {
        for (const ScriptStep& step : table) {
            const std::string call = std::string(step.name) + (*step.words ? " " : "") + step.words;
            if (call.size() + 2 < kHelpColumn)
                std::fprintf(to, "  %-*s%s\n", kHelpColumn - 2, call.c_str(), step.help);
            else
                std::fprintf(to, "  %s\n  %-*s%s\n", call.c_str(), kHelpColumn - 2, "", step.help);
        }
    };
    std::fprintf(to, "Script steps (texts with blanks in double quotes; \"\" is an empty text):\n");
    print(passSteps());
    std::fprintf(to, "Steps of a live session (the plug-in's windows, on Windows; natively each window step says\n"
                     "that there are none):\n");
    print(liveSteps());
}

bool StepEnv::loadCty(std::string& why) {
    if (context.ctyLoaded) return true;
    std::vector<std::string> messages;
    if (context.ctyPath.empty()) messages.push_back(context.ctyMissing);
    else context.ctyLoaded = loadCtyFile(context.ctyPath, context.cty, messages);
    for (const std::string& m : messages) std::fprintf(stderr, "hostsim: %s\n", m.c_str());
    if (!context.ctyLoaded) why = "a step needs the country file";
    return context.ctyLoaded;
}

// Runs one step: found in the tables, its number of words checked, refused when it needs an unloaded plug-in.
static bool runStep(StepEnv& env, const StepWords& w, std::string& why) {
    const ScriptStep* step = findStep(w[0]);
    const std::size_t n = w.size() - 1;
    if (!step || n < step->least || n > step->most) return why = "unknown step or wrong number of words", false;
    if (step->needsPlugin && env.context.library && !env.context.library->loaded())
        return why = "the plug-in is unloaded", false;
    if (env.context.live && step >= liveSteps().data() && step < liveSteps().data() + liveSteps().size()) {
        if (const std::string refusal = env.context.live->refusal(); !refusal.empty()) return why = refusal, false;
    }
    if (step->run(env, w, why)) return true;
    if (why.empty()) why = "unknown step or wrong number of words";
    return false;
}

void writeText(std::FILE* out, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out);
    if (text.empty() || text.back() != '\n') std::fputc('\n', out);
    std::fflush(out);
}

int runScript(const std::string& path, const PluginFunctions& plugin, ScriptContext& context, std::FILE* out) {
    std::ifstream in(fromStart(context, path), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "hostsim: cannot open the script %s\n", path.c_str());
        return 1;
    }
    HostSession host(plugin);
    PassSetup pass;
    // The scripts' contest, until a step says otherwise: JIDX CW 2026.
    const ContestPeriod period = jidxWeekend(2026, false);
    pass.start = period.start;
    pass.end = period.end;
    pass.hostDir = workingFolder();
    std::string mode = "CW";
    StepEnv env{host, context, pass, mode, out};
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
        const ScriptStep* step = words.empty() ? nullptr : findStep(words[0]);
        if (context.live && (!step || step->pumpsFirst)) context.live->pump();
        std::fprintf(out, "> %s\n", std::string(text).c_str());
        const bool done = !words.empty() && runStep(env, words, why);
        std::fflush(out);
        // What the plug-in told the operator during the step; the Cabrillo files it produced are the operator's.
        constexpr std::string_view kProduced = "File produced: ";
        for (const std::string& said : tellMessages())
            if (said.compare(0, kProduced.size(), kProduced) == 0)
                keep(context.cabrilloFiles, said.substr(kProduced.size()));
        if (!done) {
            std::fprintf(stderr, "hostsim: %s:%d: %s\n", path.c_str(), number, why.c_str());
            return 1;
        }
    }
    std::fflush(out);
    return 0;
}
