// The plug-in's settings: one section of one private-profile file, relative to the host's current folder. Values
// are decimal texts read back with a leading-digits conversion.
#pragma once
#include <string>

extern const char* const g_settingsFile;    // "Plugins\VU-VO.ini"
extern const char* const g_settingsSection; // "Settings"

std::string settingsRead(const char* key, const std::string& def = ""); // def when absent
int settingsReadInt(const char* key);                                  // 0 when absent
void settingsWrite(const char* key, const std::string& value);

// The contest mode the main window starts in: CW (0) when "setup_mode_cw" is set, SSB (1) otherwise, so that a
// fresh settings file starts in SSB.
int startupContestMode();
