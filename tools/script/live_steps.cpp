// The steps of a live session: the operator types and tunes, hostsim looks at the plug-in's windows and clicks
// them.
#include "script_steps.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "tools/logs/log_model.h"
#include "tools/logs/text_util.h"
#include "tools/robot/live_host.h"
#include "tools/session/work_folder.h"

namespace {

bool wholeNumber(const std::string& text, unsigned long long limit, unsigned long long& value) {
    if (!allDigits(text) || text.size() > 12) return false;
    value = std::stoull(text);
    return value <= limit;
}

bool pictureName(const std::string& name) {
    if (name.empty() || name.size() > 64) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
            return false;
    return true;
}

std::string shownMs(double ms) {
    if (ms < 0) return "not seen";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f ms", ms);
    return text;
}

void leaveNow(std::FILE* out) {
    std::fflush(out);
    std::fflush(stdout);
    std::fflush(stderr);
#ifdef _WIN32
    ExitProcess(0);
#else
    std::_Exit(0);
#endif
}

bool tuneStep(StepEnv& env, const StepWords& w, std::string& why) {
    unsigned long long value = 0;
    if (!wholeNumber(w[1], 0xFFFFFFFFull, value)) return why = "\"" + w[1] + "\" is not a frequency in Hz", false;
    env.context.live->setFrequency(static_cast<double>(value));
    return true;
}

// type and key: keystrokes as the host makes them, the entry holding the text, then the host's check of it.
bool typeStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (!env.loadCty(why)) return false;
    LiveHost& live = *env.context.live;
    const double hz = live.frequency();
    const std::string band = hz >= 1 ? bandOfFrequency(static_cast<unsigned>(hz)) : std::string();
    const std::string mode = live.mode(env.mode);
    auto press = [&](const std::string& text) {
        const CtyDatabase::Match m = env.context.cty.resolve(text);
        live.setEntry(text);
        live.keystroke();
        const int code = env.host.check(text, band, mode, m.prefix, m.cqZone, nullptr);
        std::fprintf(env.out, "CheckCall0 %s on %s %s: %d %s\n", text.c_str(),
                     band.empty() ? "(no band)" : band.c_str(), mode.c_str(), code, checkMeaning(code));
    };
    if (w[0] == "key") return press(w[1]), true;
    for (std::size_t i = 1; i <= w[1].size(); ++i) {
        press(w[1].substr(0, i));
        if (!live.settle(why)) return false;
    }
    return true;
}

bool slowStep(StepEnv& env, const StepWords& w, std::string& why) {
    unsigned long long value = 0;
    if (!wholeNumber(w[1], 60000, value)) return why = "slow wants milliseconds up to 60000", false;
    env.context.live->setSlowAnswers(static_cast<unsigned>(value));
    return true;
}

bool failStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (w[1] != "on" && w[1] != "off") return why = "fail wants on or off", false;
    env.context.live->setFailing(w[1] == "on");
    return true;
}

bool busyStep(StepEnv&, const StepWords& w, std::string& why) {
    unsigned long long value = 0;
    if (!wholeNumber(w[1], 60000, value)) return why = "busy wants milliseconds up to 60000", false;
    std::this_thread::sleep_for(std::chrono::milliseconds(value));
    return true;
}

bool unloadStep(StepEnv& env, const StepWords&, std::string&) {
    LiveHost& live = *env.context.live;
    live.forgetWindows();
    const unsigned before = live.callsAnswered();
    if (env.context.library) env.context.library->close();
    std::fprintf(env.out, "plug-in unloaded; the host answered %u calls meanwhile\n", live.callsAnswered() - before);
    return true;
}

bool exitStep(StepEnv& env, const StepWords&, std::string&) {
    if (env.context.beforeExit) env.context.beforeExit();
    env.context.live->beforeExit();
    leaveNow(env.out);
    return true;
}

