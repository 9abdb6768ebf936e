#include "platform/portable/wildcard.h"

#include "platform/portable/ascii.h"

namespace wildcard {
namespace {

// Greedy with one backtrack point: the last '*' seen is the only one that ever needs to take more.
bool matches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starAt = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || ascii::lower(pattern[p]) == ascii::lower(name[n]))) {
            ++p;
            ++n;
        } else if (starAt != std::string_view::npos) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

} // namespace

bool matchesFileName(std::string_view pattern, std::string_view name) {
    if (matches(pattern, name)) return true;
    const bool dotStar = pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*";
    return dotStar && name.find('.') == std::string_view::npos && matches(pattern.substr(0, pattern.size() - 2), name);
}

} // namespace wildcard
