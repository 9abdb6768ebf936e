#include "platform/settings.h"

#include "platform/portable/profile_file.h"

#include <algorithm>

namespace platform {
namespace {

std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

} // namespace

std::string profileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) {
    return profile::read(nativePath(file), section, key, def);
}

bool profileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    return profile::write(nativePath(file), section, key, value);
}

} // namespace platform
