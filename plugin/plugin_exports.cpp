// The only door into the plug-in: every call takes the state lock and catches everything.
#include "plugin/plugin_exports.h"

#include <mutex>

#include "engine/contest_engine.h"
#include "engine/contest_state.h"
#include "platform/message_box.h"
#include "results/results.h"

namespace {

std::string_view text(const char* s) { return s ? std::string_view(s) : std::string_view(); }
COleDateTime date(const COleDateTime* d) { return d ? *d : COleDateTime(); }

QsoInput qsoInput(const char* myCall, const char* call, const COleDateTime* time, unsigned freqHz, const char* mode,
                  const char* rstSent, const char* rstRcvd, const char* exchSent, const char* exchRcvd,
                  const char* prefix, const char* hostText, const char* band) {
    QsoInput q;
    q.myCall = text(myCall);
    q.call = text(call);
    q.time = date(time);
    q.freqHz = freqHz;
    q.mode = text(mode);
    q.rstSent = text(rstSent);
    q.rstRcvd = text(rstRcvd);
    q.exchSent = text(exchSent);
    q.exchRcvd = text(exchRcvd);
    q.prefix = text(prefix);
    q.hostText = text(hostText);
    q.band = text(band);
    return q;
}

int oneSet() { return 1; }

} // namespace

extern "C" {

int VUVO_API GetNumberOfSets(void) { return oneSet(); }

int VUVO_API GetExchgCount0(const char*, const char*, const char*) { return oneSet(); }

const char* VUVO_API GetSetName(int set) { return set == 0 ? "VU-VO Contest (C)" : ""; }

void VUVO_API SetupSet0(void) {
    try {
        platform::showMessage("No additional setup for this contest", "", platform::MessageIcon::none,
                              platform::MessageOwner::none);
    } catch (...) {
    }
}

unsigned long VUVO_API setVersion(const char*) {
    try {
        std::lock_guard lock(stateMutex());
        g_versionCalled = 1;
    } catch (...) {
    }
    return 0;
}

int VUVO_API ResetStats0(const char* hostDir, int exportPass, const char* ownCall, COleDateTime* contestStart,
                         COleDateTime* contestEnd, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char* ownPrefix, int, int, int,
                         double, double, const char*, const char*, const char*) {
    try {
        PassStart pass;
        pass.hostDir = text(hostDir);
        pass.exportPass = exportPass;
        pass.ownCall = text(ownCall);
        pass.start = date(contestStart);
        pass.end = date(contestEnd);
        pass.ownPrefix = text(ownPrefix);
        std::unique_lock lock(stateMutex());
        resetStats(pass, lock);
    } catch (...) {
    }
    return 1;
}

int VUVO_API AddData0(const char* myCall, const char* call, COleDateTime* time, COleDateTime*, COleDateTime*,
                      COleDateTime*, unsigned, unsigned freqHz, const char* mode, const char* rstSent,
                      const char* rstRcvd, const char* exchSent, const char* exchRcvd, const char*, const char*,
                      const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                      const char* prefix, int, int, int, double, double, const char*, const char* hostText,
                      const char*, const char* band, const char*) {
    try {
        QsoInput q = qsoInput(myCall, call, time, freqHz, mode, rstSent, rstRcvd, exchSent, exchRcvd, prefix,
                              hostText, band);
        std::lock_guard lock(stateMutex());
        return addData(q);
    } catch (...) {
        return 0;
    }
}

int VUVO_API RemoveData0(const char* myCall, const char* call, COleDateTime* time, COleDateTime*, COleDateTime*,
                         COleDateTime*, unsigned, unsigned freqHz, const char* mode, const char* rstSent,
                         const char* rstRcvd, const char* exchSent, const char* exchRcvd, const char*, const char*,
                         const char*, const char*, const char*, const char*, const char*, const char*,
                         const char*, const char* prefix, int, int, int, double, double, const char*,
                         const char* hostText, const char*, const char* band, const char*) {
    try {
        QsoInput q = qsoInput(myCall, call, time, freqHz, mode, rstSent, rstRcvd, exchSent, exchRcvd, prefix,
                              hostText, band);
        std::lock_guard lock(stateMutex());
        removeData(q);
    } catch (...) {
    }
    return 1;
}

int VUVO_API CheckCall0(const char* call, unsigned, unsigned, const char* mode, const char*, const char*,
                        const char*, const char*, const char*, const char*, const char*, const char*, const char*,
                        const char* prefix, int zone, int, int, double, double, const char*, const char*,
                        const char*, const char*, const char*, const char* band, const char* otherBand, char*,
                        char*) {
    try {
        CallCheckInput in;
        in.call = text(call);
        in.mode = text(mode);
        in.prefix = text(prefix);
        in.zone = zone;
        in.band = band;
        in.otherBand = otherBand;
        std::lock_guard lock(stateMutex());
        return checkCall(in);
    } catch (...) {
        return 4; // cannot count: the safe answer when nothing is known
    }
}

int VUVO_API IsValidExchg0(const char* exchange, const char*, const char*, const char*, int, int, int) {
    return isValidExchange(text(exchange));
}

const char* VUVO_API GetResult0(int* status) {
    try {
        std::unique_lock lock(stateMutex());
        return getResult(status, lock);
    } catch (...) {
        return "";
    }
}

} // extern "C"
