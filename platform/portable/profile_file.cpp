#include "platform/portable/profile_file.h"

#include "platform/files.h"
#include "platform/portable/ascii.h"
#include "platform/settings.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string_view>
#include <vector>

namespace profile {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// kernel32 counts every C white-space character as a blank, the line ends included: ascii::isSpace.
using ascii::equalsNoCase;
using ascii::trim;

std::string_view trimFront(std::string_view s) {
    while (!s.empty() && ascii::isSpace(s.front())) s.remove_prefix(1);
    return s;
}

// The file as kernel32 holds it in memory: sections of keys, nothing else. A line without '=' is a key without
// a value; a ';' line is a key like any other.
struct Key {
    std::string name;
    std::optional<std::string> value;
};

struct Section {
    std::string name;
    std::vector<Key> keys;
};

// The first section is the unnamed one before any header, always there even when empty.
std::vector<Section> parse(std::string_view text) {
    std::vector<Section> sections(1);
    while (!text.empty()) {
        // CR alone ends a line too.
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == npos ? text.size() : end + 1);
        if (line.empty()) continue;
        // A header without its ']' is read as a key line; the last ']' closes it and what follows is ignored.
        const std::size_t close = line.front() == '[' ? line.rfind(']') : npos;
        if (close != npos) {
            sections.push_back({std::string(trim(line.substr(1, close - 1))), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == npos) {
            sections.back().keys.push_back({std::string(line), std::nullopt});
        } else {
            sections.back().keys.push_back(
                {std::string(trim(line.substr(0, equals))), std::string(trim(line.substr(equals + 1)))});
        }
    }
    return sections;
}

// Sections without a name are written without a header.
std::string serialize(const std::vector<Section>& sections) {
    std::string out;
    for (const Section& section : sections) {
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const Key& key : section.keys) {
            out += key.name;
            if (key.value) out += "=" + *key.value;
            out += "\r\n";
        }
    }
    return out;
}

// Only the first section of a name is searched, and only its first key of a name.
Section* findSection(std::vector<Section>& sections, std::string_view name) {
    for (Section& section : sections) {
        if (equalsNoCase(section.name, name)) return &section;
    }
    return nullptr;
}

Key* findKey(Section& section, std::string_view name) {
    for (Key& key : section.keys) {
        if (equalsNoCase(key.name, name)) return &key;
    }
    return nullptr;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// What is written stays on its line: a line break in a name or a value would add lines, keys or sections of
// the text's choosing (kernel32 writes it as it is), so each CR and LF becomes a blank.
std::string oneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

} // namespace

bool find(const std::string& text, const std::string& section, const std::string& key, std::string& value) {
    std::vector<Section> sections = parse(text);
    Section* inSection = findSection(sections, trim(section));
    Key* found = inSection ? findKey(*inSection, trim(key)) : nullptr;
    if (found == nullptr || !found->value) return false;
    value = std::string(unquoted(*found->value));
    return true;
}

bool withValue(const std::string& text, const std::string& section, const std::string& key,
               const std::string& value, std::string& updated) {
    std::vector<Section> sections = parse(text);
    const std::string sectionLine = oneLine(section), keyLine = oneLine(key), valueLine = oneLine(value);
    // Names are looked up trimmed but stored as given less their leading blanks, as kernel32 stores them.
    const std::string_view sectionName = trimFront(sectionLine);
    const std::string_view keyName = trimFront(keyLine);
    const std::string_view newValue = trimFront(valueLine);
    Section* inSection = findSection(sections, trim(sectionName));
    if (inSection == nullptr) {
        sections.push_back({std::string(sectionName), {{std::string(keyName), std::string(newValue)}}});
    } else if (Key* found = findKey(*inSection, trim(keyName))) {
        if (found->value && *found->value == newValue) return false;
        found->value = std::string(newValue);
    } else {
        inSection->keys.push_back({std::string(keyName), std::string(newValue)});
    }
    updated = serialize(sections);
    return true;
}

std::string read(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& def) {
    std::string text;
    std::string value;
    if (platform::readWholeFile(path, text) != platform::ReadResult::read || !find(text, section, key, value))
        return def;
    return value;
}

bool write(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
    return write(path, section, {{key, value}});
}

bool write(const std::string& path, const std::string& section,
           const std::vector<std::pair<std::string, std::string>>& values) {
    std::string text;
    // Rewriting a file we could not read would lose its contents.
    if (platform::readWholeFile(path, text) == platform::ReadResult::failed) return false;
    bool changed = false;
    for (const auto& [key, value] : values) {
        std::string updated;
        if (!withValue(text, section, key, value, updated)) continue;
        text = std::move(updated);
        changed = true;
    }
    // The same values again leave the file as it is, byte for byte.
    if (!changed) return true;
    // Replaced whole: a full disk leaves the old settings as they were, never a file cut short.
    return platform::writeWholeFile(path, text);
}

} // namespace profile

namespace platform {

int leadingInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // One past INT_MAX is enough to saturate either way and cannot overflow.
    constexpr long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    if (negative) return static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

} // namespace platform
