// The report's figures against the plug-in's own: the hours add up to the result's table, the last hour's score is
// the result's, each band's first-worked multipliers are its multipliers, for random logs of either side; and the
// parts that lay them out (the hours, the rates, the breaks, the problems) with whole outputs.
#include <random>

#include "engine/contest_state.h"
#include "plugin/plugin_state.h"
#include "support/host.h"
#include "tools/report/report_csv.h"
#include "tools/report/report_model.h"

namespace {

using test::at;

LogQso logQso(const test::Qso& q) {
    LogQso l;
    l.time = q.time;
    l.freqHz = q.freqHz;
    l.myCall = q.myCall;
    l.call = q.call;
    l.mode = q.mode;
    l.band = q.band;
    l.rstSent = q.rstSent;
    l.exchSent = q.exchSent;
    l.rstRcvd = q.rstRcvd;
    l.exchRcvd = q.exchRcvd;
    l.prefix = q.prefix;
    return l;
}

// A log as a contest makes them, and worse: dupes, bad exchanges, other bands and modes, QSOs on the hour.
struct RandomLog {
    test::Pass pass;
    std::vector<test::Qso> qsos;  // in time order
};

RandomLog randomLog(unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](auto const& list) { return list[random() % std::size(list)]; };
    RandomLog log;
    const bool ja = seed % 2 == 1;
    log.pass.ownCall = ja ? "JA1VUO" : "K1VU";
    log.pass.ownPrefix = ja ? "JA" : "K";
    const char* bands[] = {"160m", "80m", "40m", "20m", "15m", "10m", "10m", "20m", "30m"};
    const char* modes[] = {"CW", "CW", "CW", "CW", "SSB"};
    const char* japan[] = {"JA", "JA", "JA", "JD/o"};
    const char* world[] = {"K", "DL", "UA", "VK", "F", "I", "IT9", "BY"};
    const char* exchanges[] = {"13", "01", "47", "50", "07", "25", "99", "", "5", "32"};
    const std::size_t count = random() % 500;
    const double start = log.pass.start.m_dt, length = log.pass.end.m_dt - start;
    for (std::size_t i = 0; i < count; ++i) {
        test::Qso q;
        q.myCall = log.pass.ownCall;
        q.call = std::string(ja ? "W" : "JA") + std::to_string(random() % 9) + "A" + char('A' + random() % 8);
        // Whole minutes, a tenth of them on an hour's first minute.
        long long minute = static_cast<long long>(random() % static_cast<unsigned>(length * 1440));
        if (random() % 10 == 0) minute -= minute % 60;
        q.time = COleDateTime(start + minute / 1440.0, COleDateTime::valid);
        q.band = pick(bands);
        q.mode = pick(modes);
        q.prefix = random() % 12 == 0 ? (ja ? pick(japan) : pick(world)) : (ja ? pick(world) : pick(japan));
        q.exchRcvd = ja ? std::to_string(1 + random() % 40) : pick(exchanges);
        log.qsos.push_back(q);
    }
    std::stable_sort(log.qsos.begin(), log.qsos.end(),
                     [](const test::Qso& a, const test::Qso& b) { return secondsOf(a.time) < secondsOf(b.time); });
    return log;
}

Replay replayOf(const RandomLog& log) {
    std::vector<LogQso> qsos;
    for (const test::Qso& q : log.qsos) qsos.push_back(logQso(q));
    return replayByHour({"./", log.pass.ownCall, log.pass.ownPrefix, log.pass.start, log.pass.end}, qsos);
}

class ReportTest : public test::HostTest {};

