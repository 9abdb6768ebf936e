// The rules of the Japan International DX contest as data: everything else reads them from here.
#pragma once
#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace jidx {

// The contests a band is in, one bit per row of kModeRows (below): bit 0 the CW contest, bit 1 the SSB contest.
inline constexpr unsigned kInCw = 1u << 0;
inline constexpr unsigned kInSsb = 1u << 1;

struct Band {
    const char* name;   // as the host names it: the band index is the position in kBands
    int points;         // per counted QSO
    int megahertz;      // the whole megahertz of its frequencies
    int cabrilloKHz;    // its lower edge, the frequency a Cabrillo QSO line gives when the host gave none
    unsigned modes;     // the contests it is in (kInCw, kInSsb): the Phone contest has no 160 m
};
inline constexpr Band kBands[] = {
    {"160m", 4, 1, 1800, kInCw},           {"80m", 2, 3, 3500, kInCw | kInSsb},
    {"40m", 1, 7, 7000, kInCw | kInSsb},   {"20m", 1, 14, 14000, kInCw | kInSsb},
    {"15m", 1, 21, 21000, kInCw | kInSsb}, {"10m", 2, 28, 28000, kInCw | kInSsb},
};
inline constexpr int kBandCount = static_cast<int>(std::size(kBands));
// The index of a band name that is none of the six.
inline constexpr int kOtherBand = kBandCount;
// Points of a QSO on a band that is none of the six (its name differs, in letter case say).
inline constexpr int kOtherBandPoints = 1;

// Everything that names the contest's mode, one row per mode.
struct ModeRow {
    const char* name;             // as the host names it; also the windows' caption tag ("JIDX-CW-2026")
    const char* resultTitle;      // the result's contest line
    const char* cabrilloContest;  // the Cabrillo CONTEST: value
    const char* cabrilloCategory; // the Cabrillo CATEGORY-MODE: value
    const char* cabrilloQsoMode;  // the mode of a QSO line of the Cabrillo log
    const char* badQsoTitle;      // the bad-QSO file's first line, line end included
    const char* settingsValue;    // the "Mode" setting
    const char* hostCommand;      // what the main window tells the host when it switches to the mode
    const char* usualReport;      // the report a Cabrillo QSO line gives when the host gave none
};
inline constexpr ModeRow kModeRows[] = {
    {"CW", "JIDX-CW-CONTEST", "JIDX-CW", "CW", "CW", "Japan International DX CW Contest UBN file \r\n", "0",
     "<MODE:CW>", "599"},
    {"SSB", "JIDX-SSB-CONTEST", "JIDX-SSB", "SSB", "PH", "Japan International DX SSB Contest UBN file \r\n", "1",
     "<MODE:SSB>", "59"},
};
// The names of a table's rows, in row order.
template <class Row, std::size_t N>
constexpr std::array<const char*, N> namesOf(const Row (&rows)[N]) {
    std::array<const char*, N> names{};
    for (std::size_t i = 0; i < N; ++i) names[i] = rows[i].name;
    return names;
}
// The band names and the mode names in row order, as the band and mode lists hold them.
inline constexpr auto kBandNames = namesOf(kBands);
inline constexpr auto kModes = namesOf(kModeRows);
// The one decision from a contest mode to its row: 0 is CW, any other value SSB.
constexpr bool isCwMode(int contestMode) { return contestMode == 0; }
constexpr int modeRowIndex(int contestMode) { return isCwMode(contestMode) ? 0 : 1; }
constexpr const ModeRow& modeRow(int contestMode) { return kModeRows[modeRowIndex(contestMode)]; }
// The row of a mode named exactly so; nullptr for any other name.
constexpr const ModeRow* modeRowNamed(std::string_view name) {
    for (const ModeRow& row : kModeRows)
        if (name == row.name) return &row;
    return nullptr;
}
// The row whose Cabrillo QSO lines give exactly this mode ("CW", "PH"); nullptr for any other text.
constexpr const ModeRow* modeRowOfQsoLine(std::string_view cabrilloQsoMode) {
    for (const ModeRow& row : kModeRows)
        if (cabrilloQsoMode == row.cabrilloQsoMode) return &row;
    return nullptr;
}
// Whether the band of this index is one of the contest mode's bands: any of the six in CW, all but 160 m in SSB.
constexpr bool bandInMode(int band, int contestMode) {
    return band >= 0 && band < kBandCount && (kBands[band].modes >> modeRowIndex(contestMode) & 1u) != 0;
}
static_assert(modeRow(0).name == std::string_view("CW") && modeRow(1).name == std::string_view("SSB"),
              "the bits of Band::modes follow the rows");
static_assert(bandInMode(0, 0) && !bandInMode(0, 1) && bandInMode(1, 1) && !bandInMode(kOtherBand, 0));

// Exchanges of a DX station: the county codes "01" .. "50"; of a JA station: the CQ zone.
inline constexpr int kCountyCount = 50;
inline constexpr int kZoneCount = 40;
// DXCC entities a JA station can work, as its DXCC window counts them.
inline constexpr int kDxccEntities = 338;

// Prefixes of stations in Japan: a DX station scores only them, a JA station everything else, and an own prefix
// among them makes a JA station. "JD/m" (Minami-Torishima) is Japan like "JD/o" (Ogasawara).
inline constexpr const char* kJapanesePrefixes[] = {"JA", "JD/o", "JD/m"};
// The Italian islands count as Italy: their prefixes are stored as this one.
inline constexpr const char* kItalianIslands[] = {"IT9", "IG9", "IH9"};
inline constexpr const char* kItalyPrefix = "I";
// Own prefixes whose operators read the windows in Russian.
inline constexpr const char* kRussianPrefixes[] = {"UA", "UA2", "UA2/f", "UR", "UN", "EU"};
// Host versions that get no window thread, in the order they are tested.
inline constexpr const char* kHostsWithoutWindows[] = {"2.18", "2.17", "2.16", "2.15", "2.14", "2.14R"};
// Host versions whose call check answers 1 for a QSO that cannot count, and accepts either mode.
inline constexpr const char* kOlderCallCheckHosts[] = {"2.19", "2.20"};

template <std::size_t N>
constexpr bool isOneOf(std::string_view s, const char* const (&list)[N]) {
    for (const char* entry : list)
        if (s == entry) return true;
    return false;
}

// Index of an exact band name; kOtherBand for any other.
constexpr int bandIndexOf(std::string_view name) {
    for (int i = 0; i < kBandCount; ++i)
        if (name == kBands[i].name) return i;
    return kOtherBand;
}
constexpr int bandPoints(std::string_view name) {
    const int i = bandIndexOf(name);
    return i < kBandCount ? kBands[i].points : kOtherBandPoints;
}
// Index of the band of a frequency in whole megahertz (truncated); -1 when it is on none of the six.
constexpr int bandOfMegahertz(long long megahertz) {
    for (int i = 0; i < kBandCount; ++i)
        if (megahertz == kBands[i].megahertz) return i;
    return -1;
}

} // namespace jidx
