#include "tools/report/contest_replay.h"

#include <algorithm>
#include <cmath>

#include "engine/contest_engine.h"
#include "engine/contest_state.h"

namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kSecondsPerHour = 3600;

// The QSO as the host hands it over (as hostsim's session does through AddData0): from the own call when the log
// names no logging station.
QsoInput inputOf(const LogQso& q, const std::string& ownCall) {
    QsoInput in;
    in.myCall = q.myCall.empty() ? ownCall : q.myCall;
    in.call = q.call;
    in.time = q.time;
    in.freqHz = q.freqHz;
    in.mode = q.mode;
    in.rstSent = q.rstSent;
    in.rstRcvd = q.rstRcvd;
    in.exchSent = q.exchSent;
    in.exchRcvd = q.exchRcvd;
    in.prefix = q.prefix;
    in.band = q.band;
    return in;
}

} // namespace

long long secondsOf(const COleDateTime& t) { return std::llround(t.m_dt * kSecondsPerDay); }

COleDateTime timeOfSeconds(long long seconds) {
    return COleDateTime(static_cast<double>(seconds) / kSecondsPerDay, COleDateTime::valid);
}

std::vector<COleDateTime> hourEnds(const COleDateTime& start, const COleDateTime& end) {
    std::vector<COleDateTime> ends;
    const long long last = secondsOf(end);
    for (long long at = (secondsOf(start) / kSecondsPerHour + 1) * kSecondsPerHour; at < last; at += kSecondsPerHour)
        ends.push_back(timeOfSeconds(at));
    ends.push_back(timeOfSeconds(last));
    return ends;
}

void sortByTime(std::vector<LogQso>& qsos) {
    std::stable_sort(qsos.begin(), qsos.end(),
                     [](const LogQso& a, const LogQso& b) { return secondsOf(a.time) < secondsOf(b.time); });
}

Replay replayByHour(const ReplayPass& pass, const std::vector<LogQso>& qsos) {
    PassStart start;
    start.hostDir = pass.hostDir;
    start.ownCall = pass.ownCall;
    start.ownPrefix = pass.ownPrefix;
    start.start = pass.start;
    start.end = pass.end;
    emptyPass();
    beginPass(start);
    finishPass(start);

    Replay replay;
    std::size_t next = 0;
    COleDateTime from = pass.start;
    const std::vector<COleDateTime> ends = hourEnds(pass.start, pass.end);
    for (std::size_t h = 0; h < ends.size(); ++h) {
        // The last hour takes whatever is left: the caller hands over the period's QSOs only.
        const bool last = h + 1 == ends.size();
        for (; next < qsos.size() && (last || secondsOf(qsos[next].time) < secondsOf(ends[h])); ++next) {
            replay.stored += addData(inputOf(qsos[next], pass.ownCall)) == 1;
            replay.handedOver.push_back(qsos[next].time);
        }
        replay.hours.push_back({from, ends[h], tallyResult()});
        from = ends[h];
    }
    for (const CInfo& r : g_log)
        if (!r.bad && !r.call.empty()) replay.counted.push_back(r.time);
    emptyPass();
    return replay;
}
