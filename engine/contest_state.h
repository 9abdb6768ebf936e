// The contest state: the QSO record, the log, the contest lists, the per-band lists and the pass values.
// The host's thread writes it through the exported functions; the window thread reads copies of it and makes its
// two changes through its own door. Both hold the plug-in's state lock while they touch it: nothing here locks.
#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/jidx_rules.h"
#include "engine/record_index.h"
#include "platform/date_time.h"

// One QSO as the host handed it to AddData0, plus what AddData0 derived from it.
struct CInfo {
    std::string call;
    std::string prefix;
    std::string hostText;
    std::string band;
    std::string mode;
    std::string rstRcvd;
    std::string rstSent;
    std::string exchRcvd;
    std::string exchSent;
    std::string multCode;
    int excluded = 0;
    int zone = 0;
    int freqKHz = 0;
    int dupe = 0;
    int bad = 0;
    COleDateTime time;
};

// A fixed list of names built from a static table.
class NameList {
public:
    NameList(const char* const* names, std::size_t count);
    std::size_t size() const { return m_names.size(); }
    const std::string& operator[](std::size_t i) const { return m_names[i]; }
    int indexOf(std::string_view name) const;        // exact; -1 when absent
    bool containsNoCase(std::string_view name) const; // ASCII letter case ignored
private:
    std::vector<std::string> m_names;
};

// The log in arrival order, with indexes so that dupe and repeat-multiplier questions need no scan.
class QsoLog {
public:
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    const CInfo& operator[](std::size_t i) const { return m_records[i]; }
    const CInfo& back() const { return m_records.back(); }
    auto begin() const { return m_records.begin(); }
    auto end() const { return m_records.end(); }

    // Room for one more record in the log and its indexes: the append that follows allocates nothing.
    void reserveOne();
    // Appends the record and indexes it; needs reserveOne().
    void append(CInfo&& record) noexcept;
    void removeAt(std::size_t index) noexcept;
    void clear() noexcept;

    // Any record with exactly this call, band and mode.
    bool hasCallBandMode(std::string_view call, std::string_view band, std::string_view mode) const;
    // Any record with exactly this band and prefix and this zone.
    bool hasBandPrefixZone(std::string_view band, std::string_view prefix, int zone) const;
    // The position of the latest record with exactly this call on this band, in either mode; -1 when none.
    long latestWithCallOnBand(std::string_view call, std::string_view band) const;

    struct CallBandMode {
        std::string_view call, band, mode;
        static CallBandMode of(const CInfo& r) { return {r.call, r.band, r.mode}; }
        std::uint64_t hash() const { return hashTexts({call, band, mode}); }
        bool operator==(const CallBandMode&) const = default;
    };
    struct BandPrefixZone {
        std::string_view band, prefix;
        int zone;
        static BandPrefixZone of(const CInfo& r) { return {r.band, r.prefix, r.zone}; }
        std::uint64_t hash() const { return hashTexts({band, prefix}) ^ (static_cast<std::uint64_t>(zone) * 0x100000001B3ull); }
        bool operator==(const BandPrefixZone&) const = default;
    };

private:
    std::vector<CInfo> m_records;
    RecordIndex<CallBandMode> m_callBandMode;
    RecordIndex<BandPrefixZone> m_bandPrefixZone;
};

constexpr int kBandCount = jidx::kBandCount;
using BandLists = std::array<std::vector<std::string>, kBandCount>;

// A list per band that the windows read, written only through these operations: emptied whole, or one band's
// list replaced by a result.
class PerBandLists {
public:
    const std::vector<std::string>& operator[](int band) const { return m_lists[band]; }
    void clearAll() noexcept;
    void replace(int band, const std::vector<std::string>& list) { m_lists[band] = list; }
private:
    BandLists m_lists;
};

// Whether the next call check made while the main window is up asks it for a live update: that check takes the
// gate (closes it). The window closes it when it posts itself an update and opens it when an update ends; a
// removed QSO opens it too, and a fresh library starts with it open.
class RefreshGate {
public:
    void open() noexcept { m_open = true; }
    void close() noexcept { m_open = false; }
    // True when the gate was open; it is closed now.
    bool takeIfOpen() noexcept {
        const bool was = m_open;
        m_open = false;
        return was;
    }
    bool isOpen() const noexcept { return m_open; }
private:
    bool m_open = true;
};

extern const NameList g_bandList;   // "160m" .. "10m": the band index is the position
extern const NameList g_modeList;   // "CW", "SSB"

extern QsoLog g_log;
extern std::vector<std::string> g_bandsWorked;
extern PerBandLists g_dxccByBand; // the DXCC prefixes the latest result found worked on each band (a JA station)
extern PerBandLists g_multByBand; // the multiplier codes the latest result found worked on each band

extern int g_contestMode;     // 0 CW, otherwise SSB
extern int g_ownIsJA;
extern int g_russianUi;
extern int g_versionCalled;
extern int g_exportPass;
extern RefreshGate g_refreshGate;

extern std::string g_hostVersion;
extern std::string g_ownCall;
extern std::string g_ownPrefix;
extern std::string g_startDayMonth;
extern std::string g_endDate;
extern std::string g_startYear;

// Back to the state of a freshly loaded library: the engine's part of the plug-in's one reset.
void resetContestState();

// Helpers shared by the engine rooms.
std::string cleanExchange(std::string_view exchange); // upper case, white space off both ends
bool isCountyCode(std::string_view code);         // two digits, "01" .. "50"
bool isJapanesePrefix(std::string_view prefix);        // "JA", "JD/o", "JD/m"
// One of the contest mode's bands, its name in any letter case ("20M" is 20 m; 160 m is no SSB band).
bool isContestBand(std::string_view band, int contestMode);
// A worked station's prefix that names a DXCC entity: one of blanks only (the host found no country) names none.
bool namesDxccEntity(std::string_view prefix);
inline int bandIndexOf(std::string_view band) { return jidx::bandIndexOf(band); } // exact; kOtherBand for any other name
std::string badQsoHeader();                             // for the current contest mode, with its line end
