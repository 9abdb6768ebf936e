// libFuzzer target: the eleven exports as a hostile host calls them. The input is a flags byte, then a sequence of
// calls (at most kMaxCalls): an opcode byte and the call's arguments, each argument a selector byte that picks a
// hostile value from the tables below or takes the next bytes of the input. The calls run in a scratch folder of
// their own; the target checks what every call returns and, after each input, that every file the plug-in wrote
// lies in that folder.
//
// Changing a table or an opcode changes what the committed corpus means: it still replays, but reaches other code.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/contest_state.h"
#include "engine/jidx_rules.h"
#include "platform/posix/message_log.h"
#include "plugin/plugin_exports.h"
#include "plugin/plugin_state.h"
#include "ui/info_thread_headless.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMaxCalls = 40;
// The calls that read and rewrite files cost far more than the others: a few of each per input.
constexpr int kMaxFileCalls = 4;
constexpr std::size_t kMaxLongText = 2048;
constexpr std::size_t kMaxHistory = 16;

// The sanitizers' report channel, where there is one: it stays open when libFuzzer's -close_fd_mask=2 silences
// the plug-in's message boxes on standard error.
extern "C" void __sanitizer_report_error_summary(const char* summary) __attribute__((weak));

void fail(const char* what, const std::string& detail = {}) {
    const std::string message = "fuzz_exports: " + std::string(what) + " " + detail;
    if (__sanitizer_report_error_summary)
        __sanitizer_report_error_summary(message.c_str());
    else
        std::fprintf(stderr, "%s\n", message.c_str());
    std::abort();
}

