// POSIX: the library is loaded with dlopen and every function looked up by its plain name.
#include "plugin_library.h"

#include <dlfcn.h>

#include <vector>

namespace {

template <typename F>
bool lookUp(void* handle, const char* name, F& function, std::vector<std::string>& missing) {
    dlerror();
    void* address = dlsym(handle, name);
    if (address == nullptr) {
        missing.emplace_back(name);
        return false;
    }
    function = reinterpret_cast<F>(address);
    return true;
}

} // namespace

PluginLibrary::~PluginLibrary() {
    if (m_handle) dlclose(m_handle);
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
    std::vector<std::string> missing;
    lookUp(handle, "GetNumberOfSets", f.GetNumberOfSets, missing);
    lookUp(handle, "GetSetName", f.GetSetName, missing);
    lookUp(handle, "SetupSet0", f.SetupSet0, missing);
    lookUp(handle, "setVersion", f.setVersion, missing);
    lookUp(handle, "ResetStats0", f.ResetStats0, missing);
    lookUp(handle, "AddData0", f.AddData0, missing);
    lookUp(handle, "RemoveData0", f.RemoveData0, missing);
    lookUp(handle, "CheckCall0", f.CheckCall0, missing);
    lookUp(handle, "IsValidExchg0", f.IsValidExchg0, missing);
    lookUp(handle, "GetExchgCount0", f.GetExchgCount0, missing);
    lookUp(handle, "GetResult0", f.GetResult0, missing);
    if (!missing.empty()) {
        error = "the plug-in " + path + " lacks " + (missing.size() == 1 ? "the export " : "the exports ");
        for (std::size_t i = 0; i < missing.size(); ++i) error += (i ? ", " : "") + missing[i];
        dlclose(handle);
        return false;
    }
    if (m_handle) dlclose(m_handle);
    m_handle = handle;
    m_functions = f;
    return true;
}
