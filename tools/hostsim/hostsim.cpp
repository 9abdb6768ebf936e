// The host's stand-in: drives the plug-in the way the host does, through the library's exported names only.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "log_file.h"
#include "plugin_library.h"

namespace {

constexpr const char* kHostVersion = "hostsim 0.1";
constexpr std::size_t kErrorsShown = 50;

// Exit codes.
constexpr int kOk = 0;
constexpr int kBadLog = 1;
constexpr int kBadUse = 2;  // wrong arguments, or the plug-in cannot be used

void usage(std::FILE* to) {
    std::fprintf(to,
                 "usage: hostsim --plugin PATH score LOGFILE [--html]\n"
                 "  score   one statistics pass over LOGFILE; prints the plug-in's result text.\n"
                 "          --html asks for the HTML result (the host's setVersion call).\n"
                 "The plug-in writes its bad-QSO file and Plugins/VU-VO.ini into the current folder.\n");
}

struct Options {
    std::string plugin;
    std::string command;
    std::string logFile;
    bool html = false;
};

bool parseOptions(int argc, char** argv, Options& o, std::string& error) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--plugin") {
            if (i + 1 >= argc) return error = "--plugin wants a path", false;
            o.plugin = argv[++i];
        } else if (a.substr(0, 9) == "--plugin=") {
            o.plugin = std::string(a.substr(9));
        } else if (a == "--html") {
            o.html = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return error = "unknown option " + std::string(a), false;
        } else {
            positional.emplace_back(a);
        }
    }
    if (o.plugin.empty()) return error = "no --plugin PATH", false;
    if (positional.empty()) return error = "no command", false;
    o.command = positional[0];
    if (o.command != "score") return error = "unknown command " + o.command, false;
    if (positional.size() != 2) return error = "score wants exactly one LOGFILE", false;
    o.logFile = positional[1];
    return true;
}

// The host passes its own folder with a trailing separator; ours is where we run.
std::string hostFolder() {
    std::error_code ec;
    std::string folder = std::filesystem::current_path(ec).string();
    if (ec) return "./";
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

int score(const PluginFunctions& p, const LogFile& log, bool html) {
    if (p.GetNumberOfSets() < 1) {
        std::fprintf(stderr, "hostsim: the plug-in offers no contest set\n");
        return kBadUse;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory("Plugins", ec))
        std::fprintf(stderr, "hostsim: note: no Plugins folder here, so the plug-in cannot keep its settings\n");
    if (html) p.setVersion(kHostVersion);

    const std::string hostDir = hostFolder();
    COleDateTime start = log.start;
    COleDateTime end = log.end;
    p.ResetStats0(hostDir.c_str(), 0, log.ownCall.c_str(), &start, &end, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, nullptr, nullptr, nullptr, log.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
                  nullptr);
    std::size_t stored = 0;
    for (const LogQso& q : log.qsos) {
        COleDateTime time = q.time;
        stored += p.AddData0(log.ownCall.c_str(), q.call.c_str(), &time, nullptr, nullptr, nullptr, 0, q.freqHz,
                             q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(), q.exchSent.c_str(),
                             q.exchRcvd.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, nullptr, q.prefix.c_str(), 0, 0, 0, 0.0, 0.0, nullptr, "", nullptr,
                             q.band.c_str(), nullptr) == 1;
    }
    int status = 0;
    const char* result = p.GetResult0(&status);
    const std::string text = result ? result : "";
    std::fwrite(text.data(), 1, text.size(), stdout);
    if (text.empty() || text.back() != '\n') std::fputc('\n', stdout);
    std::fflush(stdout);
    std::fprintf(stderr, "hostsim: %zu QSOs handed over, %zu stored, %zu rejected\n", log.qsos.size(), stored,
                 log.qsos.size() - stored);
    return kOk;
}

int run(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") return usage(stdout), kOk;
    Options options;
    std::string error;
    if (!parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "hostsim: %s\n", error.c_str());
        usage(stderr);
        return kBadUse;
    }

    LogFile log;
    std::vector<std::string> problems;
    if (!readLogFile(options.logFile, log, problems)) {
        for (std::size_t i = 0; i < problems.size() && i < kErrorsShown; ++i)
            std::fprintf(stderr, "hostsim: %s: %s\n", options.logFile.c_str(), problems[i].c_str());
        if (problems.size() > kErrorsShown)
            std::fprintf(stderr, "hostsim: %s: and %zu more problems\n", options.logFile.c_str(),
                         problems.size() - kErrorsShown);
        return kBadLog;
    }

    PluginLibrary plugin;
    if (!plugin.open(options.plugin, error)) {
        std::fprintf(stderr, "hostsim: %s\n", error.c_str());
        return kBadUse;
    }
    return score(plugin.functions(), log, options.html);
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hostsim: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "hostsim: unexpected failure\n");
    }
    return kBadUse;
}
