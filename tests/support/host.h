// Test support: the host's side of the calls, with readable defaults, run in a fresh scratch folder.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "plugin/host_call.h"
#include "plugin/plugin_exports.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"

namespace test {

COleDateTime at(int year, int month, int day, int hour, int minute, int second = 0);

struct Qso {
    std::string myCall = "K1AR";
    std::string call = "JA1ABC";
    COleDateTime time = at(2026, 4, 11, 12, 0);
    unsigned freqHz = 14025000;
    std::string mode = "CW";
    std::string rstSent = "599";
    std::string rstRcvd = "599";
    std::string exchSent = "05";
    std::string exchRcvd = "13";
    std::string prefix = "JA";
    std::string hostText = "note";
    std::string band = "20m";
};

struct Pass {
    std::string hostDir = "./";
    int exportPass = 0;
    std::string ownCall = "K1AR";
    std::string ownPrefix = "K";
    COleDateTime start = at(2026, 4, 11, 7, 0);
    COleDateTime end = at(2026, 4, 12, 13, 0);
};

// The QSO as AddData0 and RemoveData0 take it; its texts are q's.
host_call::HostQso hostQso(const Qso& q);
int add(const Qso& q);
void remove(const Qso& q);
void reset(const Pass& p = Pass());
std::string result(int* status = nullptr);
int check(const std::string& call, const std::string& band, const std::string& mode, const std::string& prefix,
          int zone = 0, const char* otherBand = nullptr);

// The bad-QSO file of the default pass (contest end 12 April 2026).
inline const char* kBadQsoFile = "BadQSO_RarurAZIZ_12_04_2026.txt";

// Runs each test in a new empty folder holding "Plugins/", with the plug-in's state as freshly loaded.
class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    ScratchFolder m_folder{ScratchFolder::current};
};

} // namespace test
