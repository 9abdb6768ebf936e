// What hostsim's log readers cost per byte on hostile input, at 1 MB and at 8 MB: a reader that takes time in
// proportion to the file's size shows the same nanoseconds per byte at both sizes; one that searches the same bytes
// again for each tag shows eight times as many at 8 MB.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/logs/log_model.h"

namespace {

// The inputs, each made from its pattern repeated to the size asked.
enum Pattern {
    kGoodRecords,      // a well-formed ADIF log: the floor
    kStrayRuns,        // '<' and nothing else, one '>' at the very end
    kSpacedStrays,     // "< " again and again: a stray '<' with text between
    kLongFakeTags,     // tags of a thousand name bytes, with and without colons, unusable lengths
    kHugeLengths,      // lengths that end inside multibyte text or far beyond, and one past the end of the file
    kCabrilloLines,    // well-formed QSO: lines: the Cabrillo floor
    kCabrilloHostile,  // QSO: lines with frequencies of hundreds of digits, escapes, one line with no end
};

const char* const kNames[] = {"adif good records", "adif stray runs", "adif spaced strays", "adif long fake tags",
                              "adif huge lengths", "cabrillo good lines", "cabrillo hostile lines"};

std::string repeated(const std::string& unit, std::size_t size) {
    std::string out;
    out.reserve(size + unit.size());
    while (out.size() < size) out += unit;
    out.resize(size);
    return out;
}

std::string makeInput(Pattern pattern, std::size_t size) {
    switch (pattern) {
    case kGoodRecords:
        return repeated("<CALL:6>JA1ABC <QSO_DATE:8>20260411 <TIME_ON:4>0800 <FREQ:5>7.012 <MODE:2>CW "
                        "<RST_SENT:3>599 <RST_RCVD:3>599 <STX_STRING:2>05 <SRX_STRING:2>13 <EOR>\n",
                        size);
    case kStrayRuns: {
        std::string s = repeated("<", size - 1);
        return s + ">";
    }
    case kSpacedStrays: {
        std::string s = repeated("< ", size - 1);
        return s + ">";
    }
    case kLongFakeTags: {
        const std::string name(1000, 'X');
        return repeated("<" + name + ">" + "<" + name + ":" + std::string(20, '9') + ">" + "<:" + name + ">\n",
                        size);
    }
    case kHugeLengths: {
        // A byte count that ends inside a two-byte character, so that characters are counted too.
        std::string value;
        for (int i = 0; i < 500; ++i) value += "\xC3\xBC";
        const std::string tail = "<COMMENT:999999999>";
        return repeated("<NAME:999>" + value + "x <SRX:99999>", size - tail.size()) + tail;
    }
    case kCabrilloLines:
        return "START-OF-LOG: 3.0\n" +
               repeated("QSO:  7012 CW 2026-04-11 0800 K1VU          599 05     JA1ABC        599 13\n", size);
    case kCabrilloHostile: {
        const std::string digits(300, '9');
        std::string s = "START-OF-LOG: 3.0\n" +
                        repeated("QSO: " + digits + " CW 2026-04-11 0800 K1VU 599 05 JA1\x1B[2J 599 13\n"
                                 "QSO: 7012 CW 2026-04-11 0800 K1VU 599 05 JA1ABC 599\n"
                                 "\x1B]0;title\x07: " + std::string(200, ':') + "\n",
                                 size / 2);
        return s + "QSO:" + repeated(" 7012", size - s.size() - 4);
    }
    }
    return {};
}

const std::string& input(Pattern pattern, std::size_t size) {
    static std::map<std::pair<int, std::size_t>, std::string> made;
    auto it = made.find({pattern, size});
    if (it == made.end()) it = made.emplace(std::pair{int(pattern), size}, makeInput(pattern, size)).first;
    return it->second;
}

void BM_ReadLog(benchmark::State& state) {
    const auto pattern = static_cast<Pattern>(state.range(0));
    const std::size_t size = static_cast<std::size_t>(state.range(1)) << 20;
    const std::string& bytes = input(pattern, size);
    state.SetLabel(kNames[pattern]);
    for (auto _ : state) {
        Log log;
        std::vector<std::string> messages;
        readLog(bytes, "bench", log, messages);
        benchmark::DoNotOptimize(log.qsos.data());
        benchmark::DoNotOptimize(messages.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
    // Seconds per byte, which the report shows in nanoseconds ("12.3n").
    state.counters["per_byte"] = benchmark::Counter(static_cast<double>(size),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_ReadLog)
    ->ArgsProduct({{kGoodRecords, kStrayRuns, kSpacedStrays, kLongFakeTags, kHugeLengths, kCabrilloLines,
                    kCabrilloHostile},
                   {1, 8}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