TEST_F(ReportTest, HoursAddUpToTheResultOfThePluginForRandomLogs) {
    for (unsigned seed = 0; seed < 24; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const RandomLog log = randomLog(seed);
        const Replay replay = replayOf(log);
        const Report report = buildReport(replay, log.pass.ownCall);
        ASSERT_EQ(report.hours.size(), 30u);

        BandHour sum[kBandCount + 1] = {};
        int dupes = 0, bad = 0;
        for (const HourRow& h : report.hours) {
            for (int b = 0; b <= kBandCount; ++b) {
                const BandHour& part = b < kBandCount ? h.bands[b] : h.total;
                sum[b].qsos += part.qsos, sum[b].points += part.points;
                sum[b].newMults += part.newMults, sum[b].newDxcc += part.newDxcc;
            }
            dupes += h.dupes, bad += h.bad;
        }
        const ResultTally& result = report.result;
        for (int b = 0; b < kBandCount; ++b) {
            BandTally band;
            for (const BandTally& t : result.bands)
                if (t.index == b) band = t;
            EXPECT_EQ(sum[b].qsos, band.qsos) << jidx::kBands[b].name;
            EXPECT_EQ(sum[b].points, band.points) << jidx::kBands[b].name;
            EXPECT_EQ(sum[b].newMults, band.mults) << jidx::kBands[b].name;
            EXPECT_EQ(sum[b].newDxcc, band.dxcc) << jidx::kBands[b].name;
            int firstWorked = 0, firstDxcc = 0;
            for (const FirstWorked& f : report.mults) firstWorked += f.hour[b] >= 0;
            for (const FirstWorked& f : report.dxcc) firstDxcc += f.hour[b] >= 0;
            EXPECT_EQ(firstWorked, band.mults) << jidx::kBands[b].name;
            EXPECT_EQ(firstDxcc, band.dxcc) << jidx::kBands[b].name;
        }
        EXPECT_EQ(sum[kBandCount].qsos, result.total.qsos);
        EXPECT_EQ(sum[kBandCount].points, result.total.points);
        EXPECT_EQ(dupes, result.total.dupes);
        EXPECT_EQ(bad, result.badShown);
        EXPECT_EQ(report.hours.back().score, result.score);
        EXPECT_EQ(static_cast<int>(replay.counted.size()), result.total.qsos);
        // Each counted QSO in the hour it was made in: one on an hour's first minute starts that hour.
        int before = 0;
        for (const HourRow& h : report.hours) {
            before += h.total.qsos;
            const auto made = std::count_if(replay.counted.begin(), replay.counted.end(),
                                            [&](const COleDateTime& t) { return secondsOf(t) < secondsOf(h.to); });
            ASSERT_EQ(before, made) << hourLabel(h.from);
        }

        // The same QSOs through the exports, as the host hands them over: the very result the last hour holds.
        test::Pass pass = log.pass;
        test::reset(pass);
        for (const test::Qso& q : log.qsos) test::add(q);
        EXPECT_EQ(test::result(), renderText(result));
        resetPluginState();
    }
}

// A replay with nothing counted: the hours, the times of the QSOs handed over.
Replay quietReplay(const COleDateTime& start, const COleDateTime& end, std::vector<COleDateTime> handedOver,
                   std::vector<COleDateTime> counted = {}) {
    Replay r;
    COleDateTime from = start;
    for (const COleDateTime& to : hourEnds(start, end)) r.hours.push_back({from, to, {}}), from = to;
    r.handedOver = std::move(handedOver);
    r.counted = counted.empty() ? r.handedOver : std::move(counted);
    return r;
}

std::string shownHours(const std::vector<COleDateTime>& ends) {
    std::string s;
    for (const COleDateTime& t : ends) s += hourLabel(t) + "\n";
    return s;
}

TEST(ReportHours, AreTheClockHoursOfThePeriod) {
    EXPECT_EQ(shownHours(hourEnds(at(2026, 4, 11, 7, 0), at(2026, 4, 11, 10, 0))),
              "2026-04-11 08:00\n2026-04-11 09:00\n2026-04-11 10:00\n");
    // A period that starts or ends within an hour: its first and last rows are the part of the hour it holds.
    EXPECT_EQ(shownHours(hourEnds(at(2026, 4, 11, 7, 30), at(2026, 4, 11, 9, 15))),
              "2026-04-11 08:00\n2026-04-11 09:00\n2026-04-11 09:15\n");
    EXPECT_EQ(shownHours(hourEnds(at(2026, 4, 11, 7, 0), at(2026, 4, 11, 7, 0))), "2026-04-11 07:00\n");
}

std::string shownBreaks(const Report& r) {
    std::string s;
    for (const Break& b : r.breaks)
        s += hourLabel(b.from) + " " + lengthOf(b.minutes) + " " + std::to_string(static_cast<int>(b.where)) + "\n";
    return s + "on " + lengthOf(r.minutesOn);
}

TEST(ReportBreaks, AreGapsOfThirtyMinutesOrMore) {
    const COleDateTime start = at(2026, 4, 11, 7, 0), end = at(2026, 4, 11, 13, 0);
    // 07:20 (a lead of 20 minutes: on), 07:49 (29: on), 08:19 (30: a break), 10:00, then nothing until the end.
    const Report r = buildReport(quietReplay(start, end, {at(2026, 4, 11, 7, 20), at(2026, 4, 11, 7, 49),
                                                          at(2026, 4, 11, 8, 19), at(2026, 4, 11, 10, 0)}),
                                 "K1VU");
    EXPECT_EQ(shownBreaks(r), "2026-04-11 07:49 0 h 30 min 1\n"
                              "2026-04-11 08:19 1 h 41 min 1\n"
                              "2026-04-11 10:00 3 h 00 min 2\n"
                              "on 0 h 49 min");
    const Report late = buildReport(quietReplay(start, end, {at(2026, 4, 11, 9, 0), at(2026, 4, 11, 12, 59)}), "K1VU");
    EXPECT_EQ(shownBreaks(late), "2026-04-11 07:00 2 h 00 min 0\n2026-04-11 09:00 3 h 59 min 1\non 0 h 01 min");
}

