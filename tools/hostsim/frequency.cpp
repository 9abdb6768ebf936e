#include "frequency.h"

#include <cstdint>

bool megahertzToHertz(std::string_view text, unsigned& hz) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if (whole.empty() && fraction.empty()) return false;
    std::uint64_t value = 0;
    for (char c : whole) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > 4295) return false;  // over 4 294.967 295 MHz whatever the decimals
    }
    // Six decimals are whole hertz; the seventh rounds; the rest only have to be digits.
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        const char c = fraction[i];
        if (c < '0' || c > '9') return false;
        if (i < 6) value = value * 10 + static_cast<unsigned>(c - '0');
        if (i == 6 && c >= '5') value += 1;
    }
    for (std::size_t i = fraction.size(); i < 6; ++i) value *= 10;
    if (value > 0xFFFFFFFFull) return false;
    hz = static_cast<unsigned>(value);
    return true;
}
