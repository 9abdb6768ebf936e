#include "platform/message_box.h"

#include "platform/posix/message_log.h"

#include <gtest/gtest.h>

#include <thread>

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

TEST(MessageBox, LogsEveryMessageFromSeveralThreads) {
    platform::takeShownMessages();
    testing::internal::CaptureStderr();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 50; ++i) platform::showMessage("m", "", MessageIcon::none);
        });
    }
    for (std::thread& thread : threads) thread.join();
    std::string expected;
    for (int i = 0; i < 200; ++i) expected += "m\n";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), expected);
    EXPECT_EQ(platform::takeShownMessages(), std::vector<std::string>(200, "m"));
}
