#include "engine/contest_settings.h"

#include "platform/settings.h"

const char* const g_settingsFile = "Plugins\\VU-VO.ini";
const char* const g_settingsSection = "Settings";

std::string settingsRead(const char* key, const std::string& def) {
    return platform::profileRead(g_settingsFile, g_settingsSection, key, def);
}

int settingsReadInt(const char* key) { return platform::leadingInt(settingsRead(key)); }

void settingsWrite(const char* key, const std::string& value) {
    platform::profileWrite(g_settingsFile, g_settingsSection, key, value);
}

int startupContestMode() { return settingsReadInt("setup_mode_cw") != 0 ? 0 : 1; }
