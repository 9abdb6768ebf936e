// ADIF's ADI form: <NAME:LENGTH[:TYPE]>value fields, <EOR> after each record, an optional free-text header ended
// by <EOH>. Names compare without letter case; lengths count bytes, or characters for writers that count UTF-8
// characters (detected where a byte count would end inside a value).
#include <algorithm>
#include <map>

#include "frequency.h"
#include "log_model.h"
#include "ole_time.h"
#include "text_util.h"

namespace {

// Line numbers of positions, for positions visited in increasing order.
class LineCounter {
public:
    explicit LineCounter(std::string_view bytes) : m_bytes(bytes) {}
    int at(std::size_t pos) {
        for (; m_pos < pos && m_pos < m_bytes.size(); ++m_pos)
            if (m_bytes[m_pos] == '\n') ++m_line;
        return m_line;
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    int m_line = 1;
};

bool endsValue(std::string_view bytes, std::size_t pos) {
    return pos >= bytes.size() || bytes[pos] == '<' || ascii::isSpace(bytes[pos]);
}

// Where a value of `length` units starting at `from` ends: bytes, unless that ends inside the value and counting
// UTF-8 characters ends where a value should.
std::size_t valueEnd(std::string_view bytes, std::size_t from, std::size_t length) {
    const std::size_t byBytes = from + length;
    if (endsValue(bytes, byBytes)) return byBytes;
    std::size_t pos = from;
    bool multibyte = false;
    for (std::size_t n = 0; n < length && pos < bytes.size(); ++n) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        std::size_t size = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        multibyte |= size > 1;
        pos += size;
    }
    if (multibyte && pos <= bytes.size() && endsValue(bytes, pos)) return pos;
    return byBytes;
}

struct Field {
    std::string value;
    int line = 0;
};

class AdifReader {
public:
    AdifReader(std::string_view bytes, const std::string& name, std::vector<std::string>& messages)
        : m_bytes(bytes), m_name(name), m_messages(messages), m_lines(bytes) {}

    Log read() {
        m_log.format = "ADIF";
        std::size_t pos = 0;
        if (m_bytes.substr(0, 3) == "\xEF\xBB\xBF") pos = 3;
        if (ascii::trim(m_bytes.substr(pos)).empty()) {
            m_log.empty = true;
            return std::move(m_log);
        }
        // Text before the first field is the header's free text, up to <EOH>.
        if (pos < m_bytes.size() && m_bytes[pos] != '<') {
            const std::size_t eoh = findNoCase("<eoh>", pos);
            if (eoh == std::string_view::npos)
                note(1, "the header has no <EOH>; fields are read from the first '<' on");
            else
                pos = eoh + 5;
        }
        while (pos < m_bytes.size()) {
            const std::size_t open = m_bytes.find('<', pos);
            if (open == std::string_view::npos) break;
            pos = tag(open);
        }
        noteStrays();
        if (!m_record.empty()) {
            note(m_recordLine, "the last record has no <EOR>; it is read as it stands");
            finishRecord();
        }
        // The contest the records name most often.
        std::size_t most = 0;
        for (const auto& [contest, count] : m_contests)
            if (count > most) most = count, m_log.contest = contest;
        return std::move(m_log);
    }

private:
    void note(int line, const std::string& text) {
        m_messages.push_back(m_name + ":" + std::to_string(line) + ": " + text);
    }

    std::size_t findNoCase(std::string_view what, std::size_t from) const {
        for (std::size_t i = from; i + what.size() <= m_bytes.size(); ++i)
            if (ascii::equalsNoCase(m_bytes.substr(i, what.size()), what)) return i;
        return std::string_view::npos;
    }

    // The first '>' after `open`. Kept between calls: each '<' of a run of stray ones would otherwise search the
    // same bytes for it again, and reading would take time growing with the square of the run.
    std::size_t closeAfter(std::size_t open) {
        if (!m_closeSearched || (m_close != std::string_view::npos && m_close <= open)) {
            m_close = m_bytes.find('>', open + 1);
            m_closeSearched = true;
        }
        return m_close;
    }

