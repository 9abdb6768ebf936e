// POSIX: the library is loaded with dlopen and every function looked up by its plain name.
#include "plugin_library.h"

#include <dlfcn.h>

#include <filesystem>

PluginLibrary::~PluginLibrary() { close(); }

void PluginLibrary::close() {
    if (m_handle) dlclose(m_handle);
    m_handle = nullptr;
    m_functions = {};
}

bool PluginLibrary::open(const std::string& path, std::string& error) {
    // A bare name would make dlopen search the system's library folders; the host always loads a file.
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    dlerror();
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* why = dlerror();
        error = "cannot load the plug-in " + path + ": " + (why ? why : "unknown reason");
        return false;
    }

    PluginFunctions f;
    const auto find = [handle](const char* name) { return dlsym(handle, name); };
    if (!resolvePluginFunctions(find, path, f, error)) {
        dlclose(handle);
        return false;
    }
    if (m_handle) dlclose(m_handle);
    m_handle = handle;
    m_functions = f;
    return true;
}

bool preloadLibrary(const std::string& path, std::string& error) {
    const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    dlerror();
    if (dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL) != nullptr) return true;
    const char* why = dlerror();
    error = "cannot preload " + path + ": " + (why ? why : "unknown reason");
    return false;
}

std::string programFolder() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !self.has_parent_path()) return {};
    return self.parent_path().string() + "/";
}

const char* pluginFileName() { return "VU-VO.so"; }
