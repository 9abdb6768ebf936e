#include "synthetic_log.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <unordered_set>

namespace {

// SplitMix64: tiny, and the same sequence with every compiler and library (the std distributions are not).
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; the modulo bias is far below anything a benchmark can see.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    template <std::size_t N>
    std::size_t weighted(const int (&weights)[N]) {
        int total = 0;
        for (int w : weights) total += w;
        int roll = static_cast<int>(below(static_cast<std::size_t>(total)));
        for (std::size_t i = 0; i < N; ++i)
            if ((roll -= weights[i]) < 0) return i;
        return N - 1;
    }

private:
    std::uint64_t m_state;
};

struct Band {
    const char* name;
    unsigned lowKHz;   // the CW end where the contest runs
    unsigned widthKHz;
};

const Band kBands[] = {{"160m", 1810, 20},  {"80m", 3510, 25},   {"40m", 7000, 30},
                       {"20m", 14000, 60},  {"15m", 21000, 60},  {"10m", 28000, 70}};
const int kBandWeights[] = {3, 7, 25, 30, 25, 10};
const Band kOutsideBands[] = {{"30m", 10100, 30}, {"17m", 18068, 27}, {"12m", 24890, 25}};

// Japanese prefixes by how often they are heard; "JD1" (Ogasawara) is rare.
const char* const kJaPrefixes[] = {"JA", "JE", "JF", "JG", "JH", "JI", "JJ", "JK", "JL", "JM",
                                   "JN", "JO", "JP", "JQ", "JR", "JS", "7K", "7L", "7M", "7N"};
const int kJaPrefixWeights[] = {20, 8, 8, 6, 10, 6, 4, 3, 3, 3, 3, 4, 2, 2, 6, 3, 2, 2, 2, 2};

// The counties (JARL prefecture numbers) of each call area 0..9, and how busy the area is.
struct Area {
    int firstCounty;
    int lastCounty;
};
const Area kAreas[] = {{8, 9}, {10, 17}, {18, 21}, {22, 27}, {31, 35}, {36, 39}, {40, 47}, {2, 7}, {1, 1}, {28, 30}};
const int kAreaWeights[] = {6, 30, 12, 14, 6, 4, 8, 6, 6, 3};
constexpr int kOgasawaraCounty = 50;

// Stations outside Japan that a DX station logs by mistake: no points for either side.
struct Foreign {
    const char* callPrefix;
    const char* countryPrefix;
    const char* zone;
};
const Foreign kForeign[] = {{"W1", "K", "05"},  {"K3", "K", "05"},  {"N6", "K", "03"},  {"VE3", "VE", "04"},
                            {"UA3", "UA", "16"}, {"DL1", "DL", "14"}, {"BY4", "BY", "24"}, {"HL2", "HL", "25"},
                            {"VK2", "VK", "30"}};

// What a tired operator types instead of a county code.
const char* const kBadExchanges[] = {"51", "00", "5", "599", "1A", "99", "O5", "3", ""};

struct Station {
    std::string call;
    std::string prefix;
    std::string county;
};

std::string twoDigits(int n) { return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)}; }

std::string suffix(Random& rng) {
    std::string s(rng.below(4) == 0 ? 2 : 3, 'A');
    for (char& c : s) c = static_cast<char>('A' + rng.below(26));
    return s;
}

Station japaneseStation(Random& rng) {
    Station s;
    if (rng.below(100) == 0) {
        s.call = "JD1" + suffix(rng);
        s.prefix = "JD/o";
        s.county = twoDigits(kOgasawaraCounty);
        return s;
    }
    const std::size_t area = rng.weighted(kAreaWeights);
    s.call = std::string(kJaPrefixes[rng.weighted(kJaPrefixWeights)]) + static_cast<char>('0' + area) + suffix(rng);
    s.prefix = "JA";
    // A few operate portable from the far islands.
    if (rng.below(200) == 0)
        s.county = twoDigits(48 + static_cast<int>(rng.below(2)));
    else
        s.county = twoDigits(kAreas[area].firstCounty +
                             static_cast<int>(rng.below(kAreas[area].lastCounty - kAreas[area].firstCounty + 1)));
    return s;
}

unsigned frequencyHz(Random& rng, const Band& band) {
    return band.lowKHz * 1000 + static_cast<unsigned>(rng.below(band.widthKHz * 10)) * 100;
}

std::string pairKey(const std::string& call, const std::string& band) { return call + '\0' + band; }

} // namespace

