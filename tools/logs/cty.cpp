#include "cty.h"

#include <fstream>
#include <sstream>

#include "text_util.h"

namespace {

int zoneNumber(std::string_view s) {
    s = ascii::trim(s);
    if (!allDigits(s) || s.size() > 3) return 0;
    int n = 0;
    for (char c : s) n = n * 10 + (c - '0');
    return n;
}

// Suffixes that say how a station operates, not where: dropped before the country is looked for.
bool isOperatingSuffix(std::string_view part) {
    static const char* const suffixes[] = {"P", "M", "A", "B", "J", "QRP", "QRPP", "LH", "LGT", "R", "T", "N"};
    for (const char* s : suffixes)
        if (part == s) return true;
    return false;
}

// "UA9ABC" with call area "3": "UA3ABC". The area is the first run of digits after the first character.
std::string withCallArea(std::string_view call, std::string_view area) {
    std::size_t first = 1;
    while (first < call.size() && !(call[first] >= '0' && call[first] <= '9')) ++first;
    if (first >= call.size()) return std::string(call) + std::string(area);
    std::size_t last = first;
    while (last < call.size() && call[last] >= '0' && call[last] <= '9') ++last;
    return std::string(call.substr(0, first)) + std::string(area) + std::string(call.substr(last));
}

// One entity's header: eight ':'-ended fields (name, CQ zone, ITU zone, continent, latitude, longitude, UTC offset,
// primary prefix). False when a field is missing or the prefix is empty; else the aliases start at `after`.
bool readHeader(std::string_view body, std::string_view (&fields)[8], std::size_t& after) {
    after = 0;
    for (auto& field : fields) {
        const std::size_t colon = body.find(':', after);
        if (colon == std::string_view::npos) return false;
        field = ascii::trim(body.substr(after, colon - after));
        after = colon + 1;
    }
    return !fields[7].empty();
}

} // namespace

bool CtyDatabase::load(std::string_view bytes, const std::string& name, std::vector<std::string>& messages) {
    int line = 1;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // One entity: eight ':'-ended header fields, then its aliases separated by ',' and ended by ';'.
        const std::size_t semicolon = bytes.find(';', pos);
        const std::string_view chunk = bytes.substr(pos, semicolon == std::string_view::npos ? semicolon
                                                                                            : semicolon - pos);
        std::size_t lead = 0;
        while (lead < chunk.size() && ascii::isSpace(chunk[lead])) {
            if (chunk[lead] == '\n') ++line;
            ++lead;
        }
        const int entityLine = line;
        for (char c : chunk.substr(lead))
            if (c == '\n') ++line;
        pos = semicolon == std::string_view::npos ? bytes.size() : semicolon + 1;
        const std::string_view body = chunk.substr(lead);
        if (body.empty()) continue;
        if (semicolon == std::string_view::npos) {
            messages.push_back(name + ":" + std::to_string(entityLine) +
                               ": an entity without its closing ';'; ignored");
            break;
        }
        std::string_view fields[8];
        std::size_t at = 0;
        if (!readHeader(body, fields, at)) {
            messages.push_back(name + ":" + std::to_string(entityLine) +
                               ": not an entity (\"Name: CQ: ITU: Continent: Lat: Long: UTC: Prefix:\" and its "
                               "prefixes); ignored");
            continue;
        }
        std::string_view primary = fields[7];
        if (primary.front() == '*') primary.remove_prefix(1);  // a WAE entity: the star only marks it
        ++m_entities;
        addAliases(body.substr(at), Entry{std::string(primary), zoneNumber(fields[1])});
    }
    if (m_entities == 0) {
        messages.push_back(name + ": holds no entity; is it a cty.dat country file?");
        return false;
    }
    return true;
}

