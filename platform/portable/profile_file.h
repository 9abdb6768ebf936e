// Private-profile (ini) files with the semantics of kernel32's GetPrivateProfileStringA and
// WritePrivateProfileStringA, in plain C++ over the files port, so that the same code serves every platform and
// can be held against kernel32 itself. Paths as the files port takes them. Not guarded: the settings adapters
// serialise the calls.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace profile {

// The value of key in section of ini text (lines end in CR, LF or both): the first matching section, its first
// matching key; names compare trimmed and without regard to ASCII letter case; the value trimmed and without one
// enclosing pair of matching quotes. There are no comments: a ';' line is a key like any other. False (value
// untouched) when the section or the key is absent, or the key's line has no '='.
bool find(const std::string& text, const std::string& section, const std::string& key, std::string& value);

// The ini text with key set to value in section, as kernel32 writes it back: the key's value replaced, else the
// key added at the end of the section, else the section and the key added at the end of the text; section, key
// and value lose their leading blanks, and each CR or LF in them becomes a blank (where kernel32 writes it as it
// is). The whole text comes out in kernel32's form: "[name]" headers (none for the unnamed part before the first
// header), "name=value" lines (just "name" for a line without '='), every line ending in CR LF, blank lines
// dropped. False (updated untouched) when the key already has exactly that value.
bool withValue(const std::string& text, const std::string& section, const std::string& key,
               const std::string& value, std::string& updated);

// find() on the file's contents; def when the file cannot be read or the value is absent.
std::string read(const std::string& path, const std::string& section, const std::string& key,
                 const std::string& def);

// Rewrites the file with withValue(), creating it when missing (but not its folder); leaves it untouched when the
// value is already there. Replaced whole or not at all (platform::writeWholeFile). False when the file cannot
// be read (other than missing) or written.
bool write(const std::string& path, const std::string& section, const std::string& key, const std::string& value);

// Several keys of one section in one rewrite: all of them or none.
bool write(const std::string& path, const std::string& section,
           const std::vector<std::pair<std::string, std::string>>& values);

} // namespace profile
