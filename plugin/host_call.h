// The host's side of the two QSO calls of the contract (plugin_exports.h): one QSO as a plain record, turned into
// the 33 arguments of AddData0 or RemoveData0. It calls through a pointer of the exports' type, so it serves a
// caller that links the plug-in's code (&AddData0) and one that resolved the export by name alike; header-only, it
// links nothing of the plug-in.
#pragma once
#include <type_traits>

#include "plugin/plugin_exports.h"

namespace host_call {

// AddData0 or RemoveData0: the two take the same arguments.
using QsoExport = decltype(&::AddData0);
static_assert(std::is_same_v<QsoExport, decltype(&::RemoveData0)>, "AddData0 and RemoveData0 differ");

// A QSO as the host hands it over. The texts are the host's 8-bit bytes and must outlive the call; a null one
// reads as empty.
struct HostQso {
    const char* myCall = "";  // the logging station
    const char* call = "";
    COleDateTime time;        // the QSO's time, in the host's layout
    unsigned freqHz = 0;
    const char* mode = "";    // the host's names: "CW", "SSB", ...
    const char* rstSent = "";
    const char* rstRcvd = "";
    const char* exchSent = "";
    const char* exchRcvd = "";
    const char* prefix = "";  // the country prefix the host found for the call
    const char* hostText = "";
    const char* band = "";    // the host's names: "160m" ... "10m"
};

// Calls the export with the QSO. The arguments the record leaves out go as the host passes those it does not fill:
// empty texts, zeros, and pointers to null date-times.
inline int callWithQso(QsoExport exported, const HostQso& q) {
    COleDateTime time = q.time, none4, none5, none6;
    return exported(q.myCall, q.call, &time, &none4, &none5, &none6, 0, q.freqHz, q.mode, q.rstSent, q.rstRcvd,
                    q.exchSent, q.exchRcvd, "", "", "", "", "", "", "", "", "", q.prefix, 0, 0, 0, 0.0, 0.0, "",
                    q.hostText, "", q.band, "");
}

} // namespace host_call
