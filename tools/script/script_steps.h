// The steps of a script as one table: each step's name, the words it takes, its line of help and its handler.
// The usage text is printed from the same tables, so the help and the steps cannot drift apart.
#pragma once
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "script.h"
#include "tools/session/host_session.h"

// What a step works on: the loaded plug-in, the session's context and the next passes' setup.
struct StepEnv {
    HostSession& host;
    ScriptContext& context;
    PassSetup& pass;
    std::string& mode; // the contest mode the operator chose last: the host's until a window says otherwise
    std::FILE* out;

    // Loads the country file on first use; false, with why, when there is none.
    bool loadCty(std::string& why);
};

using StepWords = std::vector<std::string>; // the step's name, then its words

struct ScriptStep {
    const char* name;
    const char* words; // as the help shows them
    const char* help;
    std::size_t least, most; // how many words may follow the name
    bool needsPlugin;        // refused once the plug-in is unloaded
    bool pumpsFirst;         // the host serves the windows' waiting calls before this step
    // Runs the step; false, with why, when it failed. Words the step does not take: why is left empty.
    bool (*run)(StepEnv& env, const StepWords& w, std::string& why);
};

std::span<const ScriptStep> passSteps(); // script.cpp: the calls of passes, checks and files
std::span<const ScriptStep> liveSteps(); // live_steps.cpp: the operator at the windows

// The step of this name, or null.
const ScriptStep* findStep(const std::string& name);
