#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kSecond = 1.0 / 86400;
const char* const kFull = "%Y-%m-%d %H:%M:%S";

std::string formatValid(double days, const char* pattern = kFull) {
    return COleDateTime(days, COleDateTime::valid).Format(pattern);
}

} // namespace

TEST(DateTimeFormat, KnownDates) {
    EXPECT_EQ(formatValid(42742, "%d.%m"), "07.01");
    EXPECT_EQ(formatValid(42742 + 0.5625, "%Y-%m-%d %H%M"), "2017-01-07 1330");
    EXPECT_EQ(formatValid(0), "1899-12-30 00:00:00");
    EXPECT_EQ(formatValid(2), "1900-01-01 00:00:00");
    // No 1900-02-29: the OLE calendar is proleptic Gregorian.
    EXPECT_EQ(formatValid(60), "1900-02-28 00:00:00");
    EXPECT_EQ(formatValid(61), "1900-03-01 00:00:00");
    EXPECT_EQ(formatValid(36585), "2000-02-29 00:00:00");
    EXPECT_EQ(formatValid(36586), "2000-03-01 00:00:00");
}

TEST(DateTimeFormat, EveryFieldAndLiteral) {
    const COleDateTime value = COleDateTime::fromParts(2005, 3, 9, 4, 5, 6);
    EXPECT_EQ(value.Format("%Y|%y|%m|%d|%H|%M|%S|%%|%q|a b"), "2005|05|03|09|04|05|06|%|%q|a b");
    EXPECT_EQ(value.Format("100%"), "100%");
    EXPECT_EQ(value.Format(""), "");
}

TEST(DateTimeFormat, YearIsPlainDecimal) {
    EXPECT_EQ(formatValid(-657434, "%Y %y"), "100 00");
    EXPECT_EQ(COleDateTime::fromParts(987, 6, 5).Format("%Y-%m-%d %y"), "987-06-05 87");
}

TEST(DateTimeFormat, RoundsToNearestSecondHalvesUp) {
    // 1/256 day is exactly 337.5 s.
    EXPECT_EQ(formatValid(1.0 / 256), "1899-12-30 00:05:38");
    EXPECT_EQ(formatValid(1.0 / 256 - 0.001 * kSecond), "1899-12-30 00:05:37");
    EXPECT_EQ(formatValid(42742 + 3 * kSecond + 0.49 * kSecond), "2017-01-07 00:00:03");
    EXPECT_EQ(formatValid(42742 + 3 * kSecond + 0.51 * kSecond), "2017-01-07 00:00:04");
}

TEST(DateTimeFormat, RoundingRollsOverMidnight) {
    EXPECT_EQ(formatValid(42742 + 86399.4 * kSecond), "2017-01-07 23:59:59");
    EXPECT_EQ(formatValid(42742 + 86399.6 * kSecond), "2017-01-08 00:00:00");
    EXPECT_EQ(formatValid(36525 + 86399.7 * kSecond), "2000-01-01 00:00:00");
}

TEST(DateTimeFormat, NegativeDaysCountBackButTimeForward) {
    EXPECT_EQ(formatValid(-1.25), "1899-12-29 06:00:00");
    EXPECT_EQ(formatValid(-1.75), "1899-12-29 18:00:00");
    EXPECT_EQ(formatValid(-0.5), "1899-12-30 12:00:00");
    EXPECT_EQ(formatValid(-365.5), "1898-12-30 12:00:00");
    // The half second rounds forward in time, not towards zero.
    EXPECT_EQ(formatValid(-1 - 1.0 / 256), "1899-12-29 00:05:38");
    EXPECT_EQ(formatValid(-1 - (1.0 / 256 - 0.001 * kSecond)), "1899-12-29 00:05:37");
    // Late on a negative day rolls into the following day, which may be day 0.
    EXPECT_EQ(formatValid(-1 - 86399.6 * kSecond), "1899-12-30 00:00:00");
    EXPECT_EQ(formatValid(-2 - 86399.6 * kSecond), "1899-12-29 00:00:00");
    EXPECT_EQ(formatValid(-2 - 86399.4 * kSecond), "1899-12-28 23:59:59");
}

