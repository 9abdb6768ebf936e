#include "platform/settings.h"

#include <windows.h>

#include <string>
#include <vector>

namespace platform {
namespace {

// kernel32 cuts a value that does not fit and then answers size - 1: grow until the answer is shorter.
std::string readWhole(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& def) {
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(), size,
                                                   file.c_str());
        if (got + 1 < size || size >= (1u << 30)) return std::string(buffer.data(), got);
        buffer.resize(buffer.size() * 4);
    }
}

bool endsInBlank(const std::string& text) { return !text.empty() && (text.back() == ' ' || text.back() == '\t'); }

} // namespace

std::string profileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) {
    if (!endsInBlank(def)) return readWhole(file, section, key, def);
    // kernel32 strips trailing blanks off the default; the port gives it back whole. Two different defaults
    // both coming back mean the key is absent, whatever its value could have been.
    const std::string first = readWhole(file, section, key, "\x01");
    if (first != "\x01") return first;
    return readWhole(file, section, key, "\x02") == "\x02" ? def : first;
}

bool profileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}

} // namespace platform
