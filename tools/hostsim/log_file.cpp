#include "log_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

constexpr const char* kColumns[] = {"date",     "time",    "freqHz",   "mode",   "call", "rstSent",
                                    "exchSent", "rstRcvd", "exchRcvd", "prefix", "band"};
constexpr std::size_t kColumnCount = std::size(kColumns);

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool digitsOnly(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (!isDigit(c)) return false;
    return true;
}

int number(std::string_view digits) {
    int n = 0;
    for (char c : digits) n = n * 10 + (c - '0');
    return n;
}

// Hinnant's days-from-civil; exact for every Gregorian date.
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// "YYYY-MM-DD" and "HHMM" into a valid date-time; the message says what is wrong otherwise.
bool parseDateTime(std::string_view date, std::string_view time, COleDateTime& out, std::string& why) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !digitsOnly(date.substr(0, 4)) ||
        !digitsOnly(date.substr(5, 2)) || !digitsOnly(date.substr(8, 2))) {
        why = "date \"" + std::string(date) + "\" is not YYYY-MM-DD";
        return false;
    }
    if (time.size() != 4 || !digitsOnly(time)) {
        why = "time \"" + std::string(time) + "\" is not HHMM";
        return false;
    }
    double days = 0;
    if (!oleDays(number(date.substr(0, 4)), number(date.substr(5, 2)), number(date.substr(8, 2)),
                 number(time.substr(0, 2)), number(time.substr(2, 2)), days)) {
        why = "no such date and time: " + std::string(date) + " " + std::string(time);
        return false;
    }
    out = COleDateTime(days, COleDateTime::valid);
    return true;
}

class Reader {
public:
    Reader(LogFile& log, std::vector<std::string>& errors) : m_log(log), m_errors(errors) {}

    void line(int number, std::string_view text) {
        m_line = number;
        if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
        if (number == 1 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 mark
        if (text.find('\0') != std::string_view::npos) return fail("holds a NUL byte");
        if (trimmed(text).empty() || trimmed(text).front() == '#') return;
        if (header(text)) return;
        if (text.find('\t') == std::string_view::npos)
            return fail("neither a header (OWNCALL, OWNPREFIX, START, END) nor a tab-separated QSO line");
        qso(text);
    }

    void finish() {
        if (m_headerLine[0] == 0) m_errors.push_back("no OWNCALL line");
        if (m_headerLine[1] == 0) m_errors.push_back("no OWNPREFIX line");
        if (m_headerLine[2] == 0) m_errors.push_back("no START line");
        if (m_headerLine[3] == 0) m_errors.push_back("no END line");
        if (m_log.start.m_status == COleDateTime::valid && m_log.end.m_status == COleDateTime::valid &&
            m_log.end.m_dt < m_log.start.m_dt)
            m_errors.push_back("line " + std::to_string(m_headerLine[3]) + ": END lies before START");
    }

private:
    void fail(const std::string& what) { m_errors.push_back("line " + std::to_string(m_line) + ": " + what); }

    bool header(std::string_view text) {
        static constexpr const char* kKeys[] = {"OWNCALL", "OWNPREFIX", "START", "END"};
        for (int k = 0; k < 4; ++k) {
            const std::string_view key = kKeys[k];
            if (text.substr(0, key.size()) != key || (text.size() > key.size() && !isBlank(text[key.size()])))
                continue;
            const std::string_view value = trimmed(text.substr(key.size()));
            if (m_headerLine[k]) {
                fail(std::string(key) + " given again (first on line " + std::to_string(m_headerLine[k]) + ")");
                return true;
            }
            m_headerLine[k] = m_line;
            if (m_sawQso) {
                fail(std::string(key) + " after the first QSO line; the header lines come first");
                return true;
            }
            if (value.empty()) {
                fail(std::string(key) + " has no value");
                return true;
            }
            if (k == 0) m_log.ownCall = value;
            if (k == 1) m_log.ownPrefix = value;
            if (k >= 2) {
                const std::size_t gap = value.find_first_of(" \t");
                std::string why;
                COleDateTime& target = k == 2 ? m_log.start : m_log.end;
                if (gap == std::string_view::npos)
                    fail(std::string(key) + " wants \"YYYY-MM-DD HHMM\"");
                else if (!parseDateTime(value.substr(0, gap), trimmed(value.substr(gap)), target, why))
                    fail(std::string(key) + ": " + why);
            }
            return true;
        }
        return false;
    }

    void qso(std::string_view text) {
        m_sawQso = true;
        std::string_view fields[kColumnCount];
        std::size_t count = 0;
        std::size_t from = 0;
        for (;;) {
            const std::size_t tab = text.find('\t', from);
            const std::string_view field = text.substr(from, tab == std::string_view::npos ? tab : tab - from);
            if (count < kColumnCount) fields[count] = trimmed(field);
            ++count;
            if (tab == std::string_view::npos) break;
            from = tab + 1;
        }
        if (count < kColumnCount)
            return fail(std::to_string(count) + " of " + std::to_string(kColumnCount) + " fields; " +
                        kColumns[count] + (count + 1 < kColumnCount ? " and what follows are" : " is") +
                        " missing");
        if (count > kColumnCount)
            return fail(std::to_string(count) + " fields, " + std::to_string(kColumnCount) +
                        " expected (a tab too many?)");
        for (std::size_t i = 0; i < kColumnCount; ++i)
            if (fields[i].empty()) return fail(std::string(kColumns[i]) + " is empty; write - for an empty text");

        LogQso q;
        q.line = m_line;
        std::string why;
        if (!parseDateTime(fields[0], fields[1], q.time, why)) return fail(why);
        if (!digitsOnly(fields[2]) || fields[2].size() > 10 || std::stoull(std::string(fields[2])) > 0xFFFFFFFFull)
            return fail("freqHz \"" + std::string(fields[2]) + "\" is not a frequency in Hz");
        q.freqHz = static_cast<unsigned>(std::stoull(std::string(fields[2])));
        auto textOf = [](std::string_view f) { return f == "-" ? std::string() : std::string(f); };
        q.mode = textOf(fields[3]);
        q.call = textOf(fields[4]);
        q.rstSent = textOf(fields[5]);
        q.exchSent = textOf(fields[6]);
        q.rstRcvd = textOf(fields[7]);
        q.exchRcvd = textOf(fields[8]);
        q.prefix = textOf(fields[9]);
        q.band = textOf(fields[10]);
        m_log.qsos.push_back(std::move(q));
    }

    LogFile& m_log;
    std::vector<std::string>& m_errors;
    int m_line = 0;
    int m_headerLine[4] = {};  // where OWNCALL, OWNPREFIX, START, END were given; 0 not yet
    bool m_sawQso = false;
};

} // namespace

bool oleDays(int year, int month, int day, int hour, int minute, double& days) {
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || hour > 23 || minute > 59) return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    if (day < 1 || day > lengths[month - 1] + (month == 2 && leap)) return false;
    days = static_cast<double>(daysFromCivil(year, month, day) - daysFromCivil(1899, 12, 30)) +
           (hour * 60 + minute) / 1440.0;
    return true;
}

bool readLogFile(const std::string& path, LogFile& log, std::vector<std::string>& errors) {
    log = LogFile();
    errors.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        errors.push_back("a folder, not a log file");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(std::string("cannot open: ") + std::strerror(errno));
        return false;
    }
    Reader reader(log, errors);
    std::string text;
    int number = 0;
    while (std::getline(in, text)) reader.line(++number, text);
    if (in.bad()) {
        errors.push_back("reading failed after line " + std::to_string(number));
        return false;
    }
    reader.finish();
    return errors.empty();
}
