#include "engine/contest_settings.h"

#include <chrono>
#include <mutex>
#include <thread>

const char* const g_settingsFile = "Plugins\\VU-VO.ini";
const char* const g_settingsSection = "Settings";

namespace {

// Both threads write settings. A leaf lock over the values that wait and their writing.
std::mutex waitingMutex;
platform::ProfileValues waiting;

void keep(platform::ProfileValues& into, const platform::ProfileValues& values) {
    for (const auto& [key, value] : values) {
        bool found = false;
        for (auto& held : into)
            if (held.first == key) held.second = value, found = true;
        if (!found) into.emplace_back(key, value);
    }
}

// With waitingMutex held.
bool writeWaiting() {
    if (waiting.empty()) return true;
    if (!platform::profileWrite(g_settingsFile, g_settingsSection, waiting)) return false;
    waiting.clear();
    return true;
}

} // namespace

std::string settingsRead(const char* key, const std::string& def) {
    {
        std::lock_guard<std::mutex> lock(waitingMutex);
        if (!writeWaiting()) {
            for (const auto& [name, value] : waiting)
                if (name == key) return value;
        }
    }
    return platform::profileRead(g_settingsFile, g_settingsSection, key, def);
}

int settingsReadInt(const char* key) { return platform::leadingInt(settingsRead(key)); }

void settingsWrite(const char* key, const std::string& value) { settingsWrite({{key, value}}); }

void settingsWrite(const platform::ProfileValues& values) {
    std::lock_guard<std::mutex> lock(waitingMutex);
    keep(waiting, values);
    writeWaiting();
}

bool settingsWriteNow(const platform::ProfileValues& values) {
    using namespace std::chrono_literals;
    std::unique_lock<std::mutex> lock(waitingMutex);
    platform::ProfileValues all = waiting;
    keep(all, values);
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (attempt > 0) {
            lock.unlock();
            std::this_thread::sleep_for(40ms);
            lock.lock();
            all = waiting;
            keep(all, values);
        }
        if (platform::profileWrite(g_settingsFile, g_settingsSection, all)) {
            waiting.clear();
            return true;
        }
    }
    return false;
}

bool settingsWaiting() {
    std::lock_guard<std::mutex> lock(waitingMutex);
    return !waiting.empty();
}

void resetSettings() {
    std::lock_guard<std::mutex> lock(waitingMutex);
    waiting.clear();
}
