// The host's stand-in: drives the plug-in the way the host does, through the library's exported names only.
#include "command_line.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <io.h>
#define HOSTSIM_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define HOSTSIM_ISATTY(f) isatty(fileno(f))
#endif

#include "options.h"
#include "cabrillo/cabrillo_log.h"
#include "platform/files.h"
#include "tools/logs/cty.h"
#include "tools/logs/log_model.h"
#include "tools/logs/ole_time.h"
#include "tools/logs/pass_checks.h"
#include "tools/logs/text_util.h"
#include "tools/report/report_csv.h"
#include "tools/report/report_html.h"
#include "tools/robot/dialog_operator.h"
#include "tools/robot/live_host.h"
#include "tools/script/script.h"
#include "tools/session/host_session.h"
#include "tools/session/plugin_library.h"
#include "tools/session/work_folder.h"

namespace {

// Exit codes.
constexpr int kOk = 0;
constexpr int kBadLog = 1;  // the log (or script) cannot be used
constexpr int kBadUse = 2;  // wrong arguments, or the plug-in or the country file cannot be used
constexpr int kNotWritten = 3;  // a file the run should have written is not there (named in the messages)

constexpr std::size_t kMessagesShown = 50;   // about one log; the rest are counted
constexpr std::size_t kProgressFrom = 2000;  // QSOs; shorter logs show no progress
constexpr std::size_t kProgressStep = 500;

void printMessages(const std::vector<std::string>& messages) {
    for (std::size_t i = 0; i < messages.size() && i < kMessagesShown; ++i)
        std::fprintf(stderr, "hostsim: %s\n", messages[i].c_str());
    if (messages.size() > kMessagesShown)
        std::fprintf(stderr, "hostsim: and %s like these\n",
                     counted(messages.size() - kMessagesShown, "more message").c_str());
}

bool parseWhen(const std::string& text, COleDateTime& out, std::string& why) {
    const std::string_view t = ascii::trim(text);
    const std::size_t gap = t.find(' ');
    if (gap == std::string_view::npos) return why = "\"" + text + "\" is not \"YYYY-MM-DD HHMM\"", false;
    return parseDateTime(t.substr(0, gap), ascii::trim(t.substr(gap)), out, why);
}

// Everything a pass needs, from the log, the country file and the options.
struct Prepared {
    Log log;
    PassSetup pass;
    CtyDatabase cty;
    bool ssb = false;
};

// The calls the country file places in no country, each named once with its first line and its count: such a QSO
// counts no country.
void nameCallsWithoutCountry(const Options& o, const Prepared& p, std::vector<std::string>& messages) {
    struct Unplaced {
        std::string call;
        int line;
        bool maritime;
        std::size_t count;
    };
    std::vector<Unplaced> unplaced;
    std::map<std::string, std::size_t> at;  // call -> its entry in unplaced
    for (const LogQso& q : p.log.qsos) {
        if (!q.prefix.empty()) continue;
        const auto [it, first] = at.emplace(q.call, unplaced.size());
        if (first) unplaced.push_back({q.call, q.line, p.cty.resolve(q.call).maritime, 0});
        ++unplaced[it->second].count;
    }
    for (const Unplaced& u : unplaced) {
        const std::string where = o.positional[0] + ":" + std::to_string(u.line) + ": ";
        const std::string times = u.count > 1 ? " (" + counted(u.count, "QSO") + ")" : "";
        messages.push_back(where + (u.maritime ? escaped(u.call) + " is maritime or aeronautical mobile" + times +
                                                     ": in no country"
                                               : "no country for " + shown(u.call) + " in " + o.cty + times +
                                                     ": it counts as no country"));
    }
}

// The contest period when none is given: the weekend the contest's calendar gives for the contest's mode, in the
// year of the month holding most of the log's QSOs. Said, with how it was chosen.
void chooseWeekend(const std::string& path, Prepared& p) {
    const YearMonth busiest = busiestMonth(p.log);
    const ContestPeriod period = jidxWeekend(busiest.year, p.ssb);
    p.pass.start = period.start;
    p.pass.end = period.end;
    const char* mode = p.ssb ? "SSB" : "CW";
    const int month = jidxMonth(p.ssb);
    std::string why = "the second full weekend of " + std::string(monthName(month)) + " " +
                      std::to_string(busiest.year);
    if (busiest.month == month)
        why += ", the month of most of the log's QSOs";
    else
        why += ": most of the log's QSOs are of " + std::string(monthName(busiest.month)) + ", when JIDX " + mode +
               " does not run";
    std::fprintf(stderr, "hostsim: %s is scored as JIDX %s %s to %s UTC, %s (give --start and --end for "
                         "another period)\n",
                 path.c_str(), mode, formatTime(p.pass.start).c_str(), formatTime(p.pass.end).c_str(), why.c_str());
}

// What hostsim filled in where the log left fields empty, each said once.
void tellFilledIn(const std::string& path, const FilledIn& filled) {
    if (!filled.frequencyLines.empty()) {
        std::string bands;
        for (const std::string& band : filled.bands)
            bands += (bands.empty() ? "" : ", ") + band + " " + std::to_string(bandFloorKilohertz(band)) + " kHz";
        const std::size_t n = filled.frequencyLines.size();
        std::fprintf(stderr, "hostsim: %s: %s give%s a band but no frequency (%s); handed over at the band's "
                             "lowest frequency, as the host logs a QSO on a band: %s\n",
                     path.c_str(), counted(n, "QSO").c_str(), n == 1 ? "s" : "", lineList(filled.frequencyLines).c_str(),
                     bands.c_str());
    }
    if (!filled.reportLines.empty()) {
        std::string which;
        if (filled.rstSent > 0) which = std::to_string(filled.rstSent) + " sent";
        if (filled.rstRcvd > 0) which += (which.empty() ? "" : ", ") + std::to_string(filled.rstRcvd) + " received";
        const std::size_t n = filled.reportLines.size();
        std::fprintf(stderr, "hostsim: %s: %s lack%s reports (%s; %s); handed over with the mode's usual report, "
                             "599 in CW and 59 in SSB, as the host fills it in\n",
                     path.c_str(), counted(n, "QSO").c_str(), n == 1 ? "s" : "", which.c_str(),
                     lineList(filled.reportLines).c_str());
    }
}

// The log read and each QSO's country found. The messages about the log come first, the country file's own whole
// after them.
int readLogAndCountries(const Options& o, Prepared& p) {
    const std::string& path = o.positional[0];
    std::vector<std::string> messages;
    if (!readLogFile(path, p.log, messages)) return printMessages(messages), kBadLog;
    if (p.log.empty) {
        std::fprintf(stderr, "hostsim: %s is empty: it holds no QSO\n", path.c_str());
        if (o.start.empty()) return kBadLog;  // nothing to date the contest by
    }
    std::vector<std::string> ctyMessages;
    if (o.cty.empty()) ctyMessages.push_back(o.ctyMissing);
    if (o.cty.empty() || !loadCtyFile(o.cty, p.cty, ctyMessages)) {
        printMessages(messages);
        for (const std::string& m : ctyMessages) std::fprintf(stderr, "hostsim: %s\n", m.c_str());
        return kBadUse;
    }
    for (LogQso& q : p.log.qsos) {
        q.prefix = p.cty.resolve(q.call).prefix;
        if (!plausibleCall(q.call))
            messages.push_back(path + ":" + std::to_string(q.line) + ": \"" + shown(q.call) + "\" (" +
                               counted(q.call.size(), "character") + ") does not look like a call sign");
    }
    nameCallsWithoutCountry(o, p, messages);
    printMessages(messages);
    for (const std::string& m : ctyMessages) std::fprintf(stderr, "hostsim: %s\n", m.c_str());
    return kOk;
}

// Another contest's log is not scored as this one's unless the operator insists.
int acceptContest(const Options& o, Prepared& p) {
    if (namesJidx(p.log.contest)) return kOk;
    const std::string& path = o.positional[0];
    if (!o.anyContest) {
        std::fprintf(stderr, "hostsim: %s is a log of %s, not of JIDX: not scored (give --any-contest to score "
                             "it as JIDX all the same)\n",
                     path.c_str(), shown(p.log.contest).c_str());
        return kBadLog;
    }
    std::fprintf(stderr, "hostsim: %s is a log of %s, not of JIDX; scored as JIDX all the same "
                         "(--any-contest)\n",
                 path.c_str(), shown(p.log.contest).c_str());
    return kOk;
}

// The own call (--own-call, else the log's) and its prefix (--own-prefix, else the country file's).
int chooseOwnCall(const Options& o, Prepared& p) {
    if (o.ownCallGiven) {
        p.pass.ownCall = o.ownCall;
    } else if (!p.log.ownCall.empty()) {
        p.pass.ownCall = p.log.ownCall;
    } else {
        std::fprintf(stderr, "hostsim: %s names no own call (STATION_CALLSIGN, OPERATOR or CALLSIGN:); "
                             "give --own-call\n", o.positional[0].c_str());
        return kBadLog;
    }
    if (ascii::trim(p.pass.ownCall).empty()) {
        std::fprintf(stderr, "hostsim: the own call is empty: the Cabrillo file would name no station; give "
                             "--own-call CALL\n");
        return kBadUse;
    }
    if (!plausibleCall(p.pass.ownCall))
        std::fprintf(stderr, "hostsim: the own call \"%s\" (%s) does not look like a call sign\n",
                     shown(p.pass.ownCall).c_str(), counted(p.pass.ownCall.size(), "character").c_str());
    p.pass.ownPrefix = o.ownPrefixGiven ? o.ownPrefix : p.cty.resolve(p.pass.ownCall).prefix;
    return kOk;
}

// The contest mode: --contest-mode, else the mode of most of the log's QSOs (CW when as many are SSB).
int chooseContestMode(const Options& o, Prepared& p) {
    if (!o.contestMode.empty()) {
        p.ssb = o.contestMode == "SSB";
    } else {
        std::size_t cw = 0, ssb = 0;
        for (const LogQso& q : p.log.qsos) cw += q.mode == "CW", ssb += q.mode == "SSB";
        p.ssb = ssb > cw;
    }
    return kOk;
}

// The contest period: from --start (the contest's 30 hours, unless --end says otherwise), else the contest's weekend
// of the log's year.
int choosePeriod(const Options& o, Prepared& p) {
    std::string why;
    if (!o.start.empty()) {
        if (!parseWhen(o.start, p.pass.start, why))
            return std::fprintf(stderr, "hostsim: --start: %s\n", why.c_str()), kBadUse;
        p.pass.end = COleDateTime(p.pass.start.m_dt + 30.0 / 24.0, COleDateTime::valid);  // the contest's 30 hours
    } else if (!p.log.qsos.empty()) {
        chooseWeekend(o.positional[0], p);
    } else {
        std::fprintf(stderr, "hostsim: %s holds no QSO to date the contest by; give --start and --end\n",
                     o.positional[0].c_str());
        return kBadLog;
    }
    if (!o.end.empty() && !parseWhen(o.end, p.pass.end, why))
        return std::fprintf(stderr, "hostsim: --end: %s\n", why.c_str()), kBadUse;
    if (p.pass.end.m_dt < p.pass.start.m_dt) {
        std::fprintf(stderr, "hostsim: the contest would end (%s) before it starts (%s)\n",
                     formatTime(p.pass.end).c_str(), formatTime(p.pass.start).c_str());
        return kBadUse;
    }
    return kOk;
}

// The host's contest log holds the contest's QSOs: those outside its period are not handed over (--all-qsos: they
// are, and said). The fields the log left empty are then filled in as the host fills them.
int keepContestQsos(const Options& o, Prepared& p) {
    const std::string& path = o.positional[0];
    const std::size_t total = p.log.qsos.size();
    const std::string period = formatTime(p.pass.start) + " to " + formatTime(p.pass.end) + " UTC";
    if (o.allQsos) {
        if (const std::size_t outside = countOutside(p.log, p.pass.start, p.pass.end); outside > 0)
            std::fprintf(stderr, "hostsim: %s: %zu of %s lie%s outside the contest, %s; handed over all the same "
                                 "(--all-qsos) and scored, as the sponsor would not\n",
                         path.c_str(), outside, counted(total, "QSO").c_str(), outside == 1 ? "s" : "",
                         period.c_str());
    } else if (const std::vector<int> left = keepInside(p.log, p.pass.start, p.pass.end); !left.empty()) {
        std::fprintf(stderr, "hostsim: %s: %zu of %s lie%s outside the contest, %s (%s): not handed over, as the "
                             "sponsor scores none of them (give --all-qsos to hand over every QSO)\n",
                     path.c_str(), left.size(), counted(total, "QSO").c_str(), left.size() == 1 ? "s" : "",
                     period.c_str(), lineList(left).c_str());
    }
    tellFilledIn(path, fillLikeHost(p.log));
    return kOk;
}

// Everything a pass needs, step by step, each said as it is decided; the first step that fails ends it.
int prepare(const Options& o, Prepared& p) {
    for (int (*step)(const Options&, Prepared&) :
         {readLogAndCountries, acceptContest, chooseOwnCall, chooseContestMode, choosePeriod, keepContestQsos})
        if (const int status = step(o, p); status != kOk) return status;
    return kOk;
}

bool loadPlugin(const Options& o, PluginLibrary& library) {
    std::string error;
    if (!library.open(o.plugin, error)) {
        std::fprintf(stderr, "hostsim: %s\n", error.c_str());
        return false;
    }
    if (library.functions().GetNumberOfSets() < 1) {
        std::fprintf(stderr, "hostsim: the plug-in offers no contest set\n");
        return false;
    }
    return true;
}

// One statistics pass over the log; returns the number of QSOs stored.
std::size_t runPass(HostSession& host, const Prepared& p, bool exportPass) {
    host.reset(p.pass, exportPass);
    if (p.log.qsos.size() < kProgressFrom || !HOSTSIM_ISATTY(stderr)) return host.addAll(p.log.qsos, p.pass.ownCall);
    const std::size_t stored = host.addAll(p.log.qsos, p.pass.ownCall, [&](std::size_t done) {
        if (done % kProgressStep == 0)
            std::fprintf(stderr, "\rhostsim: %zu of %zu QSOs", done, p.log.qsos.size()), std::fflush(stderr);
    });
    std::fprintf(stderr, "\r%60s\r", ""), std::fflush(stderr);
    return stored;
}

// How many QSOs the plug-in took into its log; said of a log with any.
void tellStored(const Log& log, std::size_t stored) {
    if (log.empty) return;
    const std::size_t total = log.qsos.size(), rejected = total - stored;
    std::fprintf(stderr, "hostsim: %s handed over, %zu stored in the plug-in's log, %zu rejected%s\n",
                 counted(total, "QSO").c_str(), stored, rejected,
                 rejected == 0 ? ""
                               : " (a wrong band, a wrong mode or no exchange: kept out of the log and the score, "
                                 "listed in the bad-QSO file)");
}

// Copies a file the plug-in wrote into the output folder. Returns where it landed, else empty (said).
std::string deliver(const WorkFolder& work, const std::string& name) {
    bool replaced = false;
    std::string why;
    const std::string landed = work.deliver(name, replaced, why);
    if (landed.empty()) {
        std::fprintf(stderr, "hostsim: %s\n", escaped(why).c_str());
        return {};
    }
    if (replaced) std::fprintf(stderr, "hostsim: %s replaces the file of that name\n", escaped(landed).c_str());
    return landed;
}

// What the plug-in told the operator about its Cabrillo file at the end of an export.
struct ExportReport {
    std::string produced;  // the file it wrote (in the work folder), else empty
    std::string landed;    // where the copy of it landed, else empty
};

// Says on standard output what became of the Cabrillo file: a file is named only when the plug-in said that it
// produced it, and then where its copy landed. Returns the exit status the outcome calls for.
int reportExport(const std::vector<std::string>& messages, const WorkFolder& work, bool cancelAsked,
                 ExportReport& report) {
    constexpr std::string_view kProduced = "File produced: ";
    constexpr std::string_view kCouldNot = "File could not be written: ";
    constexpr std::string_view kFailed = "Export failed:";
    constexpr std::string_view kCancelled = "Export cancelled:";
    auto startsWith = [](const std::string& m, std::string_view with) { return m.compare(0, with.size(), with) == 0; };
    std::string produced, notWritten;
    bool failed = false, cancelled = false;
    for (const std::string& m : messages) {
        if (startsWith(m, kProduced)) produced = m.substr(kProduced.size());
        else if (startsWith(m, kCouldNot)) notWritten = m.substr(kCouldNot.size());
        else if (startsWith(m, kFailed)) failed = true;
        else if (startsWith(m, kCancelled)) cancelled = true;
    }
    int status = kOk;
    if (!produced.empty()) {
        report.produced = produced;
        report.landed = deliver(work, produced);
        if (!report.landed.empty()) {
            std::printf("Cabrillo file: %s\n", escaped(report.landed).c_str());
        } else {
            std::printf("Cabrillo file could not be copied: %s\n", escaped(produced).c_str());
            status = kNotWritten;
        }
    } else if (!notWritten.empty()) {
        std::printf("Cabrillo file could not be written: %s\n", escaped(notWritten).c_str());
        status = kNotWritten;
    } else if (failed) {
        std::printf("No Cabrillo file was written: the header dialog could not be shown.\n");
#ifdef _WIN32
        std::fprintf(stderr, "hostsim: an export shows the header dialog: hostsim needs a desktop for it; run it in "
                             "a session with a display\n");
#else
        const char* answers = std::getenv("VUVO_DIALOG_ANSWERS");
        std::fprintf(stderr, "hostsim: the header dialog reads its answers from the file VUVO_DIALOG_ANSWERS names, "
                             "and %s cannot be read\n", answers ? escaped(answers).c_str() : "(none)");
#endif
        status = kNotWritten;
    } else if (cancelled) {
        std::printf("No Cabrillo file was written: the export was cancelled at the header dialog.\n");
        if (!cancelAsked) {
            std::fprintf(stderr, "hostsim: the header dialog was cancelled, though --cancel was not given\n");
            status = kNotWritten;
        }
    } else {
        std::printf("No Cabrillo file was written: the header dialog could not open.\n");
#ifdef _WIN32
        std::fprintf(stderr, "hostsim: the plug-in said nothing about a Cabrillo file: its header dialog could not "
                             "open; hostsim needs a desktop for an export: run it in a session with a display\n");
#else
        std::fprintf(stderr, "hostsim: the plug-in said nothing about a Cabrillo file: its header dialog could not "
                             "open\n");
#endif
        status = kNotWritten;
    }
    std::fflush(stdout);
    return status;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    return text.str();
}

// The bad-QSO file a pass wrote, copied out and named (deliverIt); false (said) when the plug-in did not write it
// in the work folder, which it does not report itself, or when it cannot be copied.
// What becomes of the bad-QSO file: copied out and named with the count of its findings, copied out quietly (a log
// without QSOs), or left in the work folder (a check).
enum class BadQsoFile { deliverAndName, deliver, keep };

bool reportBadQsoFile(const WorkFolder& work, const PassSetup& pass, BadQsoFile what = BadQsoFile::deliverAndName) {
    const std::string name = badQsoFileName(pass.end);
    if (!work.written(name)) {
        std::fprintf(stderr, "hostsim: the bad-QSO file %s could not be written in %s\n", name.c_str(),
                     pass.hostDir.c_str());
        return false;
    }
    if (what == BadQsoFile::keep) return true;
    const std::size_t findings = countQsoLines(fileText(name));
    const std::string landed = deliver(work, name);
    if (landed.empty()) return false;
    if (what == BadQsoFile::deliverAndName) {
        std::fprintf(stderr, "hostsim: %s lists %s\n", escaped(landed).c_str(),
                     findings == 0 ? "no problem" : counted(findings, "problem").c_str());
    }
    return true;
}

// How many QSOs the Cabrillo file left out, and the bad-QSO file's reasons.
void reportLeftOut(const ExportReport& cabrillo, const PassSetup& pass, std::size_t total) {
    const std::size_t in = countQsoLines(fileText(cabrillo.produced));
    const std::string& shownName = cabrillo.landed.empty() ? cabrillo.produced : cabrillo.landed;
    if (in >= total) {
        std::fprintf(stderr, "hostsim: %s holds %s\n", escaped(shownName).c_str(),
                     total == 1 ? "the one QSO" : ("all " + counted(total, "QSO")).c_str());
        return;
    }
    std::string why;
    std::size_t explained = 0;
    for (const auto& [mark, count] : leftOutByMark(fileText(badQsoFileName(pass.end)))) {
        why += (why.empty() ? ": " : ", ") + std::to_string(count) + " " + mark;
        explained += count;
    }
    if (explained < total - in)
        why += (why.empty() ? ": " : ", ") + std::to_string(total - in - explained) + " for no reason given";
    std::fprintf(stderr, "hostsim: %s holds %zu of the %s handed over; %zu left out%s\n", escaped(shownName).c_str(),
                 in, counted(total, "QSO").c_str(), total - in, why.c_str());
}

// The header boxes the plug-in fills from the last export in this folder: another station's, when its operators
// do not include the own call and this run gives no new ones.
void warnCarriedHeader(const Options& o, const std::string& ownCall) {
    auto given = [&](const char* label) {
        for (const auto& [l, v] : o.answers)
            if (l == label) return true;
        return false;
    };
    const std::string operators = readSetting("Operators"), name = readSetting("Name");
    if (operators.empty() || given("OPERATORS")) return;
    const std::string upper = ascii::upper(operators), own = ascii::upper(ascii::trim(ownCall));
    for (std::size_t at = upper.find(own); !own.empty() && at != std::string::npos; at = upper.find(own, at + 1)) {
        auto callChar = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/'; };
        const std::size_t after = at + own.size();
        if ((at == 0 || !callChar(upper[at - 1])) && (after == upper.size() || !callChar(upper[after]))) return;
    }
    std::string carried = "OPERATORS \"" + shown(operators) + "\"";
    if (!name.empty() && !given("NAME")) carried += " and NAME \"" + shown(name) + "\"";
    std::fprintf(stderr, "hostsim: the header keeps %s from the last export in the work folder (its "
                         "Plugins/VU-VO.ini), which do not name %s; give --operators and --name for this log\n",
                 carried.c_str(), escaped(ownCall).c_str());
}

// The files a script's passes made (Cabrillo files the plug-in said it produced, bad-QSO files), each copied into
// the output folder once, when the plug-in wrote it, and named. False when one cannot be copied.
bool deliverScriptFiles(const WorkFolder& work, ScriptContext& context) {
    bool all = true;
    for (const std::string& name : std::exchange(context.cabrilloFiles, {})) {
        if (!work.written(name)) continue;
        const std::string landed = deliver(work, name);
        if (!landed.empty()) std::fprintf(stderr, "hostsim: Cabrillo file: %s\n", escaped(landed).c_str());
        all &= !landed.empty();
    }
    for (const std::string& name : std::exchange(context.badQsoFiles, {})) {
        if (!work.written(name)) continue;
        const std::string landed = deliver(work, name);
        if (!landed.empty()) std::fprintf(stderr, "hostsim: bad QSOs are listed in %s\n", escaped(landed).c_str());
        all &= !landed.empty();
    }
    return all;
}

// Says the error on standard error, in hostsim's words; returns status.
int said(const std::string& error, int status) {
    std::fprintf(stderr, "hostsim: %s\n", error.c_str());
    return status;
}

// --help or --version anywhere on the command line, the first of them answered alone.
bool answeredHelpOrVersion(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") return usage(stdout), true;
        if (std::string_view(argv[i]) == "--version") return std::printf("hostsim %s\n", HOSTSIM_VERSION), true;
    }
    return false;
}

