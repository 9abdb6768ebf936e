#pragma once
// Windows file-name patterns, for the directory listing of both adapters.

#include <string_view>

namespace wildcard {

// True when name matches pattern as a Windows long file name does: '*' any run, '?' any one character, every
// other character itself regardless of ASCII letter case (brackets and backslashes are ordinary characters);
// a final ".*" also matches a name without a dot, so "*.*" matches every name.
bool matchesFileName(std::string_view pattern, std::string_view name);

} // namespace wildcard