    // One message for a run of stray '<' (no field between them): a run can be long, a message each is noise.
    void noteStrays() {
        if (m_strays == 0) return;
        if (m_strays == 1)
            note(m_strayLine, "a stray '<' outside any field; ignored");
        else
            note(m_strayLine, std::to_string(m_strays) + " stray '<' outside any field" +
                                  (m_lastStrayLine != m_strayLine
                                       ? ", the last on line " + std::to_string(m_lastStrayLine)
                                       : std::string()) +
                                  "; ignored");
        m_strays = 0;
    }

    // The tag at `open` and its value; returns where reading goes on.
    std::size_t tag(std::size_t open) {
        const int line = m_lines.at(open);
        const std::size_t close = closeAfter(open);
        if (close == std::string_view::npos) {
            noteStrays();
            note(line, "'<' without '>' before the end of the file; the rest is ignored");
            return m_bytes.size();
        }
        // Only up to the '>': the next '<' beyond it is the next tag's, found from there.
        const std::size_t nextOpen = m_bytes.substr(0, close).find('<', open + 1);
        if (nextOpen != std::string_view::npos) {
            if (m_strays++ == 0) m_strayLine = line;
            m_lastStrayLine = line;
            return nextOpen;
        }
        noteStrays();
        const std::string_view inside = m_bytes.substr(open + 1, close - open - 1);
        const std::size_t colon = inside.find(':');
        const std::string fieldName = ascii::lower(ascii::trim(inside.substr(0, colon)));
        if (colon == std::string_view::npos) {
            endMark(line, inside, fieldName);
            return close + 1;
        }
        const std::string_view lengthText = inside.substr(colon + 1, inside.find(':', colon + 1) - colon - 1);
        if (fieldName.empty()) {
            note(line, "a field without a name, <" + shown(inside) + ">; ignored");
            return close + 1;
        }
        if (!allDigits(ascii::trim(lengthText)) || ascii::trim(lengthText).size() > 9) {
            note(line, "field <" + shown(inside) + "> has no usable length; ignored");
            return close + 1;
        }
        std::size_t length = 0;
        for (char c : ascii::trim(lengthText)) length = length * 10 + static_cast<std::size_t>(c - '0');
        return takeValue(line, inside, fieldName, close + 1, length);
    }

    // A tag without a length: the end of a record, the end of the header, or a field that cannot be read.
    void endMark(int line, std::string_view inside, const std::string& fieldName) {
        if (fieldName == "eor") {
            if (m_record.empty())
                note(line, "<EOR> without fields; ignored");
            else
                finishRecord();
        } else if (fieldName == "eoh") {
            m_record.clear();  // fields before <EOH> were the header's
        } else {
            note(line, "field <" + shown(inside) + "> has no length; ignored");
        }
    }

    // The value of `length` bytes from `from` joins the record (the first of a name given twice stands); returns
    // where reading goes on.
    std::size_t takeValue(int line, std::string_view inside, const std::string& fieldName, std::size_t from,
                          std::size_t length) {
        std::size_t end;
        if (length > m_bytes.size() - from) {
            note(line, "field <" + shown(inside) + "> runs past the end of the file; it keeps what there is (" +
                           counted(m_bytes.size() - from, "byte") + ")");
            end = m_bytes.size();
        } else {
            end = valueEnd(m_bytes, from, length);
        }
        if (m_record.empty()) m_recordLine = line;
        Field& f = m_record[fieldName];
        if (f.line != 0)
            note(line, "field " + ascii::upper(fieldName) + " given twice in one record (first on line " +
                           std::to_string(f.line) + "); the first stands");
        else
            f = Field{std::string(m_bytes.substr(from, end - from)), line};
        return end;
    }

