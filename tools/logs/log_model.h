// A contest log as hostsim hands it to the plug-in: one entry per QSO, the texts as the host would pass them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/date_time.h"  // COleDateTime's layout, which the plug-in's calls take; nothing of it is linked

struct LogQso {
    int line = 0;               // where the QSO's record starts in the file, for messages
    COleDateTime time;          // always valid
    unsigned freqHz = 0;        // 0 when the log gives none
    std::string myCall;         // the logging station's call as the log names it; empty: the own call
    std::string call;
    std::string mode;           // the host's names: "CW", "SSB", ...
    std::string band;           // the host's names: "160m" ... "10m", "30m", ...; empty when unknown
    std::string rstSent, exchSent, rstRcvd, exchRcvd;
    std::string prefix;         // the country prefix, filled in from the call (cty.h)
};

struct Log {
    std::string format;   // "ADIF" or "Cabrillo"
    std::string ownCall;  // the own call as the log names it; empty when it names none
    std::string contest;  // the contest the log names (Cabrillo's CONTEST:, the ADIF records' CONTEST_ID, the
                          // most frequent one); empty when it names none
    bool empty = false;   // the file holds nothing but blanks
    std::vector<LogQso> qsos;
};

// Reads the bytes of an ADIF (.adi) log. Every problem is one message "name:line: text"; a record that cannot be
// used (no call, no date or time) is left out, everything else is read as far as it goes.
Log readAdif(std::string_view bytes, const std::string& name, std::vector<std::string>& messages);

// Reads the bytes of a Cabrillo log: its QSO: lines (X-QSO: lines are skipped) and the CALLSIGN: line.
Log readCabrillo(std::string_view bytes, const std::string& name, std::vector<std::string>& messages);

// Chooses the reader by content. False (with one message) when the bytes are neither ADIF nor Cabrillo, are
// UTF-16 (a byte-order mark) or are no text at all (NUL bytes); an empty file is an ADIF log without QSOs.
bool readLog(std::string_view bytes, const std::string& name, Log& log, std::vector<std::string>& messages);

// readLog() on a file's contents; false when it cannot be read. The messages name the file as path, or as name (a
// path as the operator gave it, for a file read from elsewhere).
bool readLogFile(const std::string& path, const std::string& name, Log& log, std::vector<std::string>& messages);
inline bool readLogFile(const std::string& path, Log& log, std::vector<std::string>& messages) {
    return readLogFile(path, path, log, messages);
}

// The host's band name of a frequency ("40m"), or "" outside the amateur bands hostsim knows.
std::string bandOfFrequency(unsigned hz);
// The lowest frequency of a band as the host names it, in kHz ("40m": 7000); 0 for a name hostsim does not know.
unsigned bandFloorKilohertz(std::string_view band);
