// Frequencies as logs write them, turned into the host's whole hertz without floating point.
#pragma once
#include <string>
#include <string_view>

// "7.07582" (MHz, any number of decimals) into hertz, rounded half up at the hertz; false for anything that is
// not a plain non-negative decimal number, or that exceeds 4 294 967 295 Hz.
bool megahertzToHertz(std::string_view text, unsigned& hz);
