// Frequencies as logs write them, turned into the host's whole hertz without floating point.
#pragma once
#include <string>
#include <string_view>

// What a frequency text in MHz reads as.
enum class Megahertz {
    hertz,       // a plain non-negative decimal number that fits the host's whole hertz
    notANumber,  // anything else: "7,030", "7.0e3", "" ...
    tooHigh,     // a number above 4 294.967 295 MHz, the most an unsigned 32-bit count of hertz holds
};

// The most hertz the host's frequency holds, in the words of a message.
inline constexpr std::string_view kHighestMegahertz = "4294.967295 MHz";

// "7.07582" (MHz, any number of decimals) into hertz, rounded half up at the hertz; hz is set only for hertz.
Megahertz megahertzToHertz(std::string_view text, unsigned& hz);