int readCommandLine(int argc, char** argv, Options& o) {
    std::string error;
    if (!parseOptions(argc, argv, o, error)) {
        said(error, kBadUse);
        usage(stderr);
        return kBadUse;
    }
    return findDefaults(o, error) ? kOk : said(error, kBadUse);
}

// What must hold before the log is read: --work may be used, the output folder is there, and a host's other
// add-ons are in its process before the plug-in comes.
int prepareProcess(const Options& o, WorkFolder& work) {
    std::string error;
    if (!o.work.empty() && !work.acceptable(o.work, error)) return said(error, kBadUse);
    if (!work.setOutput(o.out, error)) return said(error, kNotWritten);
    for (const std::string& dll : o.preload)
        if (!preloadLibrary(dll, error)) return said(error, kBadUse);
    return kOk;
}

// Goes into the work folder, the paths the operator gave still naming their files; the host names its folder to
// the plug-in at every pass start: here the work folder.
int enterWorkFolder(Options& o, WorkFolder& work, Prepared& p) {
    o.plugin = work.fromStart(o.plugin);
    o.cty = work.fromStart(o.cty);
    std::string error;
    switch (work.enter(o.work, error)) {
    case WorkFolder::Entered::ok: break;
    case WorkFolder::Entered::refused: return said(error, kBadUse);
    case WorkFolder::Entered::failed: return said(error, kNotWritten);
    }
    p.pass.hostDir = work.hostDir();
    return kOk;
}

