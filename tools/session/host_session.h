// The host's side of the calls: one loaded plug-in driven pass by pass, with the texts a host passes.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "plugin_library.h"
#include "tools/logs/log_model.h"

struct PassSetup {
    std::string hostDir;  // ends in a separator
    std::string ownCall;
    std::string ownPrefix;
    COleDateTime start, end;
};

class HostSession {
public:
    explicit HostSession(const PluginFunctions& p) : m_p(p) {}

    void html();                                      // setVersion
    void reset(const PassSetup& pass, bool exportPass);  // ResetStats0
    int add(const LogQso& q, const std::string& ownCall);
    // AddData0 for each QSO in order, as the host hands over its log; returns how many the plug-in stored.
    // afterEach, when given, hears how many have been handed over so far.
    std::size_t addAll(const std::vector<LogQso>& qsos, const std::string& ownCall,
                       const std::function<void(std::size_t done)>& afterEach = {});
    int remove(const LogQso& q, const std::string& ownCall);
    int check(const std::string& call, const std::string& band, const std::string& mode, const std::string& prefix,
              int zone, const char* otherBand);
    int exchange(const std::string& text);
    std::string result(int& status);

private:
    const PluginFunctions& m_p;
};

// What CheckCall0's codes mean, for people.
const char* checkMeaning(int code);

// The operator's choice of the contest mode, as the plug-in's CW/SSB switch stores it in section "Settings" of
// Plugins/VU-VO.ini: "Mode" for the passes (0 CW, 1 SSB) and "setup_mode_cw" / "setup_mode_ssb" ("1" or "0") for
// the window, which a pass that opens it follows. Creates Plugins/ when missing. False, with why, when it cannot.
bool storeContestMode(bool ssb, std::string& why);
// A key of section "Settings" of Plugins/VU-VO.ini as it stands; empty when it is not there.
std::string readSetting(const std::string& key);
// Writes keys of section "Settings" of Plugins/VU-VO.ini as the Windows profile functions do, in this order.
bool storeSettings(const std::vector<std::pair<std::string, std::string>>& values, std::string& why);

// The host's own ini file, Tarn2.ini in the host's folder (the working folder), whose "Tarn=" line gives the
// host's version; the plug-in reads it at every pass start. False, with why, when it cannot be written.
bool storeHostVersion(const std::string& version, std::string& why);

// The header dialog's answers as the native build's dialog port reads them (VUVO_DIALOG_ANSWERS): one
// "LABEL=value" line per box, "\n" for a line break, or "CANCEL". An empty list confirms the dialog unchanged.
class DialogAnswers {
public:
    void set(const std::string& label, const std::string& value) { m_values.emplace_back(label, value); }
    void cancel() { m_cancel = true; }
    bool given() const { return m_cancel || !m_values.empty(); }
    // Writes the answers to a temporary file and points VUVO_DIALOG_ANSWERS at it; the file goes with this object.
    bool publish(std::string& why);
    ~DialogAnswers();

private:
    std::vector<std::pair<std::string, std::string>> m_values;
    bool m_cancel = false;
    std::string m_file;
};

// The folder the plug-in works in (the current one), ending in a separator.
std::string workingFolder();

// Sets an environment variable for this process and the libraries it loads.
void setEnvironment(const char* name, const std::string& value);
