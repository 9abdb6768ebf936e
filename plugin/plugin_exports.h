/* The plug-in's contract with its host: eleven functions, cdecl, 8-bit texts, date-times by pointer.
   Every text a function reads may be null (read as empty); a null date-time pointer reads as a null date. */
#ifndef VUVO_PLUGIN_EXPORTS_H
#define VUVO_PLUGIN_EXPORTS_H

#ifdef __cplusplus
#include "platform/date_time.h"
extern "C" {
#else
#include <stdint.h>
typedef struct COleDateTime { double m_dt; int32_t m_status; } COleDateTime; /* 0 valid, 1 invalid, 2 null */
#endif

#if defined(_WIN32)
#define VUVO_API __cdecl
#else
#define VUVO_API
#endif
#if defined(VUVO_BUILDING_PLUGIN) && !defined(_WIN32)
#define VUVO_EXPORT __attribute__((visibility("default")))
#else
#define VUVO_EXPORT
#endif

/* 1: the one contest set. */
VUVO_EXPORT int VUVO_API GetNumberOfSets(void);
/* "VU-VO Contest (C)" for set 0, "" for any other. */
VUVO_EXPORT const char* VUVO_API GetSetName(int set);
/* Tells the operator that the set has no setup of its own. */
VUVO_EXPORT void VUVO_API SetupSet0(void);
/* From now on results are HTML. Returns 0. */
VUVO_EXPORT unsigned long VUVO_API setVersion(const char* version);
/* Starts a statistics pass. Returns 1. */
VUVO_EXPORT int VUVO_API ResetStats0(const char* hostDir, int exportPass, const char* ownCall,
    COleDateTime* contestStart, COleDateTime* contestEnd,
    const char* t6, const char* t7, const char* t8, const char* t9, const char* t10,
    const char* t11, const char* t12, const char* t13, const char* t14, const char* ownPrefix,
    int i16, int i17, int i18, double d19, double d20, const char* t21, const char* t22, const char* t23);
/* One QSO into the log: 1 stored, 0 rejected. */
VUVO_EXPORT int VUVO_API AddData0(const char* myCall, const char* call,
    COleDateTime* time, COleDateTime* dt4, COleDateTime* dt5, COleDateTime* dt6,
    unsigned u7, unsigned freqHz, const char* mode, const char* rstSent, const char* rstRcvd,
    const char* exchSent, const char* exchRcvd, const char* t14, const char* t15, const char* t16,
    const char* t17, const char* t18, const char* t19, const char* t20, const char* t21, const char* t22,
    const char* prefix, int i24, int i25, int i26, double d27, double d28,
    const char* t29, const char* hostText, const char* t31, const char* band, const char* t33);
/* The QSO out of the log again (matched on call, time, mode and band). Returns 1. */
VUVO_EXPORT int VUVO_API RemoveData0(const char* myCall, const char* call,
    COleDateTime* time, COleDateTime* dt4, COleDateTime* dt5, COleDateTime* dt6,
    unsigned u7, unsigned freqHz, const char* mode, const char* rstSent, const char* rstRcvd,
    const char* exchSent, const char* exchRcvd, const char* t14, const char* t15, const char* t16,
    const char* t17, const char* t18, const char* t19, const char* t20, const char* t21, const char* t22,
    const char* prefix, int i24, int i25, int i26, double d27, double d28,
    const char* t29, const char* hostText, const char* t31, const char* band, const char* t33);
/* 0 dupe, 1 repeat multiplier (older host: also cannot count), 2 workable, 4 cannot count. */
VUVO_EXPORT int VUVO_API CheckCall0(const char* call, unsigned u2, unsigned u3, const char* mode,
    const char* t5, const char* t6, const char* t7, const char* t8, const char* t9, const char* t10,
    const char* t11, const char* t12, const char* t13, const char* prefix, int zone, int i16, int i17,
    double d18, double d19, const char* t20, const char* t21, const char* t22, const char* t23,
    const char* t24, const char* band, const char* otherBand, char* out27, char* out28);
/* 1 when the typed exchange is a county code "01".."50", else 0. */
VUVO_EXPORT int VUVO_API IsValidExchg0(const char* exchange, const char* t2, const char* t3, const char* t4,
    int i5, int i6, int i7);
/* 1: the contest has one exchange field. */
VUVO_EXPORT int VUVO_API GetExchgCount0(const char* t1, const char* t2, const char* t3);
/* The result text; stays valid until the next call. Stores -1 through status after an export. */
VUVO_EXPORT const char* VUVO_API GetResult0(int* status);

#ifdef __cplusplus
}
#endif
#endif