    const Field* field(const char* fieldName) const {
        auto it = m_record.find(fieldName);
        return it == m_record.end() ? nullptr : &it->second;
    }
    std::string text(const char* fieldName) const {
        const Field* f = field(fieldName);
        return f ? f->value : std::string();
    }
    std::string firstOf(const char* a, const char* b) const { return field(a) ? text(a) : text(b); }

    void finishRecord() {
        const int line = m_recordLine;
        LogQso q;
        q.line = line;
        q.call = ascii::upper(ascii::trim(text("call")));
        const std::string myCall = ascii::upper(ascii::trim(firstOf("station_callsign", "operator")));
        if (q.call.empty()) {
            note(line, "a record without CALL; left out");
        } else if (!field("qso_date") || !field("time_on")) {
            note(line, std::string("a record without ") + (field("qso_date") ? "TIME_ON" : "QSO_DATE") +
                           " (" + shown(q.call) + "); left out");
        } else {
            std::string why;
            if (!parseDateTime(ascii::trim(text("qso_date")), ascii::trim(text("time_on")), q.time, why)) {
                note(line, why + " (" + shown(q.call) + "); left out");
            } else {
                q.myCall = myCall;
                if (const Field* f = field("freq")) {
                    const Megahertz read = megahertzToHertz(f->value, q.freqHz);
                    if (read == Megahertz::notANumber)
                        note(f->line, "FREQ \"" + shown(f->value) + "\" is not a frequency in MHz; taken as 0");
                    else if (read == Megahertz::tooHigh)
                        note(f->line, "FREQ \"" + shown(f->value) + "\" is out of range: the host's frequency "
                                      "holds at most " + std::string(kHighestMegahertz) + "; taken as 0");
                }
                const std::string byFrequency = q.freqHz ? bandOfFrequency(q.freqHz) : std::string();
                if (field("band")) {
                    q.band = ascii::lower(ascii::trim(text("band")));
                    if (!byFrequency.empty() && byFrequency != q.band)
                        note(line, "BAND " + shown(q.band) + " but FREQ lies in " + byFrequency + " (" +
                                       shown(q.call) + "); the band stands");
                } else {
                    q.band = byFrequency;
                }
                q.mode = ascii::upper(ascii::trim(text("mode")));
                const std::string submode = ascii::upper(ascii::trim(text("submode")));
                if (q.mode == "USB" || q.mode == "LSB" || (q.mode == "SSB" && !submode.empty())) q.mode = "SSB";
                q.rstSent = text("rst_sent");
                q.rstRcvd = text("rst_rcvd");
                q.exchSent = firstOf("stx_string", "stx");
                q.exchRcvd = firstOf("srx_string", "srx");
                m_log.qsos.push_back(std::move(q));
            }
        }
        if (m_log.ownCall.empty() && !myCall.empty()) m_log.ownCall = myCall;
        if (const std::string contest = ascii::upper(ascii::trim(text("contest_id"))); !contest.empty()) {
            auto it = std::find_if(m_contests.begin(), m_contests.end(),
                                   [&](const auto& c) { return c.first == contest; });
            if (it == m_contests.end()) m_contests.emplace_back(contest, 1);
            else ++it->second;
        }
        m_record.clear();
    }

    std::string_view m_bytes;
    const std::string& m_name;
    std::vector<std::string>& m_messages;
    LineCounter m_lines;
    Log m_log;
    std::map<std::string, Field> m_record;
    std::vector<std::pair<std::string, std::size_t>> m_contests;  // CONTEST_ID values in the order first met
    int m_recordLine = 0;
    std::size_t m_close = 0;
    bool m_closeSearched = false;
    std::size_t m_strays = 0;  // stray '<' since the last field, told in one message
    int m_strayLine = 0, m_lastStrayLine = 0;
};

} // namespace

Log readAdif(std::string_view bytes, const std::string& name, std::vector<std::string>& messages) {
    return AdifReader(bytes, name, messages).read();
}
