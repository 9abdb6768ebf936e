// The plug-in's settings: one section of one private-profile file, relative to the host's current folder. Values
// are decimal texts read back with a leading-digits conversion.
//
// A write the file does not take at once (another program holds it, a read of it failed) is not lost: its values
// wait here, every later read sees them, and each later settings call tries again to write them, together with
// its own in one rewrite. A later pass therefore acts on what was set last, whether or not it reached the disk
// yet.
#pragma once
#include <string>

#include "platform/settings.h"

extern const char* const g_settingsFile;    // "Plugins\VU-VO.ini"
extern const char* const g_settingsSection; // "Settings"

// Keys of the section read or written in more than one place; the names are the file's, as operators know them.
inline constexpr const char* kModeKey = "Mode";                 // the contest mode a pass judges in
inline constexpr const char* kModeCwBoxKey = "setup_mode_cw";   // the main window's CW box, "1" or "0"
inline constexpr const char* kModeSsbBoxKey = "setup_mode_ssb"; // its SSB box

std::string settingsRead(const char* key, const std::string& def = ""); // def when absent
int settingsReadInt(const char* key);                                  // 0 when absent
void settingsWrite(const char* key, const std::string& value);
// Several keys in one rewrite of the file.
void settingsWrite(const platform::ProfileValues& values);
// These values, and whatever waits, on the disk now: tried a few times over a moment (a virus scanner or a sync
// client holds a file briefly). False when the file still did not take them: then they are not kept either, and
// nothing of the settings changed.
bool settingsWriteNow(const platform::ProfileValues& values);
// Whether values wait to be written.
bool settingsWaiting();
// Forgets what waits: the plug-in's reset.
void resetSettings();
