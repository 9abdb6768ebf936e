// A script of host calls, one step a line, run in order against one loaded plug-in; for tests and for trying
// sequences that a single pass cannot show (removals, checks between passes, several exports in one session).
#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/logs/cty.h"
#include "tools/session/plugin_library.h"

class LiveHost;
class WorkFolder;

struct ScriptContext {
    std::string ctyPath;     // empty when none was given or found
    std::string ctyMissing;  // then why
    CtyDatabase cty;
    bool ctyLoaded = false;
    PluginLibrary* library = nullptr; // the steps that unload it
    LiveHost* live = nullptr;         // the host's entry, frequency and automation object, and the windows
    // The folder the plug-in works in (the current one), and the one hostsim was started in: the script and the
    // logs its steps name are read from there.
    const WorkFolder* work = nullptr;
    // The files the passes made, for the operator: Cabrillo files the plug-in said it produced, and the bad-QSO
    // files the passes named, in the order first seen.
    std::vector<std::string> cabrilloFiles, badQsoFiles;
    // Called when the process is about to end at once (the step exit).
    std::function<void()> beforeExit;
};

// Runs the script (a path from the folder hostsim was started in);
// each step is echoed ("> step") to out before what it prints. Returns 0 when every step ran,
// 1 when one was malformed or failed (the script stops there, with a message naming its line on standard error).
int runScript(const std::string& path, const PluginFunctions& plugin, ScriptContext& context, std::FILE* out);

// The steps for the help: one line per step (name, words, help) under the two headings.
void printStepHelp(std::FILE* to);

// A text the plug-in returned, its bytes unchanged, then a line end when it has none; flushed.
void writeText(std::FILE* out, const std::string& text);
