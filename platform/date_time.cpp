#include "platform/date_time.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr double kHalfSecondDays = 5.787037037037037e-6;
constexpr int64_t kFirstDay = -657434;  // 0100-01-01, the first day the host can show
constexpr int64_t kLastDay = 2958465;   // 9999-12-31, the last one

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil-days algorithm).
constexpr int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

constexpr int64_t kOleEpoch = daysFromCivil(1899, 12, 30);

struct CivilDate {
    int64_t year;
    int month;
    int day;
};

constexpr CivilDate civilFromDays(int64_t days) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {yearOfEra + era * 400 + (month <= 2), month, day};
}

static_assert(civilFromDays(kOleEpoch + kFirstDay).year == 100);
static_assert(civilFromDays(kOleEpoch + kLastDay).day == 31);

// The host's threads run the x87 unit at 53-bit precision (an MSVC program's setting), a MinGW program's threads
// at 64 bits, and anyone may have asked for 24: on i686 each x87 result is rounded to the precision the caller
// left, not to a double. oleaut32 and the host's date type compute in doubles, and our day splitting and whole
// minutes must agree with them to the last bit (a second or a minute off at the edges otherwise). So that
// arithmetic runs at 53-bit precision whatever the caller left, and the caller gets its own setting back. SSE
// arithmetic (x86-64) rounds to doubles anyway.
#if defined(__i386__) && !defined(__SSE2_MATH__)
class DoubleRounding {
public:
    DoubleRounding() {
        asm volatile("fnstcw %0" : "=m"(m_caller));
        const unsigned short doubles = static_cast<unsigned short>((m_caller & ~0x300u) | 0x200u);
        if (doubles != m_caller) asm volatile("fldcw %0" : : "m"(doubles) : "memory");
    }
    ~DoubleRounding() {
        unsigned short now;
        asm volatile("fnstcw %0" : "=m"(now));
        if (now != m_caller) asm volatile("fldcw %0" : : "m"(m_caller) : "memory");
    }
    DoubleRounding(const DoubleRounding&) = delete;
    DoubleRounding& operator=(const DoubleRounding&) = delete;

    // The switches order only memory accesses: the inputs are taken from memory after the first one and the
    // results put there before the second, so that no arithmetic between them moves out.
    template <class T>
    static void pin(T& value) {
        asm volatile("" : "+m"(value));
    }

private:
    unsigned short m_caller;
};
#else
class DoubleRounding {
public:
    DoubleRounding() {} // a user-provided constructor: no warning for the guard objects
    template <class T>
    static void pin(T&) {}
};
#endif

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// OLE stores negative values as "whole days back, then the fraction forward": -1.25 is a day back plus 6 hours.
// The linear axis is plain elapsed time, where that value is -0.75.
double linearFromOle(double dt) {
    if (dt >= 0) return dt;
    const double wholeDays = std::trunc(dt);
    return wholeDays + (wholeDays - dt);
}

struct DayAndSecond {
    int64_t day;     // calendar day, counted from 1899-12-30
    int64_t second;  // of the day, 0..86399
};

// The host's type breaks a value down as oleaut32's VarUdateFromDate does, step for step in doubles, so that the
// rounding to the second agrees with it to the last bit: the day is the whole part taken towards zero, the time
// of day the distance from it (OLE negatives count the fraction forwards), nudged up by 1e-11 against
// truncation, cut into hours, minutes and seconds; a remainder above half a second rounds up, carrying into the
// next calendar day (0100-01-01 up to 10000-01-01). False for values outside the days the host can show, and for
// NaN, which is no date at all.
bool splitRounded(double dt, DayAndSecond& out) {
    const DoubleRounding rounding;
    DoubleRounding::pin(dt);
    if (!(dt > static_cast<double>(kFirstDay - 1) && dt < static_cast<double>(kLastDay + 1))) return false;
    const double datePart = dt < 0.0 ? std::ceil(dt) : std::floor(dt);
    double timePart = std::fabs(dt - datePart) + 0.00000000001;
    if (timePart >= 1.0) timePart -= 0.00000000001;
    timePart *= 24.0;
    const int hour = static_cast<int>(timePart);
    timePart -= hour;
    timePart *= 60.0;
    const int minute = static_cast<int>(timePart);
    timePart -= minute;
    timePart *= 60.0;
    const int second = static_cast<int>(timePart);
    timePart -= second;
    int64_t day = static_cast<int64_t>(datePart);
    int64_t ofDay = hour * 3600 + minute * 60 + second;
    if (timePart > 0.5 && ++ofDay == kSecondsPerDay) {
        ofDay = 0;
        ++day;
    }
    out = {day, ofDay};
    DoubleRounding::pin(out);
    return true;
}

void appendNumber(std::string& out, int64_t value, int minDigits) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", minDigits, static_cast<long long>(value));
    out += buffer;
}

} // namespace

COleDateTime COleDateTime::fromParts(int year, int month, int day, int hour, int minute, int second) {
    const bool possible = year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
                          day <= daysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 &&
                          minute <= 59 && second >= 0 && second <= 59;
    if (!possible) return COleDateTime(0.0, invalid);
    const DoubleRounding rounding;
    const int64_t days = daysFromCivil(year, month, day) - kOleEpoch;
    const double fraction = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
    const double whole = static_cast<double>(days);
    COleDateTime value(days >= 0 ? whole + fraction : whole - fraction, valid);
    DoubleRounding::pin(value.m_dt);
    return value;
}

COleDateTime::DateTimeStatus COleDateTime::GetStatus() const { return static_cast<DateTimeStatus>(m_status); }

std::string COleDateTime::Format(const char* pattern) const {
    if (m_status == null) return {};
    DayAndSecond parts{};
    if (m_status != valid || !splitRounded(m_dt, parts)) return "Invalid DateTime";
    if (pattern == nullptr) return {};

    const CivilDate date = civilFromDays(parts.day + kOleEpoch);
    std::string out;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        switch (*++p) {
        case 'd': appendNumber(out, date.day, 2); break;
        case 'm': appendNumber(out, date.month, 2); break;
        case 'Y': appendNumber(out, date.year, 1); break;
        case 'y': appendNumber(out, date.year % 100, 2); break;
        case 'H': appendNumber(out, parts.second / 3600, 2); break;
        case 'M': appendNumber(out, parts.second / 60 % 60, 2); break;
        case 'S': appendNumber(out, parts.second % 60, 2); break;
        case '%': out += '%'; break;
        default:
            out += '%';
            out += *p;
            break;
        }
    }
    return out;
}

bool COleDateTime::operator==(const COleDateTime& other) const {
    if (m_status != other.m_status) return false;
    return m_status == null || m_dt == other.m_dt;
}

bool wholeMinutesBetween(const COleDateTime& from, const COleDateTime& to, long long& minutes) {
    // A value outside the days the host can show (NaN and the infinities included) is no time to count from.
    DayAndSecond unused{};
    if (from.GetStatus() != COleDateTime::valid || to.GetStatus() != COleDateTime::valid) return false;
    if (!splitRounded(from.m_dt, unused) || !splitRounded(to.m_dt, unused)) return false;
    const DoubleRounding rounding;
    double a = from.m_dt, b = to.m_dt;
    DoubleRounding::pin(a);
    DoubleRounding::pin(b);
    double days = linearFromOle(b) - linearFromOle(a);
    days += days >= 0 ? kHalfSecondDays : -kHalfSecondDays;
    long long whole = static_cast<long long>(days * 1440.0);
    DoubleRounding::pin(whole);
    minutes = whole;
    return true;
}
