// The contest mode has one owner. In memory it is g_contestMode, the mode every QSO is judged in (guarded by the
// state lock like the rest of the contest state); in the settings it is three keys, "Mode" (what a pass reads)
// and "setup_mode_cw" / "setup_mode_ssb" (what the main window opens in), always written together in one
// rewrite, so that they never disagree. A new mode is stored first and judged in only once stored.
#pragma once

// Who changes the mode: a pass start reads the stored one; the main window's start and the operator's switch store
// theirs first.
enum class ModeChange { passStart, windowStart, operatorSwitch };

// The mode the main window opens in: CW (0) when "setup_mode_cw" is set, SSB (1) otherwise, so that a fresh
// settings file opens in SSB.
int windowStartMode();
// The mode stored in "Mode", which a pass start judges in.
int storedContestMode();
// Judges every QSO from now on in this mode; with the operator's switch the pass's bad-QSO file starts again under
// the new mode's title, so that its lines are judged and titled alike. Needs the state lock.
void judgeInMode(int contestMode, ModeChange change) noexcept;
// Stores the mode now: "Mode", and with the operator's switch the two boxes too (the window's start takes the mode
// the boxes already give). False when the settings file did not take them: then nothing changed. Without the
// state lock: it writes a file and may wait a moment for it.
bool storeContestMode(int contestMode, ModeChange change);
