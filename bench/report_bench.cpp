// What `hostsim report` costs on a whole contest's log, as the operator runs it: the log read, the replay hour by
// hour, the plug-in's own pass for the result page, both files written. The log is the synthetic one of the engine
// benchmarks, written as an ADIF file first.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "synthetic_log.h"
#include "tools/hostsim/command_line.h"

namespace {

std::string field(const char* name, const std::string& value) {
    return "<" + std::string(name) + ":" + std::to_string(value.size()) + ">" + value + " ";
}

// The log as another logger exports it, in a file of the current folder.
std::string writeAdif(const SyntheticLog& log, std::size_t count) {
    const std::string name = "synthetic_" + std::to_string(count) + ".adi";
    std::string text = "A synthetic JIDX log\n<ADIF_VER:5>3.1.4 <EOH>\n";
    for (const SyntheticQso& q : log.qsos) {
        char mhz[32];
        std::snprintf(mhz, sizeof mhz, "%.4f", q.freqHz / 1e6);
        text += field("CALL", q.call) + field("QSO_DATE", q.time.Format("%Y%m%d")) +
                field("TIME_ON", q.time.Format("%H%M%S")) + field("BAND", q.band) + field("FREQ", mhz) +
                field("MODE", q.mode) + field("RST_SENT", q.rstSent) + field("RST_RCVD", q.rstRcvd) +
                field("STX_STRING", q.exchSent) + field("SRX_STRING", q.exchRcvd) +
                field("STATION_CALLSIGN", log.ownCall) + "<EOR>\n";
    }
    std::FILE* f = std::fopen(name.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return name;
}

// hostsim's messages go nowhere while it is timed.
struct Quiet {
    int out = dup(1), err = dup(2);
    Quiet() {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1), dup2(null, 2), close(null);
    }
    ~Quiet() {
        std::fflush(stdout), std::fflush(stderr);
        dup2(out, 1), dup2(err, 2), close(out), close(err);
    }
};

void Report(benchmark::State& state) {
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    const SyntheticLog log = makeSyntheticLog(count);
    const std::string file = writeAdif(log, count);
    const std::string start = log.start.Format("%Y-%m-%d %H%M"), end = log.end.Format("%Y-%m-%d %H%M");
    std::vector<std::string> words = {"hostsim", "--plugin", VUVO_PLUGIN_PATH, "--cty", VUVO_CTY, "report", file,
                                      "--start", start, "--end", end};
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    for (auto _ : state) {
        int status;
        {
            Quiet quiet;
            status = runCommandLine(static_cast<int>(argv.size()), argv.data());
        }
        if (status != 0) state.SkipWithError(("hostsim report ended with " + std::to_string(status)).c_str());
    }
    state.counters["QSOs"] = static_cast<double>(count);
    std::remove(file.c_str());
}
BENCHMARK(Report)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