TEST(DateTimeFormat, NullIsEmptyAndInvalidIsSaidSo) {
    EXPECT_EQ(COleDateTime().Format(kFull), "");
    EXPECT_EQ(COleDateTime(42742, COleDateTime::null).Format(kFull), "");
    EXPECT_EQ(COleDateTime(std::nan(""), COleDateTime::null).Format(kFull), "");
    EXPECT_EQ(COleDateTime(42742, COleDateTime::invalid).Format(kFull), "Invalid DateTime");
    EXPECT_EQ(COleDateTime(42742, 7).Format(kFull), "Invalid DateTime");
}

TEST(DateTimeFormat, OnlyYears100To9999) {
    EXPECT_EQ(formatValid(-657434), "100-01-01 00:00:00");
    EXPECT_EQ(formatValid(-657434.5), "100-01-01 12:00:00");
    EXPECT_EQ(formatValid(-657435), "Invalid DateTime");
    // The range is taken on the value, before rounding: the last half second of 9999 rounds into the year 10000,
    // as oleaut32 shows it, and nothing before 0100-01-01 comes back into range.
    EXPECT_EQ(formatValid(-657435 - 86399.6 * kSecond), "Invalid DateTime");
    EXPECT_EQ(formatValid(-657434 - 86399.6 * kSecond), "100-01-02 00:00:00");
    EXPECT_EQ(formatValid(2958465 + 86399 * kSecond), "9999-12-31 23:59:59");
    EXPECT_EQ(formatValid(2958465 + 86399.6 * kSecond), "10000-01-01 00:00:00");
    EXPECT_EQ(formatValid(2958466), "Invalid DateTime");
    EXPECT_EQ(formatValid(1e300), "Invalid DateTime");
    EXPECT_EQ(formatValid(-1e300), "Invalid DateTime");
    EXPECT_EQ(formatValid(std::nan("")), "Invalid DateTime");
    EXPECT_EQ(formatValid(std::numeric_limits<double>::infinity()), "Invalid DateTime");
    EXPECT_EQ(formatValid(-std::numeric_limits<double>::infinity()), "Invalid DateTime");
}

