// hostsim's own log format (see README.md): a few header lines, then one tab-separated QSO per line.
#pragma once
#include <string>
#include <vector>

#include "plugin/plugin_exports.h"

struct LogQso {
    int line = 0;
    COleDateTime time;
    unsigned freqHz = 0;
    std::string mode;
    std::string call;
    std::string rstSent;
    std::string exchSent;
    std::string rstRcvd;
    std::string exchRcvd;
    std::string prefix;
    std::string band;
};

struct LogFile {
    std::string ownCall;
    std::string ownPrefix;
    COleDateTime start;
    COleDateTime end;
    std::vector<LogQso> qsos;
};

// Reads the whole file. False when it cannot be read or any line is malformed; errors then holds one message
// per problem, each naming its line.
bool readLogFile(const std::string& path, LogFile& log, std::vector<std::string>& errors);

// Days since 1899-12-30 of a UTC date and time; false for an impossible one. Years 1900 to 9999.
bool oleDays(int year, int month, int day, int hour, int minute, double& days);
