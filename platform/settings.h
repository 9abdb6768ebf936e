// Private-profile settings (an ini file of [sections] and key=value lines), with the platform's semantics:
// section and key names compare without regard to ASCII letter case and blanks around them and around values
// are ignored. A path may use '\' as folder separator on every platform. Any thread may call these: each call
// is whole, so that writes of two threads lose neither's key.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace platform {

// The value of key in section, whole (never cut); def when the file, the section or the key is absent.
std::string profileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def);

// Sets key in section: replaces the value in place or appends the key (and the section) and keeps every other
// line. A CR or LF in section, key or value is written as a blank: nothing written adds a line. Creates the file
// but not a missing folder; the file is replaced whole or not at all. Returns false when nothing could be
// written (the file then stays as it was).
bool profileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value);

// Several keys of one section at once, as profileWrite sets one: all of them are written or none.
using ProfileValues = std::vector<std::pair<std::string, std::string>>;
bool profileWrite(const std::string& file, const std::string& section, const ProfileValues& values);

// The integer at the start of a text: optional blanks, an optional sign, then digits; 0 when none; saturates.
int leadingInt(const std::string& text);

} // namespace platform
