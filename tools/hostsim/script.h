// A script of host calls, one step a line, run in order against one loaded plug-in; for tests and for trying
// sequences that a single pass cannot show (removals, checks between passes, several exports in one session).
#pragma once
#include <cstdio>
#include <string>

#include "cty.h"
#include "plugin_library.h"

class LiveHost;

struct ScriptContext {
    std::string ctyPath;     // empty when none was given or found
    std::string ctyMissing;  // then why
    CtyDatabase cty;
    bool ctyLoaded = false;
    PluginLibrary* library = nullptr; // the steps that unload it
    LiveHost* live = nullptr;         // the host's entry, frequency and automation object, and the windows
};

// Runs the script; each step is echoed ("> step") to out before what it prints. Returns 0 when every step ran,
// 1 when one was malformed or failed (the script stops there, with a message naming its line on standard error).
int runScript(const std::string& path, const PluginFunctions& plugin, ScriptContext& context, std::FILE* out);
