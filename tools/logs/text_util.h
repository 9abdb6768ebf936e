// Small text helpers shared by the log readers and the cty resolver, beside the ASCII folding of
// platform/portable/ascii.h (header-only: hostsim still links nothing of the plug-in).
#pragma once
#include <string>
#include <string_view>

#include "platform/portable/ascii.h"

inline bool allDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

// A text from a log, the country file or the plug-in as hostsim's messages quote it: each control byte (below
// 0x20, and DEL) as \xHH, so that a log cannot move the operator's cursor, ring the bell or retitle the terminal;
// every other byte as it is (the host's texts are 8-bit bytes of any code page).
inline std::string escaped(std::string_view s) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) out += {'\\', 'x', kHex[b >> 4], kHex[b & 0xF]};
        else out += c;
    }
    return out;
}

// Shown in a message: the text escaped, cut at 40 of its bytes.
inline std::string shown(std::string_view s) {
    if (s.size() <= 40) return escaped(s);
    return escaped(s.substr(0, 40)) + "...";
}

// A count and its noun, the noun in the plural unless the count is one: "1 QSO", "2 QSOs", "0 QSOs".
inline std::string counted(std::size_t n, std::string_view noun, std::string_view plural = {}) {
    std::string s = std::to_string(n) + " ";
    if (n == 1) return s += noun;
    if (!plural.empty()) return s += plural;
    return (s += noun) += "s";
}
