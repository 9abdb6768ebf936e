// The built VU-VO.dll as a host drives it: loaded by path, its functions found by their plain names, one
// statistics pass at a time, in a folder of the test's own (the current one, which the plug-in writes to).
#pragma once
#include <windows.h>

#include <string>

#include "plugin/plugin_exports.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"

struct PassQso {
    const char* call;
    COleDateTime time;
    unsigned freqHz;
    const char* mode;
    const char* exchRcvd;
    const char* prefix;
    const char* band;
    const char* rstSent = "599";
    const char* rstRcvd = "599";
    const char* exchSent = "05";
};

class PluginHost {
public:
    // Loads the plug-in; false, with the system's error, when it cannot.
    bool load(std::string& why);
    ~PluginHost();

    // ResetStats0 for own call and prefix, the contest from start to end, the host in the current folder; the
    // settings are first made to hold the contest mode (0 CW, 1 SSB) and say that no window thread may start
    // (these passes open no windows).
    void reset(const char* ownCall, const char* ownPrefix, COleDateTime start, COleDateTime end, int mode = 0) const;
    // ResetStats0 as above, with settings that make this pass start the window thread (CW): it returns once the
    // plug-in's main window is up. Needs a display.
    void resetOpeningWindows(const char* ownCall, const char* ownPrefix, COleDateTime start, COleDateTime end) const;
    // FreeLibrary's answer; the functions are gone after it.
    bool unload();
    HMODULE module() const { return m_module; }
    int add(const char* myCall, const PassQso& q) const;
    int remove(const char* myCall, const PassQso& q) const;
    std::string result() const;

    decltype(&::ResetStats0) ResetStats0 = nullptr;
    decltype(&::AddData0) AddData0 = nullptr;
    decltype(&::RemoveData0) RemoveData0 = nullptr;
    decltype(&::CheckCall0) CheckCall0 = nullptr;
    decltype(&::GetResult0) GetResult0 = nullptr;

private:
    void resetWith(const std::string& settings, const char* ownCall, const char* ownPrefix, COleDateTime start,
                   COleDateTime end) const;
    HMODULE m_module = nullptr;
};

