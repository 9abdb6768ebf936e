// The date arithmetic here is hostsim's own, written apart from the plug-in's (platform/date_time.cpp) on purpose:
// hostsim hands the plug-in date-times as the host does, and an error in either shows as a difference, never twice.
#include "ole_time.h"

#include <cmath>
#include <cstdio>

#include "text_util.h"

namespace {

int number(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

// Hinnant's days-from-civil and its inverse; exact for every Gregorian date.
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

const long long kEpoch = daysFromCivil(1899, 12, 30);

} // namespace

bool makeTime(int year, int month, int day, int hour, int minute, int second, COleDateTime& out) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || hour < 0 || hour > 23 || minute < 0 ||
        minute > 59 || second < 0 || second > 59)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day < 1 || day > lengths[month - 1] + (month == 2 && leap)) return false;
    const double days = static_cast<double>(daysFromCivil(year, month, day) - kEpoch) +
                        (hour * 3600 + minute * 60 + second) / 86400.0;
    out = COleDateTime(days, COleDateTime::valid);
    return true;
}

bool parseDateTime(std::string_view date, std::string_view time, COleDateTime& out, std::string& why) {
    std::string_view y, mo, d;
    if (date.size() == 8 && allDigits(date)) {
        y = date.substr(0, 4), mo = date.substr(4, 2), d = date.substr(6, 2);
    } else if (date.size() == 10 && date[4] == '-' && date[7] == '-' && allDigits(date.substr(0, 4)) &&
               allDigits(date.substr(5, 2)) && allDigits(date.substr(8, 2))) {
        y = date.substr(0, 4), mo = date.substr(5, 2), d = date.substr(8, 2);
    } else {
        why = "date \"" + shown(date) + "\" is neither YYYYMMDD nor YYYY-MM-DD";
        return false;
    }
    if ((time.size() != 4 && time.size() != 6) || !allDigits(time)) {
        why = "time \"" + shown(time) + "\" is neither HHMM nor HHMMSS";
        return false;
    }
    const int second = time.size() == 6 ? number(time.substr(4, 2)) : 0;
    if (!makeTime(number(y), number(mo), number(d), number(time.substr(0, 2)), number(time.substr(2, 2)), second,
                  out)) {
        why = "no such date and time: " + std::string(date) + " " + std::string(time);
        return false;
    }
    return true;
}

CivilTime civilOf(const COleDateTime& t) {
    // Whole seconds, rounded: the values come from makeTime, whose fractions are exact to far below a second.
    const long long total = std::llround(t.m_dt * 86400.0);
    long long days = total / 86400, rest = total % 86400;
    if (rest < 0) rest += 86400, --days;
    CivilTime c{};
    civilFromDays(days + kEpoch, c.year, c.month, c.day);
    c.hour = static_cast<int>(rest / 3600);
    c.minute = static_cast<int>(rest / 60 % 60);
    c.second = static_cast<int>(rest % 60);
    c.weekday = static_cast<int>(((days + kEpoch) % 7 + 7 + 4) % 7);  // 1970-01-01 was a Thursday
    return c;
}

std::string formatTime(const COleDateTime& t) {
    const CivilTime c = civilOf(t);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d%02d", c.year, c.month, c.day, c.hour, c.minute);
    return text;
}