int scriptCommand(const Options& o, WorkFolder& work) {
    // What the plug-in tells the operator (from either of its threads) is quoted after each step.
    watchMessages();
    // The host offers its automation object before it loads the plug-in, and withdraws it only after the
    // plug-in is gone: the windows' last calls (at the unload) still find it.
    const std::unique_ptr<LiveHost> live = LiveHost::make();
    PluginLibrary library;
    if (!loadPlugin(o, library)) return kBadUse;
    ScriptContext context;
    context.ctyPath = o.cty;
    context.ctyMissing = o.ctyMissing;
    context.library = &library;
    context.live = live.get();
    context.work = &work;
    // A process that ends at once (the step exit) hands over its files first; its work folder stays.
    context.beforeExit = [&] {
        deliverScriptFiles(work, context);
        work.abandon();
        if (work.temporary())
            std::fprintf(stderr, "hostsim: the process ends at once: its work folder %s stays\n",
                         work.shown().c_str());
    };
    const int status = runScript(o.positional[0], library.functions(), context, stdout);
    const bool delivered = deliverScriptFiles(work, context);
    return status != kOk ? status : delivered ? kOk : kNotWritten;
}

// The header dialog's answers, in place before the plug-in is loaded: its port reads them from there.
int publishAnswers(const Options& o, const WorkFolder& work, DialogAnswers& answers) {
    if (o.cancel || !o.answers.empty() || !std::getenv("VUVO_DIALOG_ANSWERS")) {
        if (o.cancel) answers.cancel();
        for (const auto& [label, value] : o.answers) answers.set(label, value);
        std::string error;
        return answers.publish(error) ? kOk : said(error, kBadUse);
    }
    // Answers given from outside, in a file named from where hostsim was started; where the dialog is real, it
    // is still confirmed as it stands.
    setEnvironment("VUVO_DIALOG_ANSWERS", work.fromStart(std::getenv("VUVO_DIALOG_ANSWERS")));
    answerHeaderDialogs({}, false);
    return kOk;
}