// The entity's aliases, separated by ',': prefixes, or whole calls after '='; each may carry a "(n)" CQ zone of
// its own and other overrides ("[n]", "<lat/long>", "{continent}", "~offset~"), which hostsim does not need.
void CtyDatabase::addAliases(std::string_view aliases, const Entry& entity) {
    std::size_t from = 0;
    while (from <= aliases.size()) {
        const std::size_t comma = aliases.find(',', from);
        std::string alias;
        for (char c : aliases.substr(from, comma == std::string_view::npos ? comma : comma - from))
            if (!ascii::isSpace(c)) alias += c;
        from = comma == std::string_view::npos ? aliases.size() + 1 : comma + 1;
        if (alias.empty()) continue;
        const bool exact = alias.front() == '=';
        if (exact) alias.erase(0, 1);
        Entry entry = entity;
        const std::size_t cut = alias.find_first_of("([<{~");
        std::string base = ascii::upper(alias.substr(0, cut));
        if (const std::size_t open = alias.find('('); open != std::string::npos) {
            const std::size_t close = alias.find(')', open);
            if (close != std::string::npos) {
                const int zone = zoneNumber(std::string_view(alias).substr(open + 1, close - open - 1));
                if (zone) entry.cqZone = zone;
            }
        }
        if (base.empty()) continue;
        auto& table = exact ? m_exact : m_prefixes;
        if (table.emplace(base, entry).second && !exact && base.size() > m_longest) m_longest = base.size();
    }
}

const CtyDatabase::Entry* CtyDatabase::longestPrefix(std::string_view text) const {
    for (std::size_t n = text.size() < m_longest ? text.size() : m_longest; n > 0; --n) {
        auto it = m_prefixes.find(std::string(text.substr(0, n)));
        if (it != m_prefixes.end()) return &it->second;
    }
    return nullptr;
}

CtyDatabase::Match CtyDatabase::resolve(std::string_view rawCall) const {
    Match m;
    const std::string call = ascii::upper(ascii::trim(rawCall));
    if (call.empty()) return m;
    auto give = [&m](const Entry* e) {
        if (e) m.prefix = e->prefix, m.cqZone = e->cqZone, m.found = true;
        return m;
    };
    if (auto it = m_exact.find(call); it != m_exact.end()) return give(&it->second);

    std::vector<std::string_view> parts;
    for (std::size_t from = 0; from <= call.size();) {
        const std::size_t slash = call.find('/', from);
        const std::string_view part =
            std::string_view(call).substr(from, slash == std::string::npos ? std::string::npos : slash - from);
        if (!part.empty()) parts.push_back(part);
        from = slash == std::string::npos ? call.size() + 1 : slash + 1;
    }
    if (parts.empty()) return m;
    for (std::string_view p : parts)
        if (p == "MM" || p == "AM") {
            m.maritime = true;
            return m;
        }
    std::vector<std::string_view> kept;
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (i == 0 || !isOperatingSuffix(parts[i])) kept.push_back(parts[i]);

    std::string base(kept[0]);
    if (kept.size() >= 2) {
        const std::string_view a = kept[0], b = kept[1];
        if (b.size() == 1 && b[0] >= '0' && b[0] <= '9') {
            base = withCallArea(a, b);  // "JA1ABC/3": the same country's third call area
        } else {
            // "VE3/JA1ABC", "JA1ABC/VE3", "DL/K1ABC": the shorter part names the country operated from.
            base = std::string(b.size() < a.size() ? b : a);
        }
        if (auto it = m_exact.find(base); it != m_exact.end()) return give(&it->second);
    }
    return give(longestPrefix(base));
}

bool loadCtyFile(const std::string& path, CtyDatabase& db, std::vector<std::string>& messages) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
#ifdef _WIN32
        // A release has its country file in tools, beside hostsim.exe, where hostsim finds it without --cty.
        messages.push_back("cannot read the country file " + path +
                           " (cty.dat): name a readable one with --cty FILE, or leave --cty out for the cty.dat "
                           "beside hostsim.exe (a release has it in tools)");
#else
        messages.push_back("cannot read the country file " + path +
                           " (cty.dat): install Debian's hamradio-files package, or name one with --cty FILE");
#endif
        return false;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return db.load(bytes.str(), path, messages);
}