TEST(ReportRates, AreTheBestWindowsOfTheQsosCounted) {
    const COleDateTime start = at(2026, 4, 11, 7, 0), end = at(2026, 4, 11, 10, 0);
    std::vector<COleDateTime> counted;
    for (int m : {0, 5, 9, 10, 30, 61, 62, 63, 64, 65, 66, 67, 69, 70, 71})
        counted.push_back(COleDateTime(start.m_dt + m / 1440.0, COleDateTime::valid));
    // A QSO handed over but not counted (a dupe, at 08:15) is no rate's.
    std::vector<COleDateTime> handed = counted;
    handed.push_back(at(2026, 4, 11, 8, 15));
    const Report r = buildReport(quietReplay(start, end, handed, counted), "K1VU");
    EXPECT_EQ(r.best10.qsos, 9);  // 08:01 up to 08:10, the QSO of 08:11 not in it
    EXPECT_EQ(hourLabel(r.best10.from), "2026-04-11 08:01");
    EXPECT_EQ(r.best60.qsos, 11);  // from 07:30: it and the ten of 08:01 to 08:11; from 07:10 only ten
    EXPECT_EQ(hourLabel(r.best60.from), "2026-04-11 07:30");
    EXPECT_EQ(r.tenMinuteQsos, (std::vector<int>{3, 1, 0, 1, 0, 0, 8, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ReportProblems, AreTheBadQsoFilesLinesByMarkInTheGuidesOrder) {
    const std::string file = "Japan International DX CW Contest UBN file \r\n"
                             "QSO:  14025  CW  2026-04-11 1200  K1VU  599  05  JA1ABC  599  13   DUPE !!!\r\n"
                             "QSO:  10112  CW  2026-04-11 1231  K1VU  599  05  JR4PI  599  35   WRONG BAND !!!\r\n"
                             "QSO:  14016  CW  2026-04-11 1038  K1VU  599  05  JO5WB  599  51  51  Code is not "
                             "acceptable !!!\r\n"
                             "a line someone added\r\n"
                             "QSO:  14026  CW  2026-04-11 1201  K1VU  599  05  JA1ABC  599  13   DUPE !!!\r\n";
    std::string shown;
    for (const ProblemGroup& g : groupProblems(file)) {
        shown += "[" + g.mark + "] " + g.meaning.substr(0, 24) + "\n";
        for (const std::string& line : g.lines) shown += "  " + line + "\n";
    }
    EXPECT_EQ(shown, "[WRONG BAND !!!] the band is not one of 1\n"
                     "  QSO:  10112  CW  2026-04-11 1231  K1VU  599  05  JR4PI  599  35   WRONG BAND !!!\n"
                     "[Code is not acceptable !!!] (station outside Japan) \n"
                     "  QSO:  14016  CW  2026-04-11 1038  K1VU  599  05  JO5WB  599  51  51  Code is not acceptable !!!\n"
                     "[DUPE !!!] the same call on the sam\n"
                     "  QSO:  14025  CW  2026-04-11 1200  K1VU  599  05  JA1ABC  599  13   DUPE !!!\n"
                     "  QSO:  14026  CW  2026-04-11 1201  K1VU  599  05  JA1ABC  599  13   DUPE !!!\n"
                     "[] lines the bad-QSO file h\n"
                     "  a line someone added\n");
    EXPECT_TRUE(groupProblems("Japan International DX CW Contest UBN file \r\n").empty());
}

// What the report says each mark means is what the guide's table says, word for word.
TEST(ReportProblems, SayWhatEachMarkMeansInTheGuidesWords) {
    std::ifstream guide(VUVO_GUIDE);
    ASSERT_TRUE(guide) << VUVO_GUIDE;
    std::string line, file = "title\n";
    std::map<std::string, std::string> meanings;
    while (std::getline(guide, line)) {
        if (line.rfind("| \"", 0) != 0) continue;
        const std::size_t markEnd = line.find("\" | ");
        const std::string mark = line.substr(3, markEnd - 3);
        const std::size_t from = markEnd + 4, to = line.find(" | ", from);
        meanings[mark] = line.substr(from, to - from);
        file += "QSO:  14025  CW  2026-04-11 1200  K1VU  599  05  JA1ABC  599  13   " + mark + "\n";
    }
    ASSERT_EQ(meanings.size(), 6u);
    const std::vector<ProblemGroup> groups = groupProblems(file);
    ASSERT_EQ(groups.size(), 6u);
    for (const ProblemGroup& g : groups) EXPECT_EQ(g.meaning, meanings[g.mark]) << g.mark;
}

} // namespace
