// The windows' colours: what the operator sees, not a rule of the contest.
#pragma once
#include <cstdint>

namespace ui {

// Colours as the platform holds them: red in bits 0-7, green 8-15, blue 16-23.
using Colour = std::uint32_t;
constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}
// A multiplier button: face and label while not worked on the band, and once worked.
inline constexpr Colour kNotWorkedFace = rgb(0, 255, 0);
inline constexpr Colour kNotWorkedLabel = rgb(1, 1, 1);
inline constexpr Colour kWorkedFace = rgb(255, 0, 255);
inline constexpr Colour kWorkedLabel = rgb(255, 255, 0);
// Every window's background, and its text.
inline constexpr Colour kWindowBackground = rgb(255, 250, 198);
inline constexpr Colour kWindowText = rgb(0, 0, 0);

} // namespace ui
