// A JIDX log as a DX station's CW contest produces it, made from a fixed seed: every run sees the same log.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/date_time.h"

// What the QSO is meant to be; the engine must come to the same view of it.
enum class QsoKind {
    good,
    dupe,         // same call, band and mode as an earlier good QSO
    badExchange,  // not a county code (an empty one among them)
    zeroPoints,   // a non-Japanese station
    wrongBand,    // a band outside the contest
};

// One QSO as the host hands it over: the texts the plug-in reads, the time and the frequency.
struct SyntheticQso {
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
    COleDateTime time;
    unsigned freqHz = 0;
    QsoKind kind = QsoKind::good;
};

struct SyntheticLog {
    std::string ownCall;
    std::string ownPrefix;
    COleDateTime start;
    COleDateTime end;
    std::vector<SyntheticQso> qsos;  // in time order
};

inline constexpr std::uint64_t kSyntheticSeed = 0x4A494458;  // "JIDX"

// qsoCount QSOs of K1AR over the 30 hours of the contest: about 3% dupes, 1% bad exchanges, 1% zero-point QSOs
// and 0.5% on a band outside the contest; the rest good, on the six bands, from all 50 counties.
SyntheticLog makeSyntheticLog(std::size_t qsoCount, std::uint64_t seed = kSyntheticSeed);

struct UnworkedStation {
    std::string call;
    std::string prefix;
};

// Japanese stations of the same shape that the log never worked, for questions about new stations.
std::vector<UnworkedStation> makeUnworkedStations(const SyntheticLog& log, std::size_t count,
                                                  std::uint64_t seed = kSyntheticSeed + 1);