// The plug-in loaded, with the host's files it reads at every pass start: the operator's CW/SSB choice and,
// when given, the host's version.
int startPlugin(const Options& o, const Prepared& p, PluginLibrary& library) {
    if (!loadPlugin(o, library)) return kBadUse;
    std::string error;
    if (!storeContestMode(p.ssb, error)) return said(error, kBadUse);
    if (!o.hostVersion.empty() && !storeHostVersion(o.hostVersion, error)) return said(error, kBadUse);
    return kOk;
}

int scoreCommand(const Options& o, const Prepared& p, HostSession& host, const WorkFolder& work) {
    if (o.html) host.html();
    const std::size_t stored = runPass(host, p, false);
    int status = 0;
    writeText(stdout, host.result(status));
    tellMessages();
    tellStored(p.log, stored);
    return reportBadQsoFile(work, p.pass, p.log.empty ? BadQsoFile::deliver : BadQsoFile::deliverAndName) ? kOk
                                                                                                  : kNotWritten;
}

int exportCommand(const Options& o, const Prepared& p, HostSession& host, const WorkFolder& work) {
    warnCarriedHeader(o, p.pass.ownCall);
    const std::size_t stored = runPass(host, p, true);
    int status = 0;
    host.result(status);
    const std::vector<std::string> told = tellMessages();
    tellStored(p.log, stored);
    ExportReport cabrillo;
    const int exportStatus = reportExport(told, work, o.cancel, cabrillo);
    const bool badQsoWritten = reportBadQsoFile(work, p.pass);
    if (!cabrillo.produced.empty()) reportLeftOut(cabrillo, p.pass, p.log.qsos.size());
    return exportStatus != kOk || !badQsoWritten ? kNotWritten : kOk;
}

