// What a statistics pass, a call check and a QSO's removal cost, measured through the exported functions the host
// calls, against a floor that only copies what the host hands over.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "engine/jidx_rules.h"
#include "plugin/host_call.h"
#include "plugin/plugin_exports.h"
#include "plugin/window_door.h"
#include "synthetic_log.h"

namespace {

constexpr std::size_t kNoLog = static_cast<std::size_t>(-1);
std::size_t g_loadedLog = kNoLog;  // the size of the synthetic log the plug-in holds now

const SyntheticLog& syntheticLog(std::size_t qsoCount) {
    static std::map<std::size_t, SyntheticLog> logs;
    auto it = logs.find(qsoCount);
    if (it == logs.end()) it = logs.emplace(qsoCount, makeSyntheticLog(qsoCount)).first;
    return it->second;
}

void startPass(const SyntheticLog& log) {
    COleDateTime start = log.start;
    COleDateTime end = log.end;
    ResetStats0("./", 0, log.ownCall.c_str(), &start, &end, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, log.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr);
}

host_call::HostQso hostQso(const SyntheticQso& q) {
    return {q.myCall.c_str(), q.call.c_str(), q.time, q.freqHz, q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(),
            q.exchSent.c_str(), q.exchRcvd.c_str(), q.prefix.c_str(), q.hostText.c_str(), q.band.c_str()};
}

int addQso(const SyntheticQso& q) { return host_call::callWithQso(&AddData0, hostQso(q)); }

int removeQso(const SyntheticQso& q) { return host_call::callWithQso(&RemoveData0, hostQso(q)); }

const char* statisticsPass(const SyntheticLog& log) {
    startPass(log);
    for (const SyntheticQso& q : log.qsos) addQso(q);
    int status = 0;
    return GetResult0(&status);
}

void loadLog(const SyntheticLog& log) {
    statisticsPass(log);
    g_loadedLog = log.qsos.size();
}

void BM_StatisticsPass(benchmark::State& state) {
    const SyntheticLog& log = syntheticLog(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(statisticsPass(log));
    g_loadedLog = log.qsos.size();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The least a pass can cost: the texts the plug-in reads, the time and the frequency, copied into records.
struct FloorRecord {
    std::string myCall;
    std::string call;
    std::string mode;
    std::string rstSent;
    std::string rstRcvd;
    std::string exchSent;
    std::string exchRcvd;
    std::string prefix;
    std::string hostText;
    std::string band;
    int freqHz = 0;
    COleDateTime time;
};

void BM_CopyFloor(benchmark::State& state) {
    const SyntheticLog& log = syntheticLog(static_cast<std::size_t>(state.range(0)));
    std::vector<FloorRecord> records;  // kept, like the plug-in's log, so its capacity is reused
    for (auto _ : state) {
        records.clear();
        for (const SyntheticQso& q : log.qsos) {
            // Through plain pointers, as the host hands them over: every length is found anew.
            const COleDateTime* time = &q.time;
            FloorRecord r;
            r.myCall = q.myCall.c_str();
            r.call = q.call.c_str();
            r.mode = q.mode.c_str();
            r.rstSent = q.rstSent.c_str();
            r.rstRcvd = q.rstRcvd.c_str();
            r.exchSent = q.exchSent.c_str();
            r.exchRcvd = q.exchRcvd.c_str();
            r.prefix = q.prefix.c_str();
            r.hostText = q.hostText.c_str();
            r.band = q.band.c_str();
            r.freqHz = static_cast<int>(q.freqHz);
            r.time = *time;
            records.push_back(std::move(r));
        }
        benchmark::DoNotOptimize(records.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

struct CallQuestion {
    std::string call;
    std::string prefix;
    std::string band;
};

// A mix the operator would type: a third dupes, a third new stations, a third known stations on a new band.
std::vector<CallQuestion> callQuestions(const SyntheticLog& log) {
    using jidx::kBandCount, jidx::kBandNames;
    std::unordered_map<std::string, unsigned> bandsOf;  // bit per band
    std::vector<const SyntheticQso*> good;
    for (const SyntheticQso& q : log.qsos) {
        if (q.kind != QsoKind::good) continue;
        good.push_back(&q);
        for (int b = 0; b < kBandCount; ++b)
            if (q.band == kBandNames[b]) bandsOf[q.call] |= 1u << b;
    }
    if (good.empty()) return {};
    const std::vector<UnworkedStation> fresh = makeUnworkedStations(log, 400);
    std::vector<CallQuestion> questions;
    const std::size_t step = good.size() / 401 + 1;
    for (std::size_t i = 0; questions.size() < 1200; ++i) {
        const SyntheticQso& q = *good[(i * step) % good.size()];
        switch (i % 3) {
        case 0: questions.push_back({q.call, q.prefix, q.band}); break;
        case 1: {
            const UnworkedStation& s = fresh[(i / 3) % fresh.size()];
            questions.push_back({s.call, s.prefix, kBandNames[(i / 3) % kBandCount]});
            break;
        }
        default:
            for (int b = 0; b < kBandCount; ++b)
                if (!(bandsOf[q.call] & (1u << b))) {
                    questions.push_back({q.call, q.prefix, kBandNames[b]});
                    break;
                }
        }
    }
    return questions;
}

// The questions to ask of the benchmark's log, loaded into the plug-in; none (and the run skipped) when it has no
// good QSO.
std::vector<CallQuestion> loadedQuestions(benchmark::State& state) {
    const SyntheticLog& log = syntheticLog(static_cast<std::size_t>(state.range(0)));
    std::vector<CallQuestion> questions = callQuestions(log);
    if (questions.empty()) {
        state.SkipWithError("no good QSO in the log to ask about");
        return questions;
    }
    if (g_loadedLog != log.qsos.size()) loadLog(log);
    return questions;
}

void BM_CheckCall(benchmark::State& state) {
    const std::vector<CallQuestion> questions = loadedQuestions(state);
    if (questions.empty()) return;
    char out27[256] = {};
    char out28[256] = {};
    std::size_t i = 0;
    for (auto _ : state) {
        const CallQuestion& q = questions[i];
        if (++i == questions.size()) i = 0;
        benchmark::DoNotOptimize(CheckCall0(q.call.c_str(), 0, 0, "CW", nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, q.prefix.c_str(), 0, 0, 0, 0.0, 0.0,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, q.band.c_str(),
                                            q.band.c_str(), out27, out28));
    }
}

// Good QSOs from the middle half of the log that no other QSO shares call and band with: taking one out and
// putting it back leaves the log and the bad-QSO file as they were, but for the order.
std::vector<std::size_t> removableQsos(const SyntheticLog& log) {
    std::unordered_map<std::string, int> pairs;
    for (const SyntheticQso& q : log.qsos) ++pairs[q.call + '\0' + q.band];
    std::vector<std::size_t> picks;
    const std::size_t n = log.qsos.size();
    for (std::size_t i = n / 4; i < 3 * n / 4; ++i) {
        const SyntheticQso& q = log.qsos[i];
        if (q.kind == QsoKind::good && pairs[q.call + '\0' + q.band] == 1) picks.push_back(i);
    }
    return picks;
}

void BM_RemoveData(benchmark::State& state) {
    const SyntheticLog& log = syntheticLog(static_cast<std::size_t>(state.range(0)));
    const std::vector<std::size_t> picks = removableQsos(log);
    if (picks.empty()) {
        state.SkipWithError("no QSO in the log that can go and come back unchanged");
        return;
    }
    loadLog(log);
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == picks.size()) {
            // Every pick has moved to the end: back to the log's own order.
            state.PauseTiming();
            loadLog(log);
            next = 0;
            state.ResumeTiming();
        }
        const SyntheticQso& q = log.qsos[picks[next++]];
        benchmark::DoNotOptimize(removeQso(q));
        state.PauseTiming();
        addQso(q);
        state.ResumeTiming();
    }
}

// The log work of one live update, as the window thread does it through its door: the earlier QSOs of the typed
// call on every band and the band's worked lists (the host's calls and the painting aside).
void BM_LiveUpdateLogWork(benchmark::State& state) {
    const std::vector<CallQuestion> questions = loadedQuestions(state);
    if (questions.empty()) return;
    GetResult0(nullptr);
    std::size_t i = 0;
    for (auto _ : state) {
        const CallQuestion& q = questions[i];
        if (++i == questions.size()) i = 0;
        benchmark::DoNotOptimize(windowDoor().previousQsos(q.call));
        benchmark::DoNotOptimize(windowDoor().bandWorked(3));
    }
}

// GetResult0 as the host asks for it between passes, about once a QSO: the whole recount, the text, and the
// claimed score into the settings file, which is written (and flushed to the disk before it replaces the old
// one) only when the score changed. A QSO that scores comes before each call, and goes again after it untimed.
void BM_ResultAfterAScoringQso(benchmark::State& state) {
    const SyntheticLog& log = syntheticLog(static_cast<std::size_t>(state.range(0)));
    loadLog(log);
    SyntheticQso extra = log.qsos.front();
    extra.call = "JA9ZZZ";
    extra.band = "20m";
    extra.mode = log.qsos.front().mode;
    extra.prefix = "JA";
    extra.exchRcvd = "13";
    int status = 0;
    for (auto _ : state) {
        state.PauseTiming();
        addQso(extra);
        state.ResumeTiming();
        benchmark::DoNotOptimize(GetResult0(&status));
        state.PauseTiming();
        removeQso(extra);
        GetResult0(&status);
        state.ResumeTiming();
    }
}

// The same without a change of score: nothing is written.
void BM_ResultUnchanged(benchmark::State& state) {
    const SyntheticLog& log = syntheticLog(static_cast<std::size_t>(state.range(0)));
    loadLog(log);
    int status = 0;
    for (auto _ : state) benchmark::DoNotOptimize(GetResult0(&status));
}

BENCHMARK(BM_StatisticsPass)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFloor)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckCall)->Arg(10000)->Arg(100000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_RemoveData)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveUpdateLogWork)->Arg(1000)->Arg(100000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_ResultAfterAScoringQso)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResultUnchanged)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A pass writes its bad-QSO file and Plugins/VU-VO.ini into the current folder. A folder that has Plugins/ is
// taken as prepared for that; any other gets a throwaway folder instead, so that no run litters it.
class WorkingFolder {
public:
    WorkingFolder() {
        namespace fs = std::filesystem;
        std::error_code ec;
        if (fs::is_directory("Plugins", ec)) return;
        std::string name = (fs::temp_directory_path(ec) / "engine_bench.XXXXXX").string();
        if (ec || mkdtemp(name.data()) == nullptr) {
            std::fprintf(stderr, "engine_bench: cannot make a scratch folder; run it in a folder with Plugins/\n");
            std::exit(1);
        }
        m_scratch = name;
        fs::create_directory(m_scratch / "Plugins", ec);
        fs::current_path(m_scratch, ec);
        if (ec) {
            std::fprintf(stderr, "engine_bench: cannot enter %s\n", name.c_str());
            std::exit(1);
        }
        std::fprintf(stderr, "engine_bench: working in %s (removed at the end)\n", name.c_str());
    }
    ~WorkingFolder() {
        if (m_scratch.empty()) return;
        std::error_code ec;
        std::filesystem::current_path(m_scratch.parent_path(), ec);
        std::filesystem::remove_all(m_scratch, ec);
    }

private:
    std::filesystem::path m_scratch;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    WorkingFolder folder;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
