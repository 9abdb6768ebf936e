// A date-time value with the host's in-memory layout (the host hands us pointers to it).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class COleDateTime {
public:
    enum DateTimeStatus : int32_t { valid = 0, invalid = 1, null = 2 };

    double m_dt = 0.0;              // days since 1899-12-30 00:00 (OLE convention for negatives)
    int32_t m_status = null;

    COleDateTime() = default;
    COleDateTime(double days, int32_t status) : m_dt(days), m_status(status) {}
    // A valid value from calendar fields; an impossible date gives an invalid value.
    static COleDateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

    DateTimeStatus GetStatus() const;
    // strftime-style: %d %m %Y %y %H %M %S %%; other characters are copied.
    // Null formats as "", invalid or out of range as "Invalid DateTime".
    std::string Format(const char* pattern) const;

    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
};

static_assert(sizeof(COleDateTime) == 16, "host layout: double, then 32-bit status, 16 bytes");
static_assert(offsetof(COleDateTime, m_status) == 8, "host layout: status at offset 8");

// The whole minutes from `from` to `to` as the host counts them: the difference in days on the linear time axis,
// plus half a second away from zero, times 1440, truncated toward zero; the same at any x87 precision the caller
// left. False when either value is not valid or not a day the host can show.
bool wholeMinutesBetween(const COleDateTime& from, const COleDateTime& to, long long& minutes);