SyntheticLog makeSyntheticLog(std::size_t qsoCount, std::uint64_t seed) {
    Random rng(seed);
    SyntheticLog log;
    log.ownCall = "K1AR";
    log.ownPrefix = "K";
    log.start = COleDateTime::fromParts(2026, 4, 11, 7, 0, 0);
    log.end = COleDateTime::fromParts(2026, 4, 12, 13, 0, 0);
    log.qsos.reserve(qsoCount);

    constexpr double kSpanSeconds = 30 * 3600.0;
    std::vector<Station> stations;
    std::unordered_set<std::string> workedPairs;  // call and band of every stored QSO
    std::vector<std::size_t> goodQsos;

    auto stationFor = [&](const std::string& band) -> const Station& {
        // Mostly fresh stations; the others come back on a band where they are still new.
        if (!stations.empty() && rng.below(100) < 45) {
            for (int tries = 0; tries < 8; ++tries) {
                const Station& s = stations[rng.below(stations.size())];
                if (!workedPairs.count(pairKey(s.call, band))) return s;
            }
        }
        for (;;) {
            Station s = japaneseStation(rng);
            if (workedPairs.count(pairKey(s.call, band))) continue;
            stations.push_back(std::move(s));
            return stations.back();
        }
    };

    for (std::size_t i = 0; i < qsoCount; ++i) {
        SyntheticQso q;
        q.myCall = log.ownCall;
        q.mode = "CW";
        q.rstSent = "599";
        q.rstRcvd = "599";
        q.exchSent = "05";  // K1AR's CQ zone
        // Ascending whole seconds, each QSO somewhere in its own slot of the 30 hours.
        const double seconds = std::floor((static_cast<double>(i) + rng.unit()) * kSpanSeconds /
                                          static_cast<double>(qsoCount));
        q.time = COleDateTime(log.start.m_dt + seconds / 86400.0, COleDateTime::valid);

        const std::size_t roll = rng.below(10000);
        if (roll < 300 && !goodQsos.empty()) {
            // Dupes mostly follow the first QSO closely.
            const std::size_t recent = std::min<std::size_t>(goodQsos.size(), 200);
            const std::size_t pick = rng.below(4) != 0 ? goodQsos[goodQsos.size() - 1 - rng.below(recent)]
                                                       : goodQsos[rng.below(goodQsos.size())];
            const SyntheticQso& first = log.qsos[pick];
            q.call = first.call;
            q.prefix = first.prefix;
            q.band = first.band;
            q.exchRcvd = first.exchRcvd;
            q.freqHz = first.freqHz + static_cast<unsigned>(rng.below(20)) * 100;
            q.kind = QsoKind::dupe;
        } else if (roll >= 300 && roll < 350) {
            const Band& band = kOutsideBands[rng.below(std::size(kOutsideBands))];
            Station s = japaneseStation(rng);
            q.call = s.call;
            q.prefix = s.prefix;
            q.exchRcvd = s.county;
            q.band = band.name;
            q.freqHz = frequencyHz(rng, band);
            q.kind = QsoKind::wrongBand;
        } else if (roll >= 350 && roll < 450) {
            const Foreign& f = kForeign[rng.below(std::size(kForeign))];
            const Band& band = kBands[rng.weighted(kBandWeights)];
            q.call = f.callPrefix + suffix(rng);
            q.prefix = f.countryPrefix;
            q.exchRcvd = f.zone;
            q.band = band.name;
            q.freqHz = frequencyHz(rng, band);
            q.kind = QsoKind::zeroPoints;
            workedPairs.insert(pairKey(q.call, q.band));
        } else {
            const Band& band = kBands[rng.weighted(kBandWeights)];
            const Station& s = stationFor(band.name);
            q.call = s.call;
            q.prefix = s.prefix;
            q.band = band.name;
            q.freqHz = frequencyHz(rng, band);
            workedPairs.insert(pairKey(q.call, q.band));
            if (roll >= 450 && roll < 550) {
                q.exchRcvd = kBadExchanges[rng.below(std::size(kBadExchanges))];
                q.kind = QsoKind::badExchange;
            } else {
                q.exchRcvd = s.county;
                goodQsos.push_back(i);
            }
        }
        log.qsos.push_back(std::move(q));
    }
    return log;
}

std::vector<UnworkedStation> makeUnworkedStations(const SyntheticLog& log, std::size_t count, std::uint64_t seed) {
    std::unordered_set<std::string> worked;
    for (const SyntheticQso& q : log.qsos) worked.insert(q.call);
    Random rng(seed);
    std::vector<UnworkedStation> stations;
    while (stations.size() < count) {
        Station s = japaneseStation(rng);
        if (worked.insert(s.call).second) stations.push_back({std::move(s.call), std::move(s.prefix)});
    }
    return stations;
}
