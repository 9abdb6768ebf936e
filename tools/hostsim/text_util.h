// Small text helpers shared by the log readers and the cty resolver; ASCII only, any other byte passes through.
#pragma once
#include <string>
#include <string_view>

inline bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

inline std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

inline std::string upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

inline std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

inline char upperChar(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upperChar(a[i]) != upperChar(b[i])) return false;
    return true;
}

inline bool startsWithNoCase(std::string_view s, std::string_view head) {
    return s.size() >= head.size() && equalsNoCase(s.substr(0, head.size()), head);
}

inline bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// Shown in a message: the text, cut at 40 bytes, control bytes as '?'.
inline std::string shown(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size() && i < 40; ++i)
        out += static_cast<unsigned char>(s[i]) < 0x20 || s[i] == 0x7F ? '?' : s[i];
    if (s.size() > 40) out += "...";
    return out;
}
