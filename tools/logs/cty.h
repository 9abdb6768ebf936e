// Country prefixes in the host's style ("JA", "JD/o", "K", "UA2", "IT9") from call signs, by a cty.dat country
// file (the CT format): exact-call entries, longest prefix match, zone overrides, portable calls.
#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Where Debian's hamradio-files package puts the file.
inline constexpr const char* kDebianCtyFile = "/usr/share/hamradio-files/cty.dat";

class CtyDatabase {
public:
    struct Match {
        std::string prefix;  // the entity's primary prefix without the WAE star; empty when none
        int cqZone = 0;      // the entity's CQ zone, or the entry's (n) override
        bool found = false;
        bool maritime = false;  // "/MM" or "/AM": in no country
    };

    // Reads the file's text; every malformed entity is one message "name:line: text". False when it holds no
    // entity at all.
    bool load(std::string_view bytes, const std::string& name, std::vector<std::string>& messages);
    Match resolve(std::string_view call) const;
    std::size_t entityCount() const { return m_entities; }

private:
    struct Entry {
        std::string prefix;
        int cqZone = 0;
    };
    const Entry* longestPrefix(std::string_view text) const;
    void addAliases(std::string_view aliases, const Entry& entity);

    std::unordered_map<std::string, Entry> m_exact, m_prefixes;
    std::size_t m_longest = 0;
    std::size_t m_entities = 0;
};

// load() on a file; false, with a message saying so, when the file cannot be read.
bool loadCtyFile(const std::string& path, CtyDatabase& db, std::vector<std::string>& messages);
