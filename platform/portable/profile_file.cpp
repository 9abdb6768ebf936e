#include "platform/portable/profile_file.h"

#include "platform/settings.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <string_view>
#include <vector>

namespace profile {
namespace {

constexpr std::size_t npos = std::string_view::npos;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

// Lines without their LF or CR LF end; a last line without an end counts, an empty text has none.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == npos ? text.size() : end + 1);
    }
    return lines;
}

enum class LineKind { other, section, key };

struct ParsedLine {
    LineKind kind = LineKind::other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

ParsedLine parseLine(std::string_view line) {
    std::string_view body = trim(line);
    if (body.empty() || body.front() == ';') return {};
    if (body.front() == '[') {
        // A header without its ']' is read as an ordinary line, as kernel32 does.
        const std::size_t close = body.rfind(']');
        if (close != npos) return {LineKind::section, trim(body.substr(1, close - 1)), {}};
    }
    const std::size_t equals = body.find('=');
    if (equals == npos) return {};
    return {LineKind::key, trim(body.substr(0, equals)), trim(body.substr(equals + 1))};
}

struct Location {
    std::size_t header = npos;       // the first matching section's header line
    std::size_t keyLine = npos;      // the first matching key line in that section
    std::size_t lastFilled = npos;   // that section's last non-blank line (the header when it has none)
    ParsedLine key;
};

Location locate(const std::vector<std::string_view>& lines, std::string_view section, std::string_view key) {
    section = trim(section);
    key = trim(key);
    Location where;
    std::size_t i = 0;
    for (; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.kind == LineKind::section && equalsNoCase(parsed.name, section)) break;
    }
    if (i == lines.size()) return where;
    where.header = where.lastFilled = i;
    for (++i; i < lines.size(); ++i) {
        const ParsedLine parsed = parseLine(lines[i]);
        if (parsed.kind == LineKind::section) break;
        if (parsed.kind == LineKind::key && equalsNoCase(parsed.name, key)) {
            where.keyLine = i;
            where.key = parsed;
            return where;
        }
        if (!trim(lines[i]).empty()) where.lastFilled = i;
    }
    return where;
}

std::string_view unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// The whole file; missing tells a file that is not there from one that cannot be read.
bool loadFile(const std::string& path, std::string& text, bool& missing) {
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    missing = file == nullptr && errno == ENOENT;
    if (file == nullptr) return false;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, got);
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    return ok;
}

} // namespace

bool find(const std::string& text, const std::string& section, const std::string& key, std::string& value) {
    const std::vector<std::string_view> lines = splitLines(text);
    const Location where = locate(lines, section, key);
    if (where.keyLine == npos) return false;
    value = std::string(unquoted(where.key.value));
    return true;
}

std::string withValue(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& value) {
    const std::vector<std::string_view> lines = splitLines(text);
    const Location where = locate(lines, section, key);
    std::string out;
    out.reserve(text.size() + lines.size() + section.size() + key.size() + value.size() + 8);
    const auto addLine = [&out](std::string_view line) {
        out += line;
        out += "\r\n";
    };
    const auto addKey = [&addLine, &value](std::string_view name) { addLine(std::string(name) + "=" + value); };

    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == where.keyLine) {
            addKey(where.key.name);
            continue;
        }
        addLine(lines[i]);
        if (where.keyLine == npos && i == where.lastFilled) addKey(trim(key));
    }
    if (where.header == npos) {
        addLine("[" + std::string(trim(section)) + "]");
        addKey(trim(key));
    }
    return out;
}

std::string read(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& def) {
    std::string text;
    bool missing = false;
    std::string value;
    if (!loadFile(path, text, missing) || !find(text, section, key, value)) return def;
    return value;
}

bool write(const std::string& path, const std::string& section, const std::string& key, const std::string& value) {
    std::string text;
    bool missing = false;
    // Rewriting a file we could not read would lose its contents.
    if (!loadFile(path, text, missing) && !missing) return false;
    const std::string updated = withValue(text, section, key, value);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(updated.data(), 1, updated.size(), file) == updated.size();
    return std::fclose(file) == 0 && written;
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
