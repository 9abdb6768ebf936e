// hostsim's command line as the operator types it: the commands' options, their defaults and the help.
#pragma once
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

struct Options {
    std::string plugin;
    std::string cty;         // empty when none is given or found
    std::string ctyMissing;  // why none was found
    std::string out;
    std::string work;
    std::vector<std::string> preload;
    std::string command;
    std::vector<std::string> positional;
    bool html = false;
    bool cancel = false;
    bool allQsos = false;     // QSOs outside the contest are handed over too
    bool anyContest = false;  // a log of another contest is scored as JIDX
    bool ownCallGiven = false, ownPrefixGiven = false;
    std::string ownCall, ownPrefix, start, end, contestMode, band, mode, hostVersion;
    std::vector<std::string> exchanges;
    std::vector<std::pair<std::string, std::string>> answers;  // dialog label, value
};

// Reads the command line into o: the options (a value inline after '=' or as the next word), the command and its
// words. False, with error, when it is not one hostsim takes.
bool parseOptions(int argc, char** argv, Options& o, std::string& error);

// The defaults that depend on where hostsim lies: the plug-in beside it or in a release's Plugins folder, the
// country file beside it or the system's (HOSTSIM_CTY, else Debian's). False, with error, when no plug-in is given
// or found; a missing country file is only said when a step needs one (ctyMissing).
bool findDefaults(Options& o, std::string& error);

// The help: the commands, their options, the folders, the exit statuses and the script's steps.
void usage(std::FILE* to);
