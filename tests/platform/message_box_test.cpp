#include "platform/message_box.h"

#include "platform/posix/message_log.h"

#include <gtest/gtest.h>

using platform::MessageIcon;

TEST(MessageBox, PrintsCaptionAndTextAndLogsText) {
    platform::takeShownMessages();
    testing::internal::CaptureStderr();
    platform::showMessage("Log has 12 QSOs", "VU-VO", MessageIcon::information);
    platform::showMessage("no caption", "", MessageIcon::none);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[VU-VO] Log has 12 QSOs\nno caption\n");
    EXPECT_EQ(platform::takeShownMessages(), (std::vector<std::string>{"Log has 12 QSOs", "no caption"}));
    EXPECT_EQ(platform::takeShownMessages(), std::vector<std::string>{});
}