// Another program's hold on a file of the working folder: on Windows a handle of hostsim's own with that
// program's sharing (the system checks sharing handle by handle, whichever process holds them); natively nothing
// refuses a file for being open, so nothing is held.
#ifdef _WIN32
std::map<std::string, HANDLE>& heldFiles() {
    static std::map<std::string, HANDLE> held;
    return held;
}
#endif

bool holdStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (w[2] != "viewer" && w[2] != "exclusive") return why = "hold wants viewer or exclusive", false;
#ifdef _WIN32
    if (heldFiles().count(w[1])) return why = w[1] + " is held already", false;
    // A viewer opens a file as a C runtime does: reading, sharing reading and writing but not deletion.
    const bool viewer = w[2] == "viewer";
    const HANDLE file = CreateFileA(w[1].c_str(), viewer ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                                    viewer ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return why = "cannot hold " + w[1] + " (error " + std::to_string(GetLastError()) + ")", false;
    heldFiles()[w[1]] = file;
    std::fprintf(env.out, "%s held as %s\n", w[1].c_str(), viewer ? "a viewer holds it" : "nothing else may open it");
#else
    std::fprintf(env.out, "(files are held on Windows only)\n");
#endif
    return true;
}

bool releaseStep(StepEnv& env, const StepWords& w, std::string& why) {
#ifdef _WIN32
    const auto found = heldFiles().find(w[1]);
    if (found == heldFiles().end()) return why = w[1] + " is not held", false;
    CloseHandle(found->second);
    heldFiles().erase(found);
    std::fprintf(env.out, "%s let go\n", w[1].c_str());
#else
    (void)w, (void)why;
    std::fprintf(env.out, "(files are held on Windows only)\n");
#endif
    return true;
}

// The steps that look at or touch the windows: natively they only say that there are none.
bool noWindows(StepEnv& env) {
    if (env.context.live->hasWindows()) return false;
    std::fprintf(env.out, "(the native plug-in has no windows)\n");
    return true;
}

bool waitStep(StepEnv& env, const StepWords&, std::string& why) {
    return noWindows(env) || env.context.live->settle(why);
}

bool clickStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (noWindows(env)) return true;
    unsigned long long value = 0;
    if (!wholeNumber(w[1], 65535, value)) return why = "click wants a control id", false;
    return env.context.live->click(static_cast<int>(value), why);
}

bool captionStep(StepEnv& env, const StepWords& w, std::string&) {
    if (noWindows(env)) return true;
    if (!isWindowName(w[1])) return false;
    std::string text;
    std::fprintf(env.out, "caption %s: %s\n", w[1].c_str(),
                 env.context.live->caption(w[1], text) ? text.c_str() : "(not open)");
    return true;
}

bool marksStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (noWindows(env)) return true;
    if (w[1] != "county" && w[1] != "zone") return false;
    std::vector<std::string> labels;
    if (!env.context.live->marks(w[1], labels, why)) {
        why.clear();
        std::fprintf(env.out, "marks %s: (not open)\n", w[1].c_str());
        return true;
    }
    std::string line;
    for (const std::string& l : labels) line += " " + l;
    std::fprintf(env.out, "marks %s:%s\n", w[1].c_str(), line.empty() ? " (none)" : line.c_str());
    return true;
}

bool pictureStep(StepEnv& env, const StepWords& w, std::string& why) {
    if (noWindows(env)) return true;
    const std::string window = w.size() == 3 ? w[2] : "screen";
    if (!pictureName(w[1])) return why = "a picture's name is letters, digits, '_' and '-'", false;
    if (window != "screen" && !isWindowName(window)) return why = "no window called " + window, false;
    // Pictures go where the tests collect them, else to the operator's output folder, never the work folder.
    const char* artifacts = std::getenv("VUVO_ARTIFACTS");
    const std::string folder = artifacts && *artifacts ? artifacts
                               : env.context.work      ? env.context.work->output()
                                                       : std::string(".");
    const std::string path = (std::filesystem::path(folder) / (w[1] + ".bmp")).string();
    if (!env.context.live->picture(path, window, why)) return false;
    std::fprintf(env.out, "picture %s: %s\n", w[1].c_str(), window.c_str());
    return true;
}

