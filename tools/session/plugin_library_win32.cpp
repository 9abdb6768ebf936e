// Windows: the library is loaded as the host loads it, LoadLibraryA and then GetProcAddress by plain name.
#include "plugin_library.h"

#include <windows.h>

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

} // namespace

PluginLibrary::~PluginLibrary() { close(); }

void PluginLibrary::close() {
    if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
    m_handle = nullptr;
    m_functions = {};
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
    const auto find = [module](const char* name) {
        // GetProcAddress gives a FARPROC; going through void* keeps the compiler from warning about the cast.
        return reinterpret_cast<void*>(GetProcAddress(module, name));
    };
    if (!resolvePluginFunctions(find, path, f, error)) {
        FreeLibrary(module);
        return false;
    }
    if (m_handle) FreeLibrary(static_cast<HMODULE>(m_handle));
    m_handle = module;
    m_functions = f;
    return true;
}

bool preloadLibrary(const std::string& path, std::string& error) {
    const bool bare = path.find_first_of("/\\:") == std::string::npos;
    if (LoadLibraryA((bare ? ".\\" + path : path).c_str()) != nullptr) return true;
    error = "cannot preload " + path + ": " + lastError();
    return false;
}

std::string programFolder() {
    char path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path) return {};
    std::string folder(path, n);
    const std::size_t cut = folder.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
}

const char* pluginFileName() { return "VU-VO.dll"; }
