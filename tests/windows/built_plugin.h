// The plug-in DLL of this build, found from the test program's own folder (VUVO_PLUGIN_FROM_TEST: the DLL's path
// relative to it, set by the build).
#pragma once
#include <windows.h>

#include <string>

inline std::string builtPluginPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of('\\') + 1) + VUVO_PLUGIN_FROM_TEST;
}