bool windowsStep(StepEnv& env, const StepWords&, std::string&) {
    if (noWindows(env)) return true;
    std::string line;
    for (const std::string& name : env.context.live->openWindows()) line += " " + name;
    std::fprintf(env.out, "windows:%s\n", line.empty() ? " none" : line.c_str());
    return true;
}

bool commandsStep(StepEnv& env, const StepWords&, std::string&) {
    if (noWindows(env)) return true;
    const std::vector<std::string> commands = env.context.live->takeCommands();
    for (const std::string& c : commands) std::fprintf(env.out, "command %s\n", c.c_str());
    if (commands.empty()) std::fprintf(env.out, "(no commands)\n");
    return true;
}

bool timingStep(StepEnv& env, const StepWords&, std::string&) {
    if (noWindows(env)) return true;
    const LiveTiming t = env.context.live->timing();
    std::fprintf(env.out, "timing: call read %s, live update done %s, DXCC panel painted %s after the CheckCall0\n",
                 shownMs(t.callRead).c_str(), shownMs(t.passDone).c_str(), shownMs(t.panelPainted).c_str());
    return true;
}

constexpr ScriptStep kLiveSteps[] = {
    {"tune", "HZ", "the host's frequency, as its automation object answers it (0 at first)", 1, 1, false, true,
     tuneStep},
    {"type", "CALL",
     "types CALL a character at a time: a CheckCall0 each (host's band and mode), then a wait",
     1, 1, true, true, typeStep},
    {"key", "TEXT", "the entry becomes TEXT: one CheckCall0, nothing waited for", 1, 1, true, true, typeStep},
    {"wait", "", "serves the windows until they have done all they were asked", 0, 0, false, true, waitStep},
    {"click", "ID", "clicks a check box of the main window, then waits", 1, 1, false, true, clickStep},
    {"caption", "WINDOW", "a window's title in UTF-8 (WINDOW: master, dxcc, county or zone)", 1, 1, false, true,
     captionStep},
    {"marks", "WINDOW", "the labels of the grid's buttons that show a multiplier worked", 1, 1, false, true,
     marksStep},
    {"picture", "NAME [WINDOW]", "NAME.bmp of a window, or of the screen, in VUVO_ARTIFACTS (else --out DIR or here)",
     1, 2, false, true, pictureStep},
    {"windows", "", "the plug-in windows that are open", 0, 0, false, true, windowsStep},
    {"commands", "", "the commands the plug-in sent the host since the last time", 0, 0, false, true, commandsStep},
    {"timing", "", "how long the last keystroke took to reach the windows", 0, 0, false, true, timingStep},
    {"slow", "MS", "the host answers every later call MS milliseconds late", 1, 1, false, true, slowStep},
    {"fail", "on|off", "while on, the host answers every call with an error, as a busy or closing host", 1, 1,
     false, true, failStep},
    {"busy", "MS", "the host's thread works MS milliseconds without serving any call", 1, 1, false, false,
     busyStep},
    {"hold", "FILE viewer|exclusive",
     "another program holds FILE of the work folder: as a viewer (reads, shares reading and writing) or sharing nothing", 2, 2, false,
     true, holdStep},
    {"release", "FILE", "that program lets FILE go", 1, 1, false, true, releaseStep},
    {"unload", "", "FreeLibrary: the host lets the plug-in go", 0, 0, false, false, unloadStep},
    {"exit", "", "the process ends at once (ExitProcess), windows open or not", 0, 0, false, false, exitStep},
};

} // namespace

std::span<const ScriptStep> liveSteps() { return kLiveSteps; }
