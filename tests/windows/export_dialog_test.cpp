// An export pass through the built VU-VO.dll as the host runs it: ResetStats0 shows the header dialog from the
// plug-in's own resources, GetResult0 writes the Cabrillo file and tells the operator in a message box.
#include <windows.h>

#include <string>

#include "gui_driver.h"
#include "plugin/host_call.h"
#include "plugin/plugin_exports.h"
#include "resources/resource.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"
#include "built_plugin.h"

#include <gtest/gtest.h>

namespace {

class ExportPass : public test::ScratchFolderTest {
protected:
    void SetUp() override {
        char old[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, old);
        m_oldDir = old;
        ASSERT_TRUE(CreateDirectoryA(folder.path("Plugins").c_str(), nullptr));
        ASSERT_TRUE(SetCurrentDirectoryA(folder.root().c_str()));
        m_module = LoadLibraryA(builtPluginPath().c_str());
        ASSERT_NE(nullptr, m_module) << builtPluginPath();
        m_reset = reinterpret_cast<decltype(&ResetStats0)>(reinterpret_cast<void*>(GetProcAddress(m_module, "ResetStats0")));
        m_add = reinterpret_cast<decltype(&AddData0)>(reinterpret_cast<void*>(GetProcAddress(m_module, "AddData0")));
        m_result =
            reinterpret_cast<decltype(&GetResult0)>(reinterpret_cast<void*>(GetProcAddress(m_module, "GetResult0")));
        ASSERT_TRUE(m_reset && m_add && m_result);
    }
    void TearDown() override {
        if (m_module) FreeLibrary(m_module);
        SetCurrentDirectoryA(m_oldDir.c_str());
    }

    // One export pass of one QSO; the dialog is answered by answer, the closing message read into message.
    int exportOneQso(std::function<void(HWND)> answer, std::string& message) {
        COleDateTime start = COleDateTime::fromParts(2026, 4, 11, 7, 0);
        COleDateTime end = COleDateTime::fromParts(2026, 4, 12, 13, 0);
        {
            DialogDriver dialog("JIDX-CW/SSB Contest", std::move(answer));
            m_reset(".\\", 1, "UA9XYZ", &start, &end, "", "", "", "", "", "", "", "", "", "UA9", 0, 0, 0, 0, 0, "",
                    "", "");
            EXPECT_EQ("", dialog.finish());
        }
        host_call::callWithQso(m_add, {"UA9XYZ", "JA1ABC", COleDateTime::fromParts(2026, 4, 11, 12, 0), 14025000,
                                       "CW", "599", "599", "001", "13", "JA", "", "20m"});
        int status = 0;
        DialogDriver box("Output", [&](HWND window) {
            message = itemText(window, 0xFFFF);
            if (message.empty()) {
                // The text's control id differs between systems: take the first static text with words in it.
                for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
                    char cls[16] = {};
                    GetClassNameA(child, cls, sizeof cls);
                    if (lstrcmpiA(cls, "Static") == 0 && message.empty()) message = windowText(child);
                }
            }
            PostMessageA(window, WM_COMMAND, IDOK, 0);
        });
        m_result(&status);
        EXPECT_EQ("", box.finish());
        return status;
    }

    HMODULE m_module = nullptr;
    std::string m_oldDir;
    decltype(&ResetStats0) m_reset = nullptr;
    decltype(&AddData0) m_add = nullptr;
    decltype(&GetResult0) m_result = nullptr;
};

TEST_F(ExportPass, OkWritesTheHeaderAsTypedIntoFileAndSettings) {
    test::writeFile(folder.path("Plugins\\VU-VO.ini"), "[Settings]\r\nMode=0\r\nSoapBox=Old<CR><LF>line\r\n");
    std::string contest, soapbox, message;
    HINSTANCE from = nullptr;
    const int status = exportOneQso(
        [&](HWND dialog) {
            from = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
            contest = itemText(dialog, IDC_CAB_CONTEST);
            soapbox = itemText(dialog, IDC_CAB_SOAPBOX);
            setItemText(dialog, IDC_CAB_OPERATORS, "UA9XYZ\r\nRA9ABC");
            clickButton(dialog, IDOK);
        },
        message);
    EXPECT_EQ(-1, status);
    // Made from the plug-in's own template (this program holds a copy too).
    EXPECT_EQ(m_module, from);
    EXPECT_EQ("JIDX-CW", contest);
    EXPECT_EQ("Old\r\nline", soapbox);
    EXPECT_EQ("File produced: UA9XYZ.cbr", message);
    const std::string log = test::readFile(folder.path("UA9XYZ.cbr"));
    EXPECT_NE(std::string::npos, log.find("\r\nOPERATORS: UA9XYZ\r\nOPERATORS: RA9ABC\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find("\r\nSOAPBOX: Old\r\nSOAPBOX: line\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find("JA1ABC")) << log;
    const std::string settings = test::readFile(folder.path("Plugins\\VU-VO.ini"));
    EXPECT_NE(std::string::npos, settings.find("Operators=UA9XYZ<CR><LF>RA9ABC\r\n")) << settings;
    EXPECT_NE(std::string::npos, settings.find("SoapBox=Old<CR><LF>line\r\n")) << settings;
}

TEST_F(ExportPass, CancelWritesNoFileAndKeepsTheSettings) {
    const std::string ini = "[Settings]\r\nMode=1\r\nOperators=UA9XYZ\r\nSoapBox=Old<CR><LF>line\r\n";
    test::writeFile(folder.path("Plugins\\VU-VO.ini"), ini);
    std::string contest, message;
    exportOneQso(
        [&](HWND dialog) {
            contest = itemText(dialog, IDC_CAB_CONTEST);
            setItemText(dialog, IDC_CAB_OPERATORS, "typed\r\nbut cancelled");
            clickButton(dialog, IDCANCEL);
        },
        message);
    EXPECT_EQ("JIDX-SSB", contest);
    EXPECT_EQ("Export cancelled: no Cabrillo file was written", message);
    EXPECT_FALSE(std::filesystem::exists(folder.path("UA9XYZ.cbr")));
    const std::string settings = test::readFile(folder.path("Plugins\\VU-VO.ini"));
    EXPECT_NE(std::string::npos, settings.find("Operators=UA9XYZ\r\n")) << settings;
    EXPECT_EQ(std::string::npos, settings.find("cancelled")) << settings;
}

} // namespace
