#include "frequency.h"

#include <cstdint>

namespace {

bool digits(std::string_view s) {
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

} // namespace

Megahertz megahertzToHertz(std::string_view text, unsigned& hz) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    if ((whole.empty() && fraction.empty()) || !digits(whole) || !digits(fraction)) return Megahertz::notANumber;
    // Stops counting once past the top: a number of any length is read in one pass and never overflows.
    constexpr std::uint64_t kTop = 0xFFFFFFFFull;
    std::uint64_t value = 0;
    for (char c : whole) {
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > kTop / 1000000) return Megahertz::tooHigh;
    }
    // Six decimals are whole hertz; the seventh rounds; the rest only have to be digits.
    for (std::size_t i = 0; i < fraction.size() && i < 7; ++i) {
        const unsigned digit = static_cast<unsigned>(fraction[i] - '0');
        if (i < 6) value = value * 10 + digit;
        else if (digit >= 5) value += 1;
    }
    for (std::size_t i = fraction.size(); i < 6; ++i) value *= 10;
    if (value > kTop) return Megahertz::tooHigh;
    hz = static_cast<unsigned>(value);
    return Megahertz::hertz;
}
