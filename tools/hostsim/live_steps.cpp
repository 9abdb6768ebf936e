#include "live_steps.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "live_host.h"
#include "log_model.h"
#include "text_util.h"

namespace {

bool isWindowStep(const std::string& s) {
    for (const char* step : {"wait", "click", "caption", "marks", "picture", "windows", "commands", "timing"})
        if (s == step) return true;
    return false;
}

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

} // namespace

bool liveStep(const std::vector<std::string>& w, HostSession& host, ScriptContext& context,
              const std::string& contestMode, const std::function<bool(std::string&)>& loadCty, std::FILE* out,
              std::string& why, bool& handled) {
    handled = true;
    const std::string& s = w[0];
    const std::size_t n = w.size() - 1;
    LiveHost& live = *context.live;
    unsigned long long value = 0;

    if (s == "tune" && n == 1) {
        if (!wholeNumber(w[1], 0xFFFFFFFFull, value)) return why = "\"" + w[1] + "\" is not a frequency in Hz", false;
        live.setFrequency(static_cast<double>(value));
        return true;
    }
    if ((s == "type" || s == "key") && n == 1) {
        if (!loadCty(why)) return false;
        const double hz = live.frequency();
        const std::string band = hz >= 1 ? bandOfFrequency(static_cast<unsigned>(hz)) : std::string();
        const std::string mode = live.mode(contestMode);
        // One keystroke as the host makes it: the entry holds the text, then the host checks it.
        auto press = [&](const std::string& text) {
            const CtyDatabase::Match m = context.cty.resolve(text);
            live.setEntry(text);
            live.keystroke();
            const int code = host.check(text, band, mode, m.prefix, m.cqZone, nullptr);
            std::fprintf(out, "CheckCall0 %s on %s %s: %d %s\n", text.c_str(),
                         band.empty() ? "(no band)" : band.c_str(), mode.c_str(), code, checkMeaning(code));
        };
        if (s == "key") return press(w[1]), true;
        for (std::size_t i = 1; i <= w[1].size(); ++i) {
            press(w[1].substr(0, i));
            if (!live.settle(why)) return false;
        }
        return true;
    }
    if (s == "slow" && n == 1) {
        if (!wholeNumber(w[1], 60000, value)) return why = "slow wants milliseconds up to 60000", false;
        live.setSlowAnswers(static_cast<unsigned>(value));
        return true;
    }
    if (s == "busy" && n == 1) {
        if (!wholeNumber(w[1], 60000, value)) return why = "busy wants milliseconds up to 60000", false;
        std::this_thread::sleep_for(std::chrono::milliseconds(value));
        return true;
    }
    if (s == "unload" && n == 0) {
        live.forgetWindows();
        const unsigned before = live.callsAnswered();
        if (context.library) context.library->close();
        std::fprintf(out, "plug-in unloaded; the host answered %u calls meanwhile\n", live.callsAnswered() - before);
        return true;
    }
    if (s == "exit" && n == 0) {
        live.beforeExit();
        leaveNow(out);
    }

    const bool windowStep = isWindowStep(s) && n <= 2;
    if (windowStep && !live.hasWindows()) {
        std::fprintf(out, "(the native plug-in has no windows)\n");
        return true;
    }
    if (s == "wait" && n == 0) return live.settle(why);
    if (s == "click" && n == 1) {
        if (!wholeNumber(w[1], 65535, value)) return why = "click wants a control id", false;
        return live.click(static_cast<int>(value), why);
    }
    if (s == "caption" && n == 1 && isWindowName(w[1])) {
        std::string text;
        std::fprintf(out, "caption %s: %s\n", w[1].c_str(), live.caption(w[1], text) ? text.c_str() : "(not open)");
        return true;
    }
    if (s == "marks" && n == 1 && (w[1] == "county" || w[1] == "zone")) {
        std::vector<std::string> labels;
        if (!live.marks(w[1], labels, why)) {
            std::fprintf(out, "marks %s: (not open)\n", w[1].c_str());
            return true;
        }
        std::string line;
        for (const std::string& l : labels) line += " " + l;
        std::fprintf(out, "marks %s:%s\n", w[1].c_str(), line.empty() ? " (none)" : line.c_str());
        return true;
    }
    if (s == "picture" && (n == 1 || n == 2)) {
        const std::string window = n == 2 ? w[2] : "screen";
        if (!pictureName(w[1])) return why = "a picture's name is letters, digits, '_' and '-'", false;
        if (window != "screen" && !isWindowName(window)) return why = "no window called " + window, false;
        if (!live.picture(w[1], window, why)) return false;
        std::fprintf(out, "picture %s: %s\n", w[1].c_str(), window.c_str());
        return true;
    }
    if (s == "windows" && n == 0) {
        std::string line;
        for (const std::string& name : live.openWindows()) line += " " + name;
        std::fprintf(out, "windows:%s\n", line.empty() ? " none" : line.c_str());
        return true;
    }
    if (s == "commands" && n == 0) {
        const std::vector<std::string> commands = live.takeCommands();
        for (const std::string& c : commands) std::fprintf(out, "command %s\n", c.c_str());
        if (commands.empty()) std::fprintf(out, "(no commands)\n");
        return true;
    }
    if (s == "timing" && n == 0) {
        const LiveTiming t = live.timing();
        std::fprintf(out, "timing: call read %s, live update done %s, DXCC panel painted %s after the CheckCall0\n",
                     shownMs(t.callRead).c_str(), shownMs(t.passDone).c_str(), shownMs(t.panelPainted).c_str());
        return true;
    }
    handled = false;
    return false;
}
