// Date-times as the host passes them: days since 1899-12-30 and a status (COleDateTime's layout).
#pragma once
#include <string>
#include <string_view>

#include "platform/date_time.h"

// A valid value for a UTC date and time, years 1900 to 9999; false for an impossible one.
bool makeTime(int year, int month, int day, int hour, int minute, int second, COleDateTime& out);

// "YYYYMMDD" (ADIF) or "YYYY-MM-DD" (Cabrillo) and "HHMM" or "HHMMSS"; false, with why, when either is malformed.
bool parseDateTime(std::string_view date, std::string_view time, COleDateTime& out, std::string& why);

// The calendar fields of a valid value, to the second.
struct CivilTime {
    int year, month, day, hour, minute, second;
    int weekday;  // 0 Sunday .. 6 Saturday
};
CivilTime civilOf(const COleDateTime& t);

// "YYYY-MM-DD HHMM".
std::string formatTime(const COleDateTime& t);
