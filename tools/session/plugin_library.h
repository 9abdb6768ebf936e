// The plug-in as the host sees it: a library opened at run time and its eleven functions looked up by name.
// One adapter per system: plugin_library_posix.cpp (dlopen) and plugin_library_win32.cpp (LoadLibraryA).
#pragma once
#include <functional>
#include <string>

#include "plugin/plugin_exports.h"  // the function types and COleDateTime's layout; nothing of it is linked

struct PluginFunctions {
    decltype(&::GetNumberOfSets) GetNumberOfSets = nullptr;
    decltype(&::GetSetName) GetSetName = nullptr;
    decltype(&::SetupSet0) SetupSet0 = nullptr;
    decltype(&::setVersion) setVersion = nullptr;
    decltype(&::ResetStats0) ResetStats0 = nullptr;
    decltype(&::AddData0) AddData0 = nullptr;
    decltype(&::RemoveData0) RemoveData0 = nullptr;
    decltype(&::CheckCall0) CheckCall0 = nullptr;
    decltype(&::IsValidExchg0) IsValidExchg0 = nullptr;
    decltype(&::GetExchgCount0) GetExchgCount0 = nullptr;
    decltype(&::GetResult0) GetResult0 = nullptr;
};

// Fills f with every function, looked up by its plain name through find (an address, or null when absent). False,
// with error naming the library path and every missing name, when any is absent.
bool resolvePluginFunctions(const std::function<void*(const char*)>& find, const std::string& path,
                            PluginFunctions& f, std::string& error);

class PluginLibrary {
public:
    PluginLibrary() = default;
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;
    ~PluginLibrary();

    // Opens the library and finds every function; on failure says why (every missing name) and holds nothing.
    bool open(const std::string& path, std::string& error);
    const PluginFunctions& functions() const { return m_functions; }
    bool loaded() const { return m_handle != nullptr; }
    // Unloads the library as the host does when it lets a plug-in go (FreeLibrary, dlclose); the functions are
    // gone with it.
    void close();

private:
    void* m_handle = nullptr;
    PluginFunctions m_functions;
};

// Loads another library into the process for good, as a host's other add-ons are (dlopen, LoadLibraryA); false,
// with error, when it cannot be loaded.
bool preloadLibrary(const std::string& path, std::string& error);

// The folder of hostsim's own program file, ending in a separator; empty when the system does not say.
std::string programFolder();

// The plug-in's file name on this system: "VU-VO.dll" or "VU-VO.so".
const char* pluginFileName();