TEST(DateTimeParts, BuildsOleDayCounts) {
    const COleDateTime known = COleDateTime::fromParts(2017, 1, 7);
    EXPECT_EQ(known.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(known.m_dt, 42742.0);
    EXPECT_EQ(COleDateTime::fromParts(2017, 1, 7, 13, 30).m_dt, 42742.5625);
    EXPECT_EQ(COleDateTime::fromParts(1899, 12, 30).m_dt, 0.0);
    EXPECT_EQ(COleDateTime::fromParts(1899, 12, 29, 6).m_dt, -1.25);
    EXPECT_EQ(COleDateTime::fromParts(1899, 12, 29, 18).m_dt, -1.75);
    EXPECT_EQ(COleDateTime::fromParts(100, 1, 1).m_dt, -657434.0);
    EXPECT_EQ(COleDateTime::fromParts(9999, 12, 31).m_dt, 2958465.0);
}

TEST(DateTimeParts, FormatsBackToTheSameFields) {
    EXPECT_EQ(COleDateTime::fromParts(2024, 2, 29, 23, 59, 59).Format(kFull), "2024-02-29 23:59:59");
    EXPECT_EQ(COleDateTime::fromParts(1850, 7, 14, 1, 2, 3).Format(kFull), "1850-07-14 01:02:03");
    EXPECT_EQ(COleDateTime::fromParts(9999, 12, 31, 23, 59, 59).Format(kFull), "9999-12-31 23:59:59");
    EXPECT_EQ(COleDateTime::fromParts(100, 1, 1, 0, 0, 1).Format(kFull), "100-01-01 00:00:01");
}

TEST(DateTimeParts, ImpossibleFieldsGiveInvalid) {
    struct Fields {
        int year, month, day, hour, minute, second;
    };
    const Fields impossible[] = {
        {2017, 13, 1, 0, 0, 0}, {2017, 0, 1, 0, 0, 0},  {2017, 4, 31, 0, 0, 0}, {2017, 1, 0, 0, 0, 0},
        {1900, 2, 29, 0, 0, 0}, {2023, 2, 29, 0, 0, 0}, {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0},
        {2017, 1, 7, 24, 0, 0}, {2017, 1, 7, 0, 60, 0}, {2017, 1, 7, 0, 0, 60}, {2017, 1, 7, -1, 0, 0},
        {2017, 1, 7, 0, 0, -1},
    };
    for (const Fields& f : impossible) {
        const COleDateTime value = COleDateTime::fromParts(f.year, f.month, f.day, f.hour, f.minute, f.second);
        EXPECT_EQ(value.GetStatus(), COleDateTime::invalid)
            << f.year << "-" << f.month << "-" << f.day << " " << f.hour << ":" << f.minute << ":" << f.second;
    }
    EXPECT_EQ(COleDateTime::fromParts(2000, 2, 29).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime::fromParts(2004, 2, 29).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime::fromParts(2017, 4, 30).GetStatus(), COleDateTime::valid);
}

TEST(DateTimeEquality, StatusAndDayCount) {
    const COleDateTime valid(1.5, COleDateTime::valid);
    EXPECT_TRUE(valid == COleDateTime(1.5, COleDateTime::valid));
    EXPECT_FALSE(valid == COleDateTime(1.25, COleDateTime::valid));
    EXPECT_FALSE(valid == COleDateTime(1.5, COleDateTime::invalid));
    EXPECT_FALSE(valid == COleDateTime(1.5, COleDateTime::null));
    // Same instant, different stored day count.
    EXPECT_FALSE(COleDateTime(0.5, COleDateTime::valid) == COleDateTime(-0.5, COleDateTime::valid));

    EXPECT_TRUE(COleDateTime() == COleDateTime(12345, COleDateTime::null));
    EXPECT_TRUE(COleDateTime(std::nan(""), COleDateTime::null) == COleDateTime(3, COleDateTime::null));
    EXPECT_FALSE(COleDateTime(3, COleDateTime::null) == COleDateTime(3, COleDateTime::invalid));

    EXPECT_TRUE(COleDateTime(3, COleDateTime::invalid) == COleDateTime(3, COleDateTime::invalid));
    EXPECT_FALSE(COleDateTime(3, COleDateTime::invalid) == COleDateTime(4, COleDateTime::invalid));

    EXPECT_TRUE(valid != COleDateTime(1.25, COleDateTime::valid));
    EXPECT_FALSE(COleDateTime() != COleDateTime(7, COleDateTime::null));
}

TEST(DateTimeWholeMinutes, LinearTimeRoundedByHalfASecondAwayFromZero) {
    const COleDateTime noon = COleDateTime::fromParts(2017, 1, 7, 12);
    const double second = 1.0 / 86400;
    const auto minutes = [&](double fromDays, double toDays) {
        long long m = 12345;
        EXPECT_TRUE(wholeMinutesBetween(COleDateTime(fromDays, COleDateTime::valid),
                                        COleDateTime(toDays, COleDateTime::valid), m));
        return m;
    };
    EXPECT_EQ(2160, minutes(COleDateTime::fromParts(2017, 1, 6).m_dt, noon.m_dt));
    EXPECT_EQ(-2160, minutes(noon.m_dt, COleDateTime::fromParts(2017, 1, 6).m_dt));
    // 1899-12-30 06:00 less 1899-12-29 18:00: twelve hours, whatever the stored day counts are.
    EXPECT_EQ(720, minutes(-1.75, 0.25));
    EXPECT_EQ(-720, minutes(-1.75, -1.25));
    // An hour before, and 59:59.6 before (the half second makes it an hour), count 60; 59:59.4 before counts 59.
    EXPECT_EQ(60, minutes(noon.m_dt - 3600 * second, noon.m_dt));
    EXPECT_EQ(60, minutes(noon.m_dt - 3599.6 * second, noon.m_dt));
    EXPECT_EQ(59, minutes(noon.m_dt - 3599.4 * second, noon.m_dt));
    EXPECT_EQ(-60, minutes(noon.m_dt, noon.m_dt - 3599.6 * second));
    EXPECT_EQ(0, minutes(noon.m_dt, noon.m_dt));
}

TEST(DateTimeWholeMinutes, NeedsTwoValuesTheHostCanShow) {
    const COleDateTime valid(42742, COleDateTime::valid);
    long long minutes = 99;
    EXPECT_FALSE(wholeMinutesBetween(valid, COleDateTime(), minutes));
    EXPECT_FALSE(wholeMinutesBetween(COleDateTime(42742, COleDateTime::invalid), valid, minutes));
    EXPECT_FALSE(wholeMinutesBetween(COleDateTime(), COleDateTime(), minutes));
    EXPECT_FALSE(wholeMinutesBetween(valid, COleDateTime(2958466, COleDateTime::valid), minutes));
    EXPECT_EQ(99, minutes);
}