// The input, read front to back; past its end every read gives zeros.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool done() const { return m_pos >= m_size; }
    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    template <class T> T raw() {
        T v{};
        unsigned char bytes[sizeof(T)] = {};
        for (unsigned char& b : bytes) b = byte();
        std::memcpy(&v, bytes, sizeof(T));
        return v;
    }
    std::string_view bytes(std::size_t n) {
        n = std::min(n, m_size - std::min(m_pos, m_size));
        std::string_view s(reinterpret_cast<const char*>(m_data) + m_pos, n);
        m_pos += n;
        return s;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// Texts a host might hand over, the plug-in's own keys among them, and texts no host should.
const char* const kTexts[] = {
    nullptr, "", " ", "  \t ", "20m", "40m", "80m", "160m", "15m", "10m", "30m", "17m", "20M", "2m",
    "CW", "SSB", "cw", "Ssb", "RTTY", "PH", "JA", "JD/o", "JD/m", "JD", "ja", "K", "W", "UA", "UA2/f", "UR",
    "599", "59", "01", "50", "13", "25", "41", "00", "51", "1", "001", " 01", "01 ", "13 ", "5a", "AB",
    "K1AR", "JA1ABC", "JA1XYZ", "JA1ABC/1", "W1AW/MM", "K1AR/P", "KAVO", "JA1ABC\\2", " JA1ABC ",
    "./", "../", "/", "..", ".", "../x", "../../x", "/tmp/vuvo-fuzz-escape", "..\\x", "C:\\x", "C:x",
    "\\\\server\\share\\x", "a/../../b", "Plugins/", "Plugins\\VU-VO.ini", "x.cbr", "CON", "NUL:", "a:b",
    "[Settings]", "Mode=1", "Start=0", "Claimed=99", "=", "[", "]", "[]=", "%s%s%n%d%%", "%", "%99999d",
    "\r\n", "line\r\nnext", "\n", "\r", "\t", "Tarn=2.14R", "Tarn=2.19", "Tarn2.ini", "Invalid DateTime",
    "\x80", "\xff\xfe", "\xc0\xae\xc0\xae/", "\xd0\xf3\xf1\xf1\xea\xe8\xe9", "\xe9\x9b\xbb\xe8\xa9\xb1",
    "<b>&amp;</b>\"'", "<script>", "QSO:", "END-OF-LOG:", "START-OF-LOG: 3.0", "CALLSIGN: X",
};
constexpr std::size_t kTextCount = std::size(kTexts);

// The labels of the header dialog, for the answers file, and one it does not have.
const char* const kLabels[] = {
    "CONTEST", "CALLSIGN", "CLAIMED", "CATEGORY-OPERATOR", "LOCATION", "CATEGORY-BAND", "CATEGORY-MODE",
    "CATEGORY-POWER", "CATEGORY-TRANSMITTER", "NAME", "ADDRESS", "ADDRESS-CITY", "ADDRESS-POSTALCODE",
    "ADDRESS-COUNTRY", "OPERATORS", "CLUB", "SOAPBOX", "E-MAIL", "NO-SUCH-BOX",
};

const std::uint32_t kNumbers[] = {
    0, 1, 2, 4, std::numeric_limits<std::uint32_t>::max(), 0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFEu,
    14025000, 14250000, 7010000, 3510000, 1810000, 21025000, 28500000, 10110000, 999, 1000, 1999, 25, 41,
};

// Storage for the arguments of one call: texts and date-times stay where they are until the next call.
struct Arguments {
    std::deque<std::string> texts;
    std::deque<COleDateTime> dates;
    void clear() {
        texts.clear();
        dates.clear();
    }
};

class Decoder {
public:
    Decoder(Reader& in, Arguments& args) : m_in(in), m_args(args) {}

    // A text: a table entry, the next bytes of the input (up to a NUL), or one byte repeated many times.
    const char* text() {
        const std::uint8_t sel = m_in.byte();
        if (sel < kTextCount) return kTexts[sel];
        if (sel & 1) return keep(std::string(m_in.bytes(m_in.byte() % 64)));
        const char c = static_cast<char>(m_in.byte() | 1);
        return keep(std::string(std::min<std::size_t>(kMaxLongText, 16u * (1 + m_in.byte())), c));
    }

    // A date-time: null pointer, each status, non-finite and huge day counts, the edges of the days the host
    // can show and just beyond them, or a time of the contest weekend.
    COleDateTime* date() {
        const double inf = std::numeric_limits<double>::infinity();
        const std::uint8_t sel = m_in.byte() % 24;
        COleDateTime d;
        switch (sel) {
        case 0: return nullptr;
        case 1: d = {46123.5, COleDateTime::null}; break;
        case 2: d = {46123.5, COleDateTime::invalid}; break;
        case 3: d = {m_in.raw<double>(), m_in.raw<std::int32_t>()}; break;
        case 4: d = {std::nan(""), COleDateTime::valid}; break;
        case 5: d = {inf, COleDateTime::valid}; break;
        case 6: d = {-inf, COleDateTime::valid}; break;
        case 7: d = {1e300, COleDateTime::valid}; break;
        case 8: d = {-1e300, COleDateTime::valid}; break;
        case 9: d = {-657434.0, COleDateTime::valid}; break;                 // 0100-01-01 00:00
        case 10: d = {2958465.0 + 86399.0 / 86400.0, COleDateTime::valid}; break; // 9999-12-31 23:59:59
        case 11: d = {2958466.0, COleDateTime::valid}; break;                // 10000-01-01
        case 12: d = {-657435.0, COleDateTime::valid}; break;                // 0099-12-31
        case 13: d = {0.0, COleDateTime::valid}; break;
        case 14: d = {-0.5, COleDateTime::valid}; break;
        case 15: d = {std::numeric_limits<double>::max(), COleDateTime::valid}; break;
        case 16: d = {std::numeric_limits<double>::denorm_min(), COleDateTime::valid}; break;
        case 17: d = {m_in.raw<double>(), COleDateTime::valid}; break;
        default: {
            const std::uint8_t day = m_in.byte(), hour = m_in.byte(), minute = m_in.byte();
            d = COleDateTime::fromParts(2026, 4, 10 + day % 4, hour % 24, minute % 60, 0);
        }
        }
        return &m_args.dates.emplace_back(d);
    }

    std::uint32_t number() {
        const std::uint8_t sel = m_in.byte();
        return sel < std::size(kNumbers) ? kNumbers[sel] : m_in.raw<std::uint32_t>();
    }
    int integer() { return static_cast<int>(number()); }
    double real() {
        static const double reals[] = {0.0, 1.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()};
        return reals[m_in.byte() % std::size(reals)];
    }
    std::uint8_t byte() { return m_in.byte(); }

private:
    const char* keep(std::string s) { return m_args.texts.emplace_back(std::move(s)).c_str(); }

    Reader& m_in;
    Arguments& m_args;
};

// One QSO's arguments as the host gave them to AddData0, kept so that the same QSO can be removed or added again.
struct QsoCall {
    std::vector<std::string> texts; // myCall call mode rstSent rstRcvd exchSent exchRcvd prefix hostText band other
    std::vector<bool> isNull;
    COleDateTime time;
    bool timeNull = false;
    std::uint32_t freqHz = 0;

    const char* at(std::size_t i) const { return isNull[i] ? nullptr : texts[i].c_str(); }
    COleDateTime* timePointer() { return timeNull ? nullptr : &time; }
};

QsoCall decodeQso(Decoder& d) {
    QsoCall q;
    auto take = [&](const char* t) {
        q.isNull.push_back(t == nullptr);
        q.texts.emplace_back(t ? t : "");
    };
    take(d.text());
    take(d.text());
    const COleDateTime* time = d.date();
    q.timeNull = time == nullptr;
    if (time) q.time = *time;
    q.freqHz = d.number();
    for (int i = 2; i < 11; ++i) take(d.text());
    return q;
}

int addData(QsoCall& q) {
    const char* o = q.at(10);
    return AddData0(q.at(0), q.at(1), q.timePointer(), nullptr, nullptr, nullptr, q.freqHz, q.freqHz, q.at(2),
                    q.at(3), q.at(4), q.at(5), q.at(6), o, o, o, o, o, o, o, o, o, q.at(7), 0, -1, 1, 0.0,
                    std::nan(""), o, q.at(8), o, q.at(9), o);
}

int removeData(QsoCall& q) {
    const char* o = q.at(10);
    return RemoveData0(q.at(0), q.at(1), q.timePointer(), nullptr, nullptr, nullptr, q.freqHz, q.freqHz, q.at(2),
                       q.at(3), q.at(4), q.at(5), q.at(6), o, o, o, o, o, o, o, o, o, q.at(7), 0, -1, 1, 0.0,
                       std::nan(""), o, q.at(8), o, q.at(9), o);
}

// The names of a folder's entries, "." and ".." left out.
std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (const dirent* e = readdir(dir))
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.emplace_back(e->d_name);
        closedir(dir);
    }
    return names;
}

