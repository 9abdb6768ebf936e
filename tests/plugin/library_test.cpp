// The built library as the host sees it: loaded by path, functions found by their plain names.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "plugin/host_call.h"
#include "plugin/plugin_exports.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"

namespace {

const char* const kExports[] = {"GetNumberOfSets", "GetSetName",   "SetupSet0",      "setVersion",
                                "ResetStats0",     "AddData0",     "RemoveData0",    "CheckCall0",
                                "IsValidExchg0",   "GetExchgCount0", "GetResult0"};

class Library : public ::testing::Test {
protected:
    void SetUp() override {
        m_handle = dlopen(VUVO_PLUGIN_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(nullptr, m_handle) << dlerror();
    }
    void TearDown() override {
        if (m_handle) dlclose(m_handle);
    }
    template <class F>
    F* fn(const char* name) {
        return reinterpret_cast<F*>(dlsym(m_handle, name));
    }
    void* m_handle = nullptr;
};

TEST_F(Library, ExportsTheElevenFunctions) {
    for (const char* name : kExports) EXPECT_NE(nullptr, dlsym(m_handle, name)) << name;
}

TEST_F(Library, ExportsNothingElse) {
    std::string command = std::string("nm -D --defined-only '") + VUVO_PLUGIN_PATH + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, pipe);
    std::set<std::string> functions;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, kind, name;
        fields >> address >> kind >> name;
        if (kind == "T") functions.insert(name);
    }
    pclose(pipe);
    EXPECT_EQ(std::set<std::string>(std::begin(kExports), std::end(kExports)), functions);
}

TEST_F(Library, ScoresAPassThroughThePlainNames) {
    test::ScratchFolder folder{test::ScratchFolder::current};
    auto reset = fn<decltype(ResetStats0)>("ResetStats0");
    auto addData = fn<decltype(AddData0)>("AddData0");
    auto getResult = fn<decltype(GetResult0)>("GetResult0");
    COleDateTime start = COleDateTime::fromParts(2026, 4, 11, 7, 0);
    COleDateTime end = COleDateTime::fromParts(2026, 4, 12, 13, 0);
    COleDateTime t = COleDateTime::fromParts(2026, 4, 11, 8, 0);
    EXPECT_EQ(1, reset("./", 0, "K1AR", &start, &end, "", "", "", "", "", "", "", "", "", "K", 0, 0, 0, 0, 0, "",
                       "", ""));
    EXPECT_EQ(1, host_call::callWithQso(addData, {"K1AR", "JA1ABC", t, 1830000, "CW", "599", "599", "05", "13", "JA",
                                                  "", "160m"}));
    std::string text = getResult(nullptr);
    EXPECT_NE(std::string::npos, text.find("160m\t 1\t 4\t 1\r\nTotal\t 1\t 4\t 1\r\n")) << text;

    EXPECT_EQ("[Settings]\r\nStart=1\r\nClaimed=4\r\n", test::readFile("Plugins/VU-VO.ini"));
}

} // namespace
