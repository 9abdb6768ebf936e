// The steps of a live session (listed in script.cpp): the operator types and tunes, hostsim looks at the
// plug-in's windows and clicks them.
#pragma once
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "host_session.h"
#include "script.h"

// Runs step w when it is one of the live steps (handled set); false, with why, when it failed. contestMode is
// the mode the host is in until the plug-in's window tells it otherwise; loadCty loads the country file.
bool liveStep(const std::vector<std::string>& w, HostSession& host, ScriptContext& context,
              const std::string& contestMode, const std::function<bool(std::string&)>& loadCty, std::FILE* out,
              std::string& why, bool& handled);
