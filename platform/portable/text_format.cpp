#include "platform/portable/text_format.h"

#include <cstdarg>
#include <cstdio>

namespace text {
namespace {

void vappendf(std::string& out, const char* format, va_list args) {
    // Most texts fit the small buffer: one formatting pass. A longer one is formatted again into its own room.
    char small[512];
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(small, sizeof small, format, args);
    if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
        out.append(small, static_cast<std::size_t>(n));
    } else if (n > 0) {
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data() + at, static_cast<std::size_t>(n) + 1, format, again);
        out.resize(at + static_cast<std::size_t>(n));
    }
    va_end(again);
}

} // namespace

void appendf(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    vappendf(out, format, args);
    va_end(args);
}

std::string format(const char* format, ...) {
    std::string out;
    va_list args;
    va_start(args, format);
    vappendf(out, format, args);
    va_end(args);
    return out;
}

} // namespace text
