// Our date formatting against oleaut32's VariantTimeToSystemTime over a sweep of day counts, and our whole minutes
// against the same sum in doubles. The references are computed at the host's x87 precision (53 bits), ours at
// every precision a caller may leave: the answers must not differ.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "caller_precision.h"
#include "platform/date_time.h"

namespace {

std::string viaOleaut32(double days) {
    SYSTEMTIME st;
    if (!VariantTimeToSystemTime(days, &st)) return "Invalid DateTime";
    char text[64];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", st.wYear, st.wMonth, st.wDay, st.wHour,
                  st.wMinute, st.wSecond);
    return text;
}

std::string ours(double days) { return COleDateTime(days, COleDateTime::valid).Format("%Y-%m-%d %H:%M:%S"); }

// Every disagreement at any precision, the first few spelled out.
void expectSameOnAll(const std::vector<double>& values) {
    std::vector<std::string> wanted;
    for (const double days : values) wanted.push_back(viaOleaut32(days));
    std::ostringstream report;
    report.precision(17);
    int differences = 0;
    for (const Precision& precision : callerPrecisions()) {
        std::vector<std::string> got;
        {
            CallerPrecision caller(precision);
            for (const double days : values) got.push_back(ours(days));
        }
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (wanted[i] == got[i]) continue;
            if (++differences <= 20)
                report << precision.name << " " << values[i] << ": oleaut32 " << wanted[i] << ", ours " << got[i]
                       << "\n";
        }
    }
    EXPECT_EQ(0, differences) << "of " << values.size() << " values at each precision:\n" << report.str();
}

constexpr double kSecond = 1.0 / 86400;
constexpr double kFirstDay = -657434;  // 0100-01-01
constexpr double kLastDay = 2958465;   // 9999-12-31

std::vector<double> aroundSeconds(double day) {
    std::vector<double> values;
    const int seconds[] = {0, 1, 29, 30, 59, 60, 61, 119, 3599, 3600, 43200, 86340, 86399};
    const double nudges[] = {0, 1e-12, -1e-12, 1e-9, -1e-9, 1e-7, -1e-7, 0.25 * kSecond, -0.25 * kSecond,
                             0.4999 * kSecond, 0.5 * kSecond, -0.5 * kSecond, 0.5001 * kSecond, -0.5001 * kSecond,
                             0.9999 * kSecond};
    for (const int second : seconds) {
        for (const double nudge : nudges) {
            const double fraction = second * kSecond + nudge;
            // OLE negatives: the fraction counts forward from the whole (negative) day.
            values.push_back(day < 0 ? day - fraction : day + fraction);
            if (day == 0) values.push_back(-fraction);
        }
    }
    return values;
}

} // namespace

TEST(DateTimeDifferential, SampleValuesAsOleaut32ShowsThem) {
    // Pins oleaut32 itself, so that the sweeps below compare against something known.
    EXPECT_EQ("1899-12-30 00:00:00", viaOleaut32(0.0));
    EXPECT_EQ("1899-12-29 06:00:00", viaOleaut32(-1.25));
    EXPECT_EQ("2026-04-11 12:00:00", viaOleaut32(46123.5));
    EXPECT_EQ("Invalid DateTime", viaOleaut32(kLastDay + 1));
}

TEST(DateTimeDifferential, EveryNinetySeventhDayAtMidnightAndNoon) {
    std::vector<double> values;
    for (double day = kFirstDay - 3; day <= kLastDay + 3; day += 97) {
        values.push_back(day);
        values.push_back(day < 0 ? day - 0.5 : day + 0.5);
    }
    for (double day = -3; day <= 3; ++day) values.push_back(day);
    expectSameOnAll(values);
}

TEST(DateTimeDifferential, FractionsNearWholeSecondsAndMinutes) {
    std::vector<double> values;
    for (const double day : {0.0, 1.0, -1.0, -2.0, 36526.0, 46123.0, -36522.0, kFirstDay, kLastDay, kFirstDay + 1,
                             kLastDay - 1}) {
        const std::vector<double> some = aroundSeconds(day);
        values.insert(values.end(), some.begin(), some.end());
    }
    expectSameOnAll(values);
}

