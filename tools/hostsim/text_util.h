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

// Shown in a message: the text, cut at 40 bytes, control bytes as '?'.
inline std::string shown(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size() && i < 40; ++i)
        out += static_cast<unsigned char>(s[i]) < 0x20 || s[i] == 0x7F ? '?' : s[i];
    if (s.size() > 40) out += "...";
    return out;
}
