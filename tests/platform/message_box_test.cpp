#include "platform/message_box.h"

#include "platform/posix/message_log.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/file_bytes.h"
#include "support/scratch_folder.h"

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

// A host's stand-in that names a message log is given every text there, encoded on one line, and tells the user
// itself: nothing is printed. A log that cannot be written loses nothing: the text is printed as without one.
TEST(MessageBox, GivesTextsToTheMessageLogInsteadOfPrinting) {
    const test::ScratchFolder folder;
    const std::string log = folder.path("message_box_test_log.txt");
    setenv("VUVO_MESSAGE_LOG", log.c_str(), 1);
    platform::takeShownMessages();
    testing::internal::CaptureStderr();
    platform::showMessage("File produced: K1VU.cbr", "Output", MessageIcon::information);
    platform::showMessage("two\r\nlines \\ and a backslash", "", MessageIcon::none);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(test::readFile(log), "File produced: K1VU.cbr\ntwo\\r\\nlines \\\\ and a backslash\n");

    setenv("VUVO_MESSAGE_LOG", (log + "/no-such-folder/log.txt").c_str(), 1);
    testing::internal::CaptureStderr();
    platform::showMessage("File produced: K1VU.cbr", "Output", MessageIcon::information);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "[Output] File produced: K1VU.cbr\n");
    unsetenv("VUVO_MESSAGE_LOG");
    EXPECT_EQ(platform::takeShownMessages(), (std::vector<std::string>{"File produced: K1VU.cbr",
                                                                       "two\r\nlines \\ and a backslash",
                                                                       "File produced: K1VU.cbr"}));
    std::filesystem::remove(log);
}