TEST(DateTimeDifferential, EdgesOfTheRangeAndMidnightRollover) {
    std::vector<double> values;
    for (const double edge : {kFirstDay - 1, kFirstDay, kLastDay, kLastDay + 1}) {
        for (const double nudge : {0.0, 1e-9, -1e-9, 0.5 * kSecond, -0.5 * kSecond, 0.49 * kSecond,
                                   -0.49 * kSecond, 0.51 * kSecond, -0.51 * kSecond, 0.999999, -0.999999, 0.5, -0.5}) {
            values.push_back(edge + nudge);
        }
    }
    values.push_back(1.0 - 0.4 * kSecond);
    values.push_back(1.0 - 0.6 * kSecond);
    values.push_back(-1.0 + 0.4 * kSecond);
    values.push_back(-1.0 + 0.6 * kSecond);
    values.push_back(-0.6 * kSecond);
    values.push_back(-0.4 * kSecond);
    expectSameOnAll(values);
}

TEST(DateTimeDifferential, PseudoRandomValuesAcrossTheRange) {
    std::vector<double> values;
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 100000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        values.push_back(kFirstDay - 2 + unit * (kLastDay - kFirstDay + 4));
    }
    expectSameOnAll(values);
}

TEST(DateTimeDifferential, ValuesThatAreNoDate) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {inf, -inf, 1e300, -1e300, 3e6, -7e5, kLastDay + 1, kFirstDay - 1};
    for (const double days : values) {
        EXPECT_EQ("Invalid DateTime", viaOleaut32(days)) << days;
        EXPECT_EQ("Invalid DateTime", ours(days)) << days;
    }
    // oleaut32's range test lets NaN through and shows it as day 0; a NaN is no date, and we say so.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ("1899-12-30 00:00:00", viaOleaut32(nan));
    EXPECT_EQ("Invalid DateTime", ours(nan));
}

TEST(WholeMinutesDifferential, EdgesOfTheMinuteAtEveryPrecision) {
    // The host's sum, in doubles: the linear difference, half a second away from zero, times 1440, truncated.
    const auto linear = [](double dt) { return dt >= 0 ? dt : std::trunc(dt) + (std::trunc(dt) - dt); };
    const auto hosts = [&](double from, double to) {
        double days = linear(to) - linear(from);
        days += days >= 0 ? 5.787037037037037e-6 : -5.787037037037037e-6;
        return static_cast<long long>(days * 1440.0);
    };
    std::vector<std::pair<double, double>> pairs;
    std::uint64_t state = 0x2545F4914F6CDD1Dull;
    for (const double base : {46123.5, 46123.0, 36526.25, 1.5, -1.25, -36522.75, 2958464.0}) {
        for (int minute = -61; minute <= 61; ++minute) {
            for (const double nudge : {-0.5000001, -0.5, -0.4999999, 0.0, 0.4999999, 0.5, 0.5000001}) {
                pairs.emplace_back(base, base + (minute * 60 + nudge) * kSecond);
                state = state * 6364136223846793005ull + 1442695040888963407ull;
                const double jitter = static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
                pairs.emplace_back(base + jitter * kSecond, base + (minute * 60 + nudge + jitter) * kSecond);
            }
        }
    }
    std::vector<long long> wanted;
    for (const auto& [from, to] : pairs) wanted.push_back(hosts(from, to));
    std::ostringstream report;
    report.precision(17);
    int differences = 0;
    for (const Precision& precision : callerPrecisions()) {
        std::vector<long long> got;
        {
            CallerPrecision caller(precision);
            for (const auto& [from, to] : pairs) {
                long long minutes = -999999;
                wholeMinutesBetween(COleDateTime(from, COleDateTime::valid), COleDateTime(to, COleDateTime::valid),
                                    minutes);
                got.push_back(minutes);
            }
        }
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (wanted[i] == got[i]) continue;
            if (++differences <= 20)
                report << precision.name << " " << pairs[i].first << " to " << pairs[i].second << ": host "
                       << wanted[i] << ", ours " << got[i] << "\n";
        }
    }
    EXPECT_EQ(0, differences) << "of " << pairs.size() << " pairs at each precision:\n" << report.str();
}
