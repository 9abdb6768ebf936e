// The version resource of the plug-in, read back as Explorer's Properties page reads it: the fixed numbers and the
// strings of its first translation must name the CMake project's version (VUVO_EXPECTED_*). The DLL is the one of
// this build, or the file VUVO_VERSION_OF names (the package test points it at the packaged DLL).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "built_plugin.h"

namespace {

std::string dllUnderTest() {
    const char* named = std::getenv("VUVO_VERSION_OF");
    return named != nullptr && *named != '\0' ? named : builtPluginPath();
}

std::vector<char> versionBlock(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

// The string VALUE of the block's first translation, or "(none)".
std::string stringValue(std::vector<char>& block, const char* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) || length < sizeof(Translation)) {
        return "(no translation)";
    }
    char path[96];
    wsprintfA(path, "\\StringFileInfo\\%04x%04x\\%s", translations[0].language, translations[0].codePage, name);
    char* value = nullptr;
    if (!VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&value), &length) || value == nullptr) {
        return "(none)";
    }
    return std::string(value);
}

TEST(VersionResource, FixedNumbersAreTheProjectVersion) {
    std::vector<char> block = versionBlock(dllUnderTest());
    ASSERT_FALSE(block.empty()) << dllUnderTest() << " has no version resource";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(VS_FFI_SIGNATURE, fixed->dwSignature);
    const DWORD high = MAKELONG(VUVO_EXPECTED_MINOR, VUVO_EXPECTED_MAJOR);
    const DWORD low = MAKELONG(0, VUVO_EXPECTED_PATCH);
    EXPECT_EQ(high, fixed->dwFileVersionMS);
    EXPECT_EQ(low, fixed->dwFileVersionLS);
    EXPECT_EQ(high, fixed->dwProductVersionMS);
    EXPECT_EQ(low, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileFlags);
}

TEST(VersionResource, PropertiesPageTexts) {
    std::vector<char> block = versionBlock(dllUnderTest());
    ASSERT_FALSE(block.empty()) << dllUnderTest() << " has no version resource";
    EXPECT_EQ(VUVO_EXPECTED_VERSION, stringValue(block, "FileVersion"));
    EXPECT_EQ(VUVO_EXPECTED_VERSION, stringValue(block, "ProductVersion"));
    EXPECT_EQ("VU-VO", stringValue(block, "ProductName"));
    EXPECT_EQ("VU-VO", stringValue(block, "InternalName"));
    EXPECT_EQ("VU-VO.dll", stringValue(block, "OriginalFilename"));
    EXPECT_EQ("Japan International DX contest (JIDX) statistics for the Tarn logger",
              stringValue(block, "FileDescription"));
    // A name the resource does not hold reads as absent, not as some other value.
    EXPECT_EQ("(none)", stringValue(block, "CompanyName"));
}

}  // namespace
