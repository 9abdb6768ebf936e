// Windows: the library is loaded as the host loads it, LoadLibraryA and then GetProcAddress by plain name.
#include "plugin_library.h"

#include <windows.h>

#include <vector>

namespace {

std::string lastError() {
    const DWORD code = GetLastError();
    char* text = nullptr;
    const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = n && text ? std::string(text, n) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out;
}

template <typename F>
bool lookUp(HMODULE module, const char* name, F& function, std::vector<std::string>& missing) {
    // GetProcAddress gives a FARPROC; going through void* keeps the compiler from warning about the cast.
    void* address = reinterpret_cast<void*>(GetProcAddress(module, name));
    if (address == nullptr) {
        missing.emplace_back(name);
        return false;
    }
    function = reinterpret_cast<F>(address);
    return true;
}

} // namespace

PluginLibrary::~PluginLibrary() {
    if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
}

bool PluginLibrary::open(const std::string& path, std::string& error) {
    // A bare name would make LoadLibrary search the system's folders; the host always loads a file.
    const bool bare = path.find_first_of("/\\:") == std::string::npos;
    const std::string file = bare ? ".\\" + path : path;
    HMODULE module = LoadLibraryA(file.c_str());
    if (module == nullptr) {
        error = "cannot load the plug-in " + path + ": " + lastError();
        return false;
    }

    PluginFunctions f;
    std::vector<std::string> missing;
    lookUp(module, "GetNumberOfSets", f.GetNumberOfSets, missing);
    lookUp(module, "GetSetName", f.GetSetName, missing);
    lookUp(module, "SetupSet0", f.SetupSet0, missing);
    lookUp(module, "setVersion", f.setVersion, missing);
    lookUp(module, "ResetStats0", f.ResetStats0, missing);
    lookUp(module, "AddData0", f.AddData0, missing);
    lookUp(module, "RemoveData0", f.RemoveData0, missing);
    lookUp(module, "CheckCall0", f.CheckCall0, missing);
    lookUp(module, "IsValidExchg0", f.IsValidExchg0, missing);
    lookUp(module, "GetExchgCount0", f.GetExchgCount0, missing);
    lookUp(module, "GetResult0", f.GetResult0, missing);
    if (!missing.empty()) {
        error = "the plug-in " + path + " lacks " + (missing.size() == 1 ? "the export " : "the exports ");
        for (std::size_t i = 0; i < missing.size(); ++i) error += (i ? ", " : "") + missing[i];
        FreeLibrary(module);
        return false;
    }
    if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
    m_handle = module;
    m_functions = f;
    return true;
}
