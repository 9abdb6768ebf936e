// The settings on Windows: our own profile code, which writes what kernel32 writes but replaces the file whole
// (WritePrivateProfileStringA rewrites it in place, so that a full disk leaves it cut short).
#include "platform/settings.h"

#include "platform/portable/profile_file.h"

#include <windows.h>

#include <mutex>
#include <string>

namespace platform {
namespace {

// A write reads the whole file and replaces it: two threads at it at once would lose one's key. A leaf lock,
// held for the file work only.
std::mutex settingsMutex;

// As kernel32 places a profile: a name without any folder goes to the Windows folder.
std::string profilePath(const std::string& file) {
    if (file.find_first_of("\\/") != std::string::npos) return file;
    char folder[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return file;
    return std::string(folder, length) + "\\" + file;
}

} // namespace

std::string profileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) {
    const std::string path = profilePath(file);
    std::lock_guard<std::mutex> lock(settingsMutex);
    return profile::read(path, section, key, def);
}

bool profileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
    const std::string path = profilePath(file);
    std::lock_guard<std::mutex> lock(settingsMutex);
    return profile::write(path, section, key, value);
}

bool profileWrite(const std::string& file, const std::string& section, const ProfileValues& values) {
    const std::string path = profilePath(file);
    std::lock_guard<std::mutex> lock(settingsMutex);
    return profile::write(path, section, values);
}

} // namespace platform
