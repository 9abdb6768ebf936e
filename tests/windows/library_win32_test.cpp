// The built VU-VO.dll as the host loads it: by path, each function found by its plain and its decorated name.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "plugin/plugin_exports.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"
#include "built_plugin.h"

namespace {

#ifdef _WIN64
#define VUVO_P "PE"
#else
#define VUVO_P "P"
#endif

struct Name {
    const char* plain;
    const char* decorated;
};

// Spelled out here by hand: the export checker makes the same names from the table.
const Name kNames[] = {
    {"GetNumberOfSets", "?GetNumberOfSets@@YAHXZ"},
    {"GetSetName", "?GetSetName@@YA" VUVO_P "BDH@Z"},
    {"SetupSet0", "?SetupSet0@@YAXXZ"},
    {"setVersion", "?setVersion@@YAK" VUVO_P "BD@Z"},
    {"ResetStats0", "?ResetStats0@@YAH" VUVO_P "BDH0" VUVO_P "AVCOleDateTime@@10000000000HHHNN000@Z"},
    {"AddData0", "?AddData0@@YAH" VUVO_P "BD0" VUVO_P "AVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"RemoveData0", "?RemoveData0@@YAH" VUVO_P "BD0" VUVO_P "AVCOleDateTime@@111II000000000000000HHHNN00000@Z"},
    {"CheckCall0", "?CheckCallFunc0@@YAH" VUVO_P "BDII00000000000HHHNN0000000" VUVO_P "AD1@Z"},
    {"IsValidExchg0", "?StatsIsValidExchg0@@YAH" VUVO_P "BD000HHH@Z"},
    {"GetExchgCount0", "?StatsGetExchgCount0@@YAH" VUVO_P "BD00@Z"},
    {"GetResult0", "?GetResult0@@YA" VUVO_P "BD" VUVO_P "AH@Z"},
};

class Library : public test::ScratchFolderTest {
protected:
    void SetUp() override {
        m_module = LoadLibraryA(builtPluginPath().c_str());
        ASSERT_NE(nullptr, m_module) << builtPluginPath() << ": error " << GetLastError();
    }
    void TearDown() override {
        if (m_module) {
            EXPECT_TRUE(FreeLibrary(m_module));
        }
    }
    void* address(const char* name) { return reinterpret_cast<void*>(GetProcAddress(m_module, name)); }
    template <class F>
    F* fn(const char* name) {
        return reinterpret_cast<F*>(address(name));
    }
    HMODULE m_module = nullptr;
};

} // namespace

TEST_F(Library, FindsEveryFunctionByBothNamesAtOneAddress) {
    for (const Name& name : kNames) {
        EXPECT_NE(nullptr, address(name.plain)) << name.plain;
        EXPECT_EQ(address(name.plain), address(name.decorated)) << name.decorated;
    }
    EXPECT_EQ(address("GetNumberOfSets"), address("GetExchgCount0"));
}

TEST_F(Library, ExportsNoOtherName) {
    for (const char* name : {"StopInfoThread", "DllMain", "resetContestState", "_Z10addDataRK8QsoInput",
                             "CheckCallFunc0", "?GetResult0@@YAPBDPAH@Z@", "?GetResult0@@YAPEBDPAH@Z"}) {
        EXPECT_EQ(nullptr, address(name)) << name;
    }
}

TEST_F(Library, AnswersThroughTheDecoratedNames) {
    EXPECT_EQ(1, fn<int()>("?GetNumberOfSets@@YAHXZ")());
    EXPECT_EQ(1, fn<int(const char*, const char*, const char*)>("?StatsGetExchgCount0@@YAH" VUVO_P "BD00@Z")(
                     "", "", ""));
    EXPECT_STREQ("VU-VO Contest (C)", fn<const char*(int)>("?GetSetName@@YA" VUVO_P "BDH@Z")(0));
    EXPECT_STREQ("", fn<const char*(int)>("GetSetName")(1));
    auto isValid = fn<int(const char*, const char*, const char*, const char*, int, int, int)>(
        "?StatsIsValidExchg0@@YAH" VUVO_P "BD000HHH@Z");
    EXPECT_EQ(1, isValid("13", "", "", "", 0, 0, 0));
    EXPECT_EQ(0, isValid("51", "", "", "", 0, 0, 0));
    EXPECT_EQ(0, isValid(nullptr, nullptr, nullptr, nullptr, 0, 0, 0));
    EXPECT_EQ(0ul, fn<unsigned long(const char*)>("setVersion")("5.0"));
}

TEST_F(Library, UnloadsAndLoadsAgain) {
    ASSERT_TRUE(FreeLibrary(m_module));
    m_module = LoadLibraryA(builtPluginPath().c_str());
    ASSERT_NE(nullptr, m_module);
    EXPECT_STREQ("VU-VO Contest (C)", fn<const char*(int)>("GetSetName")(0));
}

// The child: a host that ends its process with the plug-in still loaded and in use.
TEST(ProcessExit, Child) {
    if (!std::getenv("VUVO_EXIT_CHILD")) GTEST_SKIP() << "run by ProcessExit.WithThePluginLoadedIsQuick";
    HMODULE module = LoadLibraryA(builtPluginPath().c_str());
    if (!module) ExitProcess(2);
    auto setVersion = reinterpret_cast<unsigned long (*)(const char*)>(
        reinterpret_cast<void*>(GetProcAddress(module, "setVersion")));
    setVersion("5.0");
    ExitProcess(7);
}

TEST(ProcessExit, WithThePluginLoadedIsQuick) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --gtest_filter=ProcessExit.Child";
    SetEnvironmentVariableA("VUVO_EXIT_CHILD", "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started =
        CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA("VUVO_EXIT_CHILD", nullptr);
    ASSERT_TRUE(started) << GetLastError();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 20000));
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(7u, code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