// check: the log as it stands, then the operator types.
int checkCommand(const Options& o, const Prepared& p, HostSession& host, const WorkFolder& work) {
    runPass(host, p, false);
    int status = 0;
    host.result(status);
    tellMessages();
    const std::string band = !o.band.empty() ? o.band : !p.log.qsos.empty() ? p.log.qsos.back().band : "20m";
    const std::string mode = !o.mode.empty() ? o.mode : p.ssb ? "SSB" : "CW";
    for (std::size_t i = 1; i < o.positional.size(); ++i) {
        const std::string call = ascii::upper(o.positional[i]);
        const CtyDatabase::Match m = p.cty.resolve(call);
        const int code = host.check(call, band, mode, m.prefix, m.cqZone, nullptr);
        std::printf("%s on %s %s (prefix \"%s\", zone %d): %d %s\n", call.c_str(), escaped(band).c_str(), mode.c_str(),
                    m.prefix.c_str(), m.cqZone, code, checkMeaning(code));
    }
    for (const std::string& x : o.exchanges) {
        const int valid = host.exchange(x);
        std::printf("exchange \"%s\": %d %s\n", x.c_str(), valid, valid ? "valid" : "not valid");
    }
    std::fflush(stdout);
    return reportBadQsoFile(work, p.pass, BadQsoFile::keep) ? kOk : kNotWritten;
}

