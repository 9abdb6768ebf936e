// The engine's operations behind the exported functions. Callers hold stateMutex(); texts are never null here.
#pragma once
#include <mutex>
#include <string_view>

#include "platform/date_time.h"

struct PassStart {
    std::string_view hostDir;
    int exportPass = 0;
    std::string_view ownCall;
    COleDateTime start;
    COleDateTime end;
    std::string_view ownPrefix;
};

struct QsoInput {
    std::string_view myCall;   // the logging station
    std::string_view call;     // the worked station
    COleDateTime time;
    unsigned freqHz = 0;
    std::string_view mode;
    std::string_view rstSent;
    std::string_view rstRcvd;
    std::string_view exchSent;
    std::string_view exchRcvd;
    std::string_view prefix;   // the worked station's country prefix
    std::string_view hostText;
    std::string_view band;
};

// Starts a statistics pass. Releases the lock around the header dialog and the window thread's start.
void resetStats(const PassStart& pass, std::unique_lock<std::mutex>& lock);
// 1 when the QSO was stored, 0 when rejected.
int addData(const QsoInput& qso);
void removeData(const QsoInput& qso);
// 1 when the typed exchange is a county code, else 0.
int isValidExchange(std::string_view exchange);
