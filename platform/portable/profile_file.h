// Private-profile (ini) files with the semantics of kernel32's GetPrivateProfileStringA and
// WritePrivateProfileStringA, in plain C++ and stdio so that the same code builds for every platform and can be
// held against kernel32 itself. Paths are native: the platform adapters translate folder separators.
#pragma once
#include <string>

namespace profile {

// The value of key in section of ini text (lines end in LF or CR LF): the first matching section, its first
// matching key; names compare trimmed and without regard to ASCII letter case; the value trimmed and without one
// enclosing pair of matching quotes. False (value untouched) when the section or the key is absent.
bool find(const std::string& text, const std::string& section, const std::string& key, std::string& value);

// The ini text with key set to value in section: the key's line replaced (keeping the key's spelling in the
// text), else the key added after the last non-blank line of the section, else the section and the key added at
// the end. Every other line is kept as it is; every line of the result ends in CR LF.
std::string withValue(const std::string& text, const std::string& section, const std::string& key,
                      const std::string& value);

// find() on the file's contents; def when the file cannot be read or the value is absent.
std::string read(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& def);

// Rewrites the file with withValue(), creating it when missing (but not its folder). False when the file cannot
// be read (other than missing) or written.
bool write(const std::string& path, const std::string& section, const std::string& key, const std::string& value);

} // namespace profile
