#include "engine/contest_state.h"
#include "engine/bad_qso_file.h"
#include "engine/jidx_rules.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/portable/ascii.h"

const NameList g_bandList(jidx::kBandNames.data(), jidx::kBandNames.size());
const NameList g_modeList(jidx::kModes.data(), jidx::kModes.size());

QsoLog g_log;
std::vector<std::string> g_bandsWorked;
PerBandLists g_dxccByBand;
PerBandLists g_multByBand;

int g_contestMode = 0;
int g_ownIsJA = 0;
int g_russianUi = 0;
int g_versionCalled = 0;
int g_exportPass = 0;
RefreshGate g_refreshGate;

std::string g_hostVersion;
std::string g_ownCall;
std::string g_ownPrefix;
std::string g_startDayMonth;
std::string g_endDate;
std::string g_startYear;

NameList::NameList(const char* const* names, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) m_names.emplace_back(names[i]);
}

int NameList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < m_names.size(); ++i)
        if (m_names[i] == name) return static_cast<int>(i);
    return -1;
}

bool NameList::containsNoCase(std::string_view name) const {
    for (const auto& n : m_names)
        if (ascii::equalsNoCase(n, name)) return true;
    return false;
}

void PerBandLists::clearAll() noexcept {
    for (auto& list : m_lists) list.clear();
}

void QsoLog::reserveOne() {
    if (m_records.size() == m_records.capacity()) m_records.reserve(m_records.empty() ? 64 : 2 * m_records.size());
    m_bandPrefixZone.reserveOne();
    m_callBandMode.reserveOne();
}

void QsoLog::append(CInfo&& record) noexcept {
    m_records.push_back(std::move(record));
    const auto position = static_cast<std::uint32_t>(m_records.size() - 1);
    const CInfo& r = m_records.back();
    m_bandPrefixZone.add(BandPrefixZone::of(r), position, m_records);
    m_callBandMode.add(CallBandMode::of(r), position, m_records);
}

void QsoLog::removeAt(std::size_t index) noexcept {
    if (index >= m_records.size()) return;
    m_callBandMode.remove(static_cast<std::uint32_t>(index), m_records);
    m_bandPrefixZone.remove(static_cast<std::uint32_t>(index), m_records);
    m_records.erase(m_records.begin() + static_cast<std::ptrdiff_t>(index));
}

void QsoLog::clear() noexcept {
    m_records.clear();
    m_callBandMode.clear();
    m_bandPrefixZone.clear();
}

bool QsoLog::hasCallBandMode(std::string_view call, std::string_view band, std::string_view mode) const {
    return m_callBandMode.contains({call, band, mode}, m_records);
}

long QsoLog::latestWithCallOnBand(std::string_view call, std::string_view band) const {
    long latest = -1;
    for (const char* mode : jidx::kModes) latest = std::max(latest, m_callBandMode.latest({call, band, mode}, m_records));
    return latest;
}

bool QsoLog::hasBandPrefixZone(std::string_view band, std::string_view prefix, int zone) const {
    return m_bandPrefixZone.contains({band, prefix, zone}, m_records);
}

void resetContestState() {
    g_log.clear();
    g_badQsoFile.detach();
    g_bandsWorked.clear();
    g_dxccByBand.clearAll();
    g_multByBand.clearAll();
    g_contestMode = g_ownIsJA = g_russianUi = g_versionCalled = g_exportPass = 0;
    g_refreshGate.open();
    for (auto* s : {&g_hostVersion, &g_ownCall, &g_ownPrefix, &g_startDayMonth, &g_endDate, &g_startYear})
        s->clear();
}

std::string cleanExchange(std::string_view exchange) { return ascii::upper(ascii::trim(exchange)); }

bool isCountyCode(std::string_view code) {
    // Exactly two digits, "01" up to the last county's number: "1", "001" and " 1" are none.
    if (code.size() != 2 || code[0] < '0' || code[0] > '9' || code[1] < '0' || code[1] > '9') return false;
    const int n = (code[0] - '0') * 10 + (code[1] - '0');
    return n >= 1 && n <= jidx::kCountyCount;
}

bool isJapanesePrefix(std::string_view prefix) { return jidx::isOneOf(prefix, jidx::kJapanesePrefixes); }

bool isContestBand(std::string_view band, int contestMode) {
    for (int i = 0; i < kBandCount; ++i)
        if (ascii::equalsNoCase(jidx::kBands[i].name, band)) return jidx::bandInMode(i, contestMode);
    return false;
}

bool namesDxccEntity(std::string_view prefix) { return !ascii::trim(prefix).empty(); }

std::string badQsoHeader() {
    return jidx::modeRow(g_contestMode).badQsoTitle;
}
