#include "plugin_host.h"

#include "built_plugin.h"
#include "plugin/host_call.h"

namespace {

template <class F>
void find(HMODULE module, const char* name, F*& out) {
    out = reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

} // namespace

bool PluginHost::load(std::string& why) {
    m_module = LoadLibraryA(builtPluginPath().c_str());
    if (!m_module) return why = builtPluginPath() + ": error " + std::to_string(GetLastError()), false;
    find(m_module, "ResetStats0", ResetStats0);
    find(m_module, "AddData0", AddData0);
    find(m_module, "RemoveData0", RemoveData0);
    find(m_module, "CheckCall0", CheckCall0);
    find(m_module, "GetResult0", GetResult0);
    if (!ResetStats0 || !AddData0 || !RemoveData0 || !CheckCall0 || !GetResult0)
        return why = "a function is missing", false;
    return true;
}

PluginHost::~PluginHost() {
    if (m_module) FreeLibrary(m_module);
}

bool PluginHost::unload() {
    HMODULE module = m_module;
    m_module = nullptr;
    ResetStats0 = nullptr;
    AddData0 = nullptr;
    RemoveData0 = nullptr;
    CheckCall0 = nullptr;
    GetResult0 = nullptr;
    return module && FreeLibrary(module);
}

void PluginHost::reset(const char* ownCall, const char* ownPrefix, COleDateTime start, COleDateTime end,
                       int mode) const {
    resetWith("[Settings]\r\nStart=1\r\nMode=" + std::to_string(mode) + "\r\n", ownCall, ownPrefix, start, end);
}

// The settings' start marker at 0: this pass is the one of two that starts the window thread.
void PluginHost::resetOpeningWindows(const char* ownCall, const char* ownPrefix, COleDateTime start,
                                     COleDateTime end) const {
    resetWith("[Settings]\r\nStart=0\r\nMode=0\r\n", ownCall, ownPrefix, start, end);
}

void PluginHost::resetWith(const std::string& settings, const char* ownCall, const char* ownPrefix,
                           COleDateTime start, COleDateTime end) const {
    test::writeFile("Plugins\\VU-VO.ini", settings);
    ResetStats0(".\\", 0, ownCall, &start, &end, "", "", "", "", "", "", "", "", "", ownPrefix, 0, 0, 0, 0.0, 0.0,
                "", "", "");
}

namespace {

host_call::HostQso hostQso(const char* myCall, const PassQso& q) {
    return {myCall, q.call, q.time, q.freqHz, q.mode, q.rstSent, q.rstRcvd, q.exchSent, q.exchRcvd, q.prefix, "",
            q.band};
}

} // namespace

int PluginHost::add(const char* myCall, const PassQso& q) const {
    return host_call::callWithQso(AddData0, hostQso(myCall, q));
}

int PluginHost::remove(const char* myCall, const PassQso& q) const {
    return host_call::callWithQso(RemoveData0, hostQso(myCall, q));
}

std::string PluginHost::result() const {
    int status = 0;
    const char* text = GetResult0(&status);
    return text ? text : "(null)";
}

