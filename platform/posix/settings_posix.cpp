#include "platform/settings.h"

#include "platform/portable/profile_file.h"

#include <mutex>

namespace platform {
namespace {

// A write reads the whole file and replaces it: two threads at it at once would lose one's key. A leaf lock,
// held for the file work only.
std::mutex settingsMutex;

} // namespace

std::string profileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) {
    std::lock_guard<std::mutex> lock(settingsMutex);
    return profile::read(file, section, key, def);
}

bool profileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    std::lock_guard<std::mutex> lock(settingsMutex);
    return profile::write(file, section, key, value);
}

bool profileWrite(const std::string& file, const std::string& section, const ProfileValues& values) {
    std::lock_guard<std::mutex> lock(settingsMutex);
    return profile::write(file, section, values);
}

} // namespace platform
