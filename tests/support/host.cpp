#include "support/host.h"

#include "cabrillo/cabrillo_log.h"
#include "engine/contest_state.h"
#include "platform/posix/message_log.h"
#include "plugin/plugin_state.h"

namespace test {

COleDateTime at(int year, int month, int day, int hour, int minute, int second) {
    return COleDateTime::fromParts(year, month, day, hour, minute, second);
}

host_call::HostQso hostQso(const Qso& q) {
    return {q.myCall.c_str(), q.call.c_str(), q.time, q.freqHz, q.mode.c_str(), q.rstSent.c_str(), q.rstRcvd.c_str(),
            q.exchSent.c_str(), q.exchRcvd.c_str(), q.prefix.c_str(), q.hostText.c_str(), q.band.c_str()};
}

int add(const Qso& q) { return host_call::callWithQso(&AddData0, hostQso(q)); }

void remove(const Qso& q) { EXPECT_EQ(1, host_call::callWithQso(&RemoveData0, hostQso(q))); }

void reset(const Pass& p) {
    COleDateTime start = p.start, end = p.end;
    EXPECT_EQ(1, ResetStats0(p.hostDir.c_str(), p.exportPass, p.ownCall.c_str(), &start, &end, "", "", "", "", "",
                             "", "", "", "", p.ownPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", ""));
}

std::string result(int* status) {
    const char* text = GetResult0(status);
    return text ? text : "(null)";
}

int check(const std::string& call, const std::string& band, const std::string& mode, const std::string& prefix,
          int zone, const char* otherBand) {
    char out1[64] = "untouched", out2[64] = "untouched";
    int code = CheckCall0(call.c_str(), 0, 0, mode.c_str(), "", "", "", "", "", "", "", "", "", prefix.c_str(),
                          zone, 0, 0, 0.0, 0.0, "", "", "", "", "", band.c_str(), otherBand, out1, out2);
    EXPECT_STREQ("untouched", out1);
    EXPECT_STREQ("untouched", out2);
    return code;
}

void HostTest::SetUp() {
    resetPluginState();
    platform::takeShownMessages();
}

} // namespace test
