#include "plugin_library.h"

#include <vector>

namespace {

template <typename F>
void lookUp(const std::function<void*(const char*)>& find, const char* name, F& function,
            std::vector<std::string>& missing) {
    void* address = find(name);
    if (address == nullptr) {
        missing.emplace_back(name);
        return;
    }
    function = reinterpret_cast<F>(address);
}

} // namespace

bool resolvePluginFunctions(const std::function<void*(const char*)>& find, const std::string& path,
                            PluginFunctions& f, std::string& error) {
    std::vector<std::string> missing;
    lookUp(find, "GetNumberOfSets", f.GetNumberOfSets, missing);
    lookUp(find, "GetSetName", f.GetSetName, missing);
    lookUp(find, "SetupSet0", f.SetupSet0, missing);
    lookUp(find, "setVersion", f.setVersion, missing);
    lookUp(find, "ResetStats0", f.ResetStats0, missing);
    lookUp(find, "AddData0", f.AddData0, missing);
    lookUp(find, "RemoveData0", f.RemoveData0, missing);
    lookUp(find, "CheckCall0", f.CheckCall0, missing);
    lookUp(find, "IsValidExchg0", f.IsValidExchg0, missing);
    lookUp(find, "GetExchgCount0", f.GetExchgCount0, missing);
    lookUp(find, "GetResult0", f.GetResult0, missing);
    if (missing.empty()) return true;
    error = "the plug-in " + path + " lacks " + (missing.size() == 1 ? "the export " : "the exports ");
    for (std::size_t i = 0; i < missing.size(); ++i) error += (i ? ", " : "") + missing[i];
    return false;
}