// The report's file, written whole in the work folder and copied out whole. Returns where it landed, else empty
// (said, with the file's name).
std::string writeReportFile(const WorkFolder& work, const std::string& name, const std::string& bytes) {
    if (!platform::writeWholeFile(name, bytes)) {
        std::fprintf(stderr, "hostsim: %s could not be written in %s\n", escaped(name).c_str(), work.shown().c_str());
        return {};
    }
    return deliver(work, name);
}

// report: the contest hour by hour, from the linked tally, after the loaded plug-in's own result for the same QSOs
// in the same order agrees with it.
int reportCommand(const Options& o, const Prepared& p, HostSession& host, const WorkFolder& work) {
    const std::string& path = o.positional[0];
    if (p.log.qsos.empty()) {
        std::fprintf(stderr, "hostsim: %s: no QSO lies in the contest, %s to %s UTC: no report written (give --start "
                             "and --end for another period)\n",
                     path.c_str(), formatTime(p.pass.start).c_str(), formatTime(p.pass.end).c_str());
        return kBadLog;
    }
    // The host's log is in time order: a log file out of order is replayed in order, by the plug-in as well.
    std::vector<LogQso> qsos = p.log.qsos;
    sortByTime(qsos);
    const Replay replay = replayByHour({p.pass.hostDir, p.pass.ownCall, p.pass.ownPrefix, p.pass.start, p.pass.end},
                                       qsos);
    host.html();
    host.reset(p.pass, false);
    const std::size_t stored = host.addAll(qsos, p.pass.ownCall);
    int status = 0;
    const std::string page = host.result(status);
    tellMessages();
    tellStored(p.log, stored);
    ResultTally final = replay.hours.back().tally;
    final.html = true;
    if (renderHtml(final) != page || stored != replay.stored) {
        std::fprintf(stderr, "hostsim: the plug-in's result for %s is not the one hostsim's own copy of its tally "
                             "gives: %s is of another build than hostsim; no report written\n",
                     path.c_str(), escaped(o.plugin).c_str());
        return kBadUse;
    }
    if (!reportBadQsoFile(work, p.pass, BadQsoFile::keep)) return kNotWritten;
    Report report = buildReport(replay, p.pass.ownCall);
    report.problems = groupProblems(fileText(badQsoFileName(p.pass.end)));
    const std::string base = cabrilloFileBase(p.pass.ownCall) + "_report";
    const std::string html = writeReportFile(work, base + ".html",
                                             renderReportHtml(report, {page, path, "hostsim " HOSTSIM_VERSION}));
    if (html.empty()) return kNotWritten;
    const std::string csv = writeReportFile(work, base + ".csv", renderReportCsv(report));
    if (csv.empty()) return kNotWritten;
    std::printf("Report: %s\nHour table: %s\n", escaped(html).c_str(), escaped(csv).c_str());
    std::fflush(stdout);
    return kOk;
}

