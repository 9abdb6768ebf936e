// printf-style formatting into a string, of any length.
#pragma once
#include <string>

#if defined(__MINGW32__)
#define VUVO_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define VUVO_PRINTF(f, a) __attribute__((format(printf, f, a)))
#endif

namespace text {

// Appends the formatted text to out.
void appendf(std::string& out, const char* format, ...) VUVO_PRINTF(2, 3);
// The formatted text.
std::string format(const char* format, ...) VUVO_PRINTF(1, 2);

} // namespace text
