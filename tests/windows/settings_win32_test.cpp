// The Windows settings adapter: our profile code over the files adapter, placed and read as kernel32 does.
#include <windows.h>

#include <string>

#include "platform/settings.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"

namespace {

class SettingsWin32 : public test::ScratchFolderTest {
protected:
    std::string ini = folder.path("vuvo.ini");
};

std::string longValue(std::size_t length) {
    std::string value;
    for (std::size_t i = 0; i < length; ++i) value += static_cast<char>('a' + i % 26);
    return value;
}

} // namespace

TEST_F(SettingsWin32, ReadsValuesWholeWhateverTheirLength) {
    for (const std::size_t length : {254u, 255u, 256u, 257u, 1023u, 1024u, 1025u, 100000u}) {
        const std::string value = longValue(length);
        test::writeFile(ini, "[S]\r\nk=" + value + "\r\n");
        EXPECT_EQ(value, platform::profileRead(ini, "S", "k", "")) << length;
    }
}

TEST_F(SettingsWin32, GivesTheDefaultBackWhole) {
    test::writeFile(ini, "[S]\r\nempty=\r\nblank=x\r\n");
    EXPECT_EQ("  def  ", platform::profileRead(ini, "S", "absent", "  def  "));
    EXPECT_EQ("def\t", platform::profileRead(ini, "T", "k", "def\t"));
    EXPECT_EQ("  def  ", platform::profileRead(folder.path("none.ini"), "S", "k", "  def  "));
    EXPECT_EQ("", platform::profileRead(ini, "S", "empty", "def "));
    EXPECT_EQ("x", platform::profileRead(ini, "S", "blank", "def "));
    EXPECT_EQ("", platform::profileRead(ini, "S", "absent", ""));
}

TEST_F(SettingsWin32, AValueThatLooksLikeTheProbesIsStillAValue) {
    test::writeFile(ini, "[S]\r\none=\x01\r\ntwo=\x02\r\n");
    EXPECT_EQ("\x01", platform::profileRead(ini, "S", "one", "def "));
    EXPECT_EQ("\x02", platform::profileRead(ini, "S", "two", "def "));
}

TEST_F(SettingsWin32, WritesAndFailsAsTheContractSays) {
    EXPECT_TRUE(platform::profileWrite(ini, "Main", "Call", "K1AR"));
    EXPECT_TRUE(platform::profileWrite(ini, "main", "Zone", "5"));
    EXPECT_EQ("[Main]\r\nCall=K1AR\r\nZone=5\r\n", test::readFile(ini));
    EXPECT_FALSE(platform::profileWrite(folder.path("absent\\vuvo.ini"), "S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(folder.path("absent")));
}

TEST_F(SettingsWin32, ForwardSlashesWorkAsFolderSeparators) {
    std::string slashed = ini;
    for (char& c : slashed) c = c == '\\' ? '/' : c;
    EXPECT_TRUE(platform::profileWrite(slashed, "S", "k", "v"));
    EXPECT_EQ("v", platform::profileRead(ini, "S", "k", ""));
}

TEST_F(SettingsWin32, ANameWithoutAFolderLivesWhereKernel32PutsIt) {
    char windows[MAX_PATH];
    ASSERT_NE(0u, GetWindowsDirectoryA(windows, MAX_PATH));
    const std::string name = "vuvo-settings-" + std::to_string(GetCurrentProcessId()) + ".ini";
    const std::string placed = std::string(windows) + "\\" + name;
    EXPECT_TRUE(platform::profileWrite(name, "S", "k", "v"));
    EXPECT_EQ("[S]\r\nk=v\r\n", test::readFile(placed));
    EXPECT_EQ("v", platform::profileRead(name, "S", "k", ""));
    char kernel[16] = {};
    GetPrivateProfileStringA("S", "k", "", kernel, sizeof kernel, name.c_str());
    EXPECT_EQ("v", std::string(kernel));
    DeleteFileA(placed.c_str());
}