// A crash leaves its scratch folder behind: each one is named by its process, and the folders of processes that
// are gone are removed when a new one is made.
void removeStaleScratch(const std::string& tmp) {
    const std::string prefix = "vuvo-fuzz-exports-";
    for (const std::string& name : entries(tmp)) {
        if (name.rfind(prefix, 0) != 0) continue;
        const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(tmp + "/" + name, ignored);
        }
    }
}

// The folders: <root>/run is the host's current folder during the calls; <root> holds nothing else but the
// dialog's answers file, so anything more there was written outside the current folder.
struct Scratch {
    std::string root, run, plugins, answers;
    int home = -1;        // the caller's folder, entered again after each input: libFuzzer's paths may be relative
    bool pluginsMade = false;

    Scratch() {
        // Without TMPDIR, a memory file system where there is one: the plug-in rewrites its files many times in
        // each input, and on a disk that costs more than all the rest.
        const char* tmp = std::getenv("TMPDIR");
        if (!tmp || !*tmp) tmp = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        removeStaleScratch(tmp);
        root = std::string(tmp) + "/vuvo-fuzz-exports-" + std::to_string(getpid());
        std::error_code ignored;
        fs::remove_all(root, ignored);
        run = root + "/run";
        plugins = run + "/Plugins";
        answers = root + "/answers";
        if (mkdir(root.c_str(), 0700) != 0 || mkdir(run.c_str(), 0700) != 0) fail("cannot make", run);
        home = open(".", O_RDONLY | O_DIRECTORY);
    }
    ~Scratch() {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
};

Scratch& scratch() {
    static Scratch s;
    return s;
}

bool endsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// Checks that the plug-in wrote only its own files, and only in the current folder, then removes them.
void endInput(Scratch& s) {
    for (const std::string& name : entries(s.root))
        if (name != "run" && name != "answers")
            fail("the plug-in wrote outside the current folder:", s.root + "/" + name);
    s.pluginsMade = false;
    for (const std::string& name : entries(s.run)) {
        const std::string path = s.run + "/" + name;
        if (name == "Plugins") {
            s.pluginsMade = true;
            for (const std::string& inner : entries(path)) {
                if (inner != "VU-VO.ini") fail("the plug-in wrote an unknown file:", path + "/" + inner);
                unlink((path + "/" + inner).c_str());
            }
            continue;
        }
        const bool own = name == "Tarn2.ini" || endsWith(name, ".cbr") ||
                         (name.rfind("BadQSO_RarurAZIZ_", 0) == 0 && endsWith(name, ".txt"));
        if (!own || unlink(path.c_str()) != 0) fail("the plug-in wrote an unknown file or folder:", path);
    }
    unlink(s.answers.c_str());
    struct stat st;
    if (stat("/tmp/vuvo-fuzz-escape", &st) == 0 || stat("/tmp/vuvo-fuzz-escape.cbr", &st) == 0)
        fail("the plug-in wrote a file named by an absolute own call");
}

// The plug-in as freshly loaded, in an empty current folder with or without its Plugins folder.
void startInput(Scratch& s, std::uint8_t flags) {
    const bool plugins = (flags & 2) == 0;
    if (plugins != s.pluginsMade) {
        if (plugins ? mkdir(s.plugins.c_str(), 0700) != 0 : rmdir(s.plugins.c_str()) != 0)
            fail("cannot make or remove", s.plugins);
        s.pluginsMade = plugins;
    }
    if (chdir(s.run.c_str()) != 0) fail("cannot enter", s.run);
    unsetenv("VUVO_DIALOG_ANSWERS");
    resetPluginState();
    headless::setWindowOpen(flags & 1);
    platform::takeShownMessages();
}

void writeAnswers(Decoder& d, const Scratch& s) {
    const std::uint8_t how = d.byte() % 6;
    if (how == 0) {
        unsetenv("VUVO_DIALOG_ANSWERS");
        return;
    }
    setenv("VUVO_DIALOG_ANSWERS", how == 1 ? (s.root + "/no-such-answers").c_str() : s.answers.c_str(), 1);
    if (how == 1) return;
    std::ofstream out(s.answers, std::ios::binary | std::ios::trunc);
    if (how == 2) out << "CANCEL\r\n";
    for (int n = d.byte() % 5; n > 0; --n) {
        const char* value = d.text();
        out << kLabels[d.byte() % std::size(kLabels)] << '=' << (value ? value : "") << '\n';
    }
}

void writeHostIni(Decoder& d) {
    const char* line = d.text();
    std::ofstream out("Tarn2.ini", std::ios::binary | std::ios::trunc);
    if (d.byte() & 1) out << "[Tarn]\r\nTarn=";
    out << (line ? line : "") << "\r\n";
}

void checkCall(Decoder& d) {
    const char* call = d.text();
    const std::uint32_t u2 = d.number(), u3 = d.number();
    const char* mode = d.text();
    const char* prefix = d.text();
    const int zone = d.integer();
    const char* band = d.text();
    const char* otherBand = d.text();
    const char* o = d.text();
    char out27[16] = "untouched", out28[16] = "untouched";
    const int code = CheckCall0(call, u2, u3, mode, o, o, o, o, o, o, o, o, o, prefix, zone, 0, -1, 0.0,
                                std::nan(""), o, o, o, o, o, band, otherBand, out27, out28);
    if (code != 0 && code != 1 && code != 2 && code != 4) fail("CheckCall0 returned", std::to_string(code));
    if (std::strcmp(out27, "untouched") != 0 || std::strcmp(out28, "untouched") != 0)
        fail("CheckCall0 wrote into its output texts");
}

void isValidExchange(Decoder& d) {
    const char* e = d.text();
    const char* t2 = d.text();
    const char* t3 = d.text();
    const int got = IsValidExchg0(e, t2, t3, nullptr, d.integer(), 0, -1);
    const std::string_view s = e ? e : "";
    const bool digits = s.size() == 2 && s[0] >= '0' && s[0] <= '9' && s[1] >= '0' && s[1] <= '9';
    const int n = digits ? (s[0] - '0') * 10 + (s[1] - '0') : 0;
    const bool county = n >= 1 && n <= jidx::kCountyCount;
    if (got != (county ? 1 : 0)) fail("IsValidExchg0 disagrees with the county table for", std::string(s));
}

void getResult(Decoder& d) {
    int status = 12345;
    const bool withStatus = d.byte() & 1;
    const bool exporting = g_exportPass != 0;
    const char* text = GetResult0(withStatus ? &status : nullptr);
    if (!text) fail("GetResult0 returned a null text");
    (void)std::strlen(text); // the whole text is read: ASan sees a missing terminator
    if (withStatus && status != 12345 && !(exporting && status == -1))
        fail("GetResult0 stored", std::to_string(status));
}

void setName(Decoder& d) {
    const int set = d.integer();
    const char* name = GetSetName(set);
    if (!name || std::strcmp(name, set == 0 ? "VU-VO Contest (C)" : "") != 0)
        fail("GetSetName of", std::to_string(set));
    if (GetNumberOfSets() != 1) fail("GetNumberOfSets is not 1");
    const char* t1 = d.text();
    const char* t2 = d.text();
    const char* t3 = d.text();
    if (GetExchgCount0(t1, t2, t3) != 1) fail("GetExchgCount0 is not 1");
}

// An export pass rewrites the settings file once for each header key: one such pass in an input.
void resetStats(Decoder& d, bool& exported) {
    static const int flags[] = {0, 0, 0, 0, 0, 1, -1, std::numeric_limits<int>::min()};
    const char* hostDir = d.text();
    const int exportPass = flags[d.byte() % std::size(flags)];
    const char* ownCall = d.text();
    COleDateTime* start = d.date();
    COleDateTime* end = d.date();
    const char* o = d.text();
    const char* ownPrefix = d.text();
    const int i16 = d.integer();
    const double d19 = d.real(), d20 = d.real();
    if (exportPass != 0 && std::exchange(exported, true)) return;
    if (ResetStats0(hostDir, exportPass, ownCall, start, end, o, o, o, o, o, o, o, o, o, ownPrefix, i16, 0, -1, d19,
                    d20, o, o, o) != 1)
        fail("ResetStats0 did not return 1");
}

// The opcodes, in the order of their byte values (modulo the count).
enum Op {
    kResetStats, kAddData, kRemoveData, kRemoveAgain, kAddAgain, kCheckCall, kIsValidExchange, kGetResult,
    kSetVersion, kSetName, kSetup, kDialogAnswers, kHostIni, kOpCount
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Scratch& s = scratch();
    Reader in(data, size);
    Arguments args;
    Decoder d(in, args);
    startInput(s, in.byte());
    std::vector<QsoCall> history;
    int budget[kOpCount] = {};
    bool exported = false;
    for (int calls = 0; calls < kMaxCalls && !in.done(); ++calls) {
        args.clear();
        const int op = in.byte() % kOpCount;
        const bool fileCall = op == kResetStats || op == kRemoveData || op == kRemoveAgain || op == kGetResult ||
                              op == kDialogAnswers || op == kHostIni;
        if (fileCall && ++budget[op] > kMaxFileCalls) continue;
        switch (op) {
        case kResetStats: resetStats(d, exported); break;
        case kAddData: {
            QsoCall q = decodeQso(d);
            const int stored = addData(q);
            if (stored != 0 && stored != 1) fail("AddData0 returned", std::to_string(stored));
            if (history.size() < kMaxHistory) history.push_back(std::move(q));
            break;
        }
        case kRemoveData: {
            QsoCall q = decodeQso(d);
            if (removeData(q) != 1) fail("RemoveData0 did not return 1");
            break;
        }
        case kRemoveAgain: // the host takes back a QSO it reported, with the same values
            if (!history.empty() && removeData(history[in.byte() % history.size()]) != 1)
                fail("RemoveData0 did not return 1");
            break;
        case kAddAgain: // ... or reports it again
            if (!history.empty() && addData(history[in.byte() % history.size()]) > 1) fail("AddData0 returned > 1");
            break;
        case kCheckCall: checkCall(d); break;
        case kIsValidExchange: isValidExchange(d); break;
        case kGetResult: getResult(d); break;
        case kSetVersion:
            if (setVersion(d.text()) != 0) fail("setVersion did not return 0");
            break;
        case kSetName: setName(d); break;
        case kSetup: SetupSet0(); break;
        case kDialogAnswers: writeAnswers(d, s); break;
        case kHostIni: writeHostIni(d); break;
        }
    }
    platform::takeShownMessages();
    endInput(s);
    if (fchdir(s.home) != 0) fail("cannot go back to the caller's folder");
    return 0;
}