int run(int argc, char** argv) {
    if (answeredHelpOrVersion(argc, argv)) return kOk;
    Options o;
    if (const int status = readCommandLine(argc, argv, o); status != kOk) return status;
    // The work folder outlives the plug-in: it is left (and a temporary one removed) after the plug-in is gone.
    WorkFolder work;
    if (const int status = prepareProcess(o, work); status != kOk) return status;
    // The log and the country file are read where hostsim was started, before it goes into its work folder.
    Prepared p;
    if (o.command != "script")
        if (const int status = prepare(o, p); status != kOk) return status;
    if (const int status = enterWorkFolder(o, work, p); status != kOk) return status;
    if (o.command == "script") return scriptCommand(o, work);

    DialogAnswers answers;
    if (o.command == "export")
        if (const int status = publishAnswers(o, work, answers); status != kOk) return status;
    PluginLibrary library;
    if (const int status = startPlugin(o, p, library); status != kOk) return status;
    HostSession host(library.functions());
    // What the plug-in tells the operator during a pass (a file it cannot write) is quoted, never waited for.
    watchMessages();
    takeMessages();
    if (o.command == "score") return scoreCommand(o, p, host, work);
    if (o.command == "export") return exportCommand(o, p, host, work);
    if (o.command == "report") return reportCommand(o, p, host, work);
    return checkCommand(o, p, host, work);
}

} // namespace

int runCommandLine(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "hostsim: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "hostsim: unexpected failure\n");
    }
    return kBadUse;
}
