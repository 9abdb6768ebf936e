#include "platform/settings.h"

#include "support/file_bytes.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

namespace {

class ProfileTest : public test::ScratchFolderTest {
protected:
    std::string ini = folder.path("vuvo.ini");

    std::string read(const std::string& section, const std::string& key) {
        return platform::profileRead(ini, section, key, "<default>");
    }
    // Writes text as the file, sets one key and gives the file's bytes afterwards.
    std::string rewrite(const std::string& text, const std::string& section, const std::string& key,
                        const std::string& value) {
        test::writeFile(ini, text);
        EXPECT_TRUE(platform::profileWrite(ini, section, key, value));
        return test::readFile(ini);
    }
};

} // namespace

TEST_F(ProfileTest, ReadIgnoresCaseAndBlanksAroundNamesAndValues) {
    test::writeFile(ini, "[Main]\r\n  CallSign =  DL1ABC  \r\n\tZone\t=\t14\t\r\n[ Other ]\r\nempty=\r\nsum=a=b\r\n");
    EXPECT_EQ(read("main", "callsign"), "DL1ABC");
    EXPECT_EQ(read(" MAIN\t", " ZONE "), "14");
    EXPECT_EQ(read("other", "EMPTY"), "");
    EXPECT_EQ(read("Other", "sum"), "a=b");
}

TEST_F(ProfileTest, ReadDropsOneMatchingPairOfQuotes) {
    test::writeFile(ini, "[Q]\r\n"
                    "double=\"  spaced  \"\r\n"
                    "single='one'\r\n"
                    "mixed=\"open'\r\n"
                    "lone=\"\r\n"
                    "none=\"\"\r\n"
                    "inner=\"a\" b\"\r\n"
                    "inside=a \"b\"  c\r\n");
    EXPECT_EQ(read("Q", "double"), "  spaced  ");
    EXPECT_EQ(read("Q", "single"), "one");
    EXPECT_EQ(read("Q", "mixed"), "\"open'");
    EXPECT_EQ(read("Q", "lone"), "\"");
    EXPECT_EQ(read("Q", "none"), "");
    EXPECT_EQ(read("Q", "inner"), "a\" b");
    EXPECT_EQ(read("Q", "inside"), "a \"b\"  c");
}

// As kernel32 reads them: a ';' line is a key like any other, a line without '=' a key without a value.
TEST_F(ProfileTest, ReadTakesSemicolonLinesAsKeysAndBareLinesAsNoValue) {
    test::writeFile(ini, "[S]\r\n;key=commented\r\n  ;blank=also comment\r\nbare\r\nkey=real\r\n");
    EXPECT_EQ(read("S", "key"), "real");
    EXPECT_EQ(read("S", ";key"), "commented");
    EXPECT_EQ(read("S", ";blank"), "also comment");
    EXPECT_EQ(read("S", "bare"), "<default>");
}

TEST_F(ProfileTest, ReadTakesFirstSectionAndFirstKey) {
    test::writeFile(ini, "[A]\r\nk=1\r\nk=2\r\n[B]\r\nk=3\r\nonlyB=b\r\n[a]\r\nk=4\r\nonly=5\r\n");
    EXPECT_EQ(read("A", "k"), "1");
    EXPECT_EQ(read("b", "K"), "3");
    // The later [a] is not searched once [A] matched.
    EXPECT_EQ(read("A", "only"), "<default>");
    EXPECT_EQ(read("A", "onlyB"), "<default>");
}

TEST_F(ProfileTest, ReadGivesDefaultWhenAnythingIsAbsent) {
    EXPECT_EQ(read("S", "k"), "<default>");
    test::writeFile(ini, "outside=1\r\n[S]\r\nk=v\r\n");
    EXPECT_EQ(read("T", "k"), "<default>");
    EXPECT_EQ(read("S", "x"), "<default>");
    EXPECT_EQ(read("S", "outside"), "<default>");
    // The lines before the first header form a section without a name.
    EXPECT_EQ(read("", "outside"), "1");
    EXPECT_EQ(platform::profileRead(folder.path("absent/vuvo.ini"), "S", "k", "d"), "d");
    EXPECT_EQ(platform::profileRead(folder.root(), "S", "k", "d"), "d");
}

TEST_F(ProfileTest, ReadsWholeLongValuesAndLfOnlyFiles) {
    const std::string longValue(300, 'x');
    test::writeFile(ini, "[S]\nlong=" + longValue + "\nshort=v\n");
    EXPECT_EQ(read("S", "long"), longValue);
    EXPECT_EQ(read("S", "short"), "v");
}

TEST_F(ProfileTest, AcceptsBackslashSeparators) {
    std::filesystem::create_directory(folder.path("sub"));
    const std::string windowsStyle = folder.root() + "\\sub\\my.ini";
    ASSERT_TRUE(platform::profileWrite(windowsStyle, "S", "k", "v"));
    EXPECT_EQ(test::readFile(folder.path("sub/my.ini")), "[S]\r\nk=v\r\n");
    EXPECT_EQ(platform::profileRead(windowsStyle, "S", "k", "d"), "v");
}

TEST_F(ProfileTest, WriteCreatesMissingFile) {
    // Names lose their leading blanks only, as kernel32 stores them; they are still found trimmed.
    ASSERT_TRUE(platform::profileWrite(ini, " Main ", "\tCall ", " DL1ABC"));
    EXPECT_EQ(test::readFile(ini), "[Main ]\r\nCall =DL1ABC\r\n");
    EXPECT_EQ(read("main", "call"), "DL1ABC");
}

TEST_F(ProfileTest, WriteIntoEmptyFile) { EXPECT_EQ(rewrite("", "S", "k", "v"), "[S]\r\nk=v\r\n"); }

// kernel32 writes the whole file back in its own form: every line kept in its place, blanks around names and
// values dropped, blank lines dropped, CR LF ends.
TEST_F(ProfileTest, WriteReplacesKeyInPlaceAndKeepsEveryOtherLine) {
    const std::string before = "; top  \r\n"
                               "[Main]\r\n"
                               "  CallSign = OLD \r\n"
                               "zone=14\t\r\n"
                               "junk without equals\r\n"
                               "  [broken\r\n"
                               "\r\n"
                               "[Other]\r\n"
                               "callsign=keep\r\n";
    const std::string after = "; top\r\n"
                              "[Main]\r\n"
                              "CallSign=NEW\r\n"
                              "zone=14\r\n"
                              "junk without equals\r\n"
                              "[broken\r\n"
                              "[Other]\r\n"
                              "callsign=keep\r\n";
    EXPECT_EQ(rewrite(before, "main", "CALLSIGN", "NEW"), after);
}

TEST_F(ProfileTest, WriteAppendsKeyAtEndOfItsSection) {
    EXPECT_EQ(rewrite("[Main]\r\na=1\r\n; note\r\n\r\n \t\r\n[Other]\r\nb=2\r\n", "MAIN", "c", "3"),
              "[Main]\r\na=1\r\n; note\r\nc=3\r\n[Other]\r\nb=2\r\n");
    EXPECT_EQ(rewrite("[Main]\r\n[Other]\r\n", "main", "k", "v"), "[Main]\r\nk=v\r\n[Other]\r\n");
    EXPECT_EQ(rewrite("[A]\r\nx=1\r\n[B]\r\nk=2\r\n", "a", "k", "3"), "[A]\r\nx=1\r\nk=3\r\n[B]\r\nk=2\r\n");
}

TEST_F(ProfileTest, WriteAppendsSectionAtEnd) {
    EXPECT_EQ(rewrite("[Main]\r\na=1", "New", "k", "v"), "[Main]\r\na=1\r\n[New]\r\nk=v\r\n");
    EXPECT_EQ(rewrite("; only a comment\r\n\r\n", "New", "k", "v"), "; only a comment\r\n[New]\r\nk=v\r\n");
}

TEST_F(ProfileTest, WriteTurnsLfIntoCrLf) {
    EXPECT_EQ(rewrite("[Main]\na=1\nb=2\n", "main", "a", "9"), "[Main]\r\na=9\r\nb=2\r\n");
    EXPECT_EQ(rewrite("[Main]\r\na=1\nb=2", "main", "c", "3"), "[Main]\r\na=1\r\nb=2\r\nc=3\r\n");
}

TEST_F(ProfileTest, WriteChangesOnlyFirstSectionsFirstKey) {
    EXPECT_EQ(rewrite("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n", "A", "K", "x"), "[A]\r\nk=x\r\nk=2\r\n[a]\r\nk=3\r\n");
    EXPECT_EQ(rewrite("[A]\r\nx=1\r\n[a]\r\nk=3\r\n", "A", "k", "new"), "[A]\r\nx=1\r\nk=new\r\n[a]\r\nk=3\r\n");
}

TEST_F(ProfileTest, WriteLeavesCommentedKeyAlone) {
    EXPECT_EQ(rewrite("[A]\r\n;k=old\r\n", "A", "k", "new"), "[A]\r\n;k=old\r\nk=new\r\n");
}

TEST_F(ProfileTest, WriteOfTheSameValueLeavesTheFileAsItIs) {
    const std::string handWritten = "; mine\n\n[S]\n  k = v  \n";
    EXPECT_EQ(rewrite(handWritten, "s", "K", "v"), handWritten);
}

TEST_F(ProfileTest, WriteKeepsLongValuesWhole) {
    const std::string longValue = std::string(150, 'a') + " " + std::string(150, 'b');
    EXPECT_EQ(rewrite("[S]\r\nlong=short\r\n", "S", "long", longValue), "[S]\r\nlong=" + longValue + "\r\n");
    EXPECT_EQ(read("S", "long"), longValue);
}

TEST_F(ProfileTest, WriteFailsWithoutFolderAndOnFolders) {
    const std::string missing = folder.path("absent/vuvo.ini");
    EXPECT_FALSE(platform::profileWrite(missing, "S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(folder.path("absent")));
    std::filesystem::create_directory(folder.path("dir.ini"));
    EXPECT_FALSE(platform::profileWrite(folder.path("dir.ini"), "S", "k", "v"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.path("dir.ini")));
}

// Nothing written adds a line: a value typed with a line break (a header box, a pasted text) stays one value,
// and a name cannot open a section.
TEST_F(ProfileTest, LineBreaksInWhatIsWrittenBecomeBlanks) {
    test::writeFile(ini, "[Settings]\r\nMode=1\r\n");
    ASSERT_TRUE(platform::profileWrite(ini, "Settings", "Address", "1 Main St\r\n[Other]\r\nMode=0"));
    ASSERT_TRUE(platform::profileWrite(ini, "Settings", "Name\nMode", "Kenji\rVu\n"));
    ASSERT_TRUE(platform::profileWrite(ini, "Sett\r\nings]\n[Other", "k", "v"));
    EXPECT_EQ(test::readFile(ini), "[Settings]\r\n"
                              "Mode=1\r\n"
                              "Address=1 Main St  [Other]  Mode=0\r\n"
                              "Name Mode=Kenji Vu\r\n"
                              "[Sett  ings] [Other]\r\n"
                              "k=v\r\n");
    EXPECT_EQ(read("Settings", "Address"), "1 Main St  [Other]  Mode=0");
    EXPECT_EQ(read("Settings", "Mode"), "1");
    EXPECT_EQ(read("Other", "Mode"), "<default>");
    EXPECT_EQ(read("Settings", "Name\nMode"), "<default>");
    EXPECT_EQ(read("Settings", "Name Mode"), "Kenji Vu");
}

// The window thread and the host's thread both write settings: every key of both survives, each whole.
TEST_F(ProfileTest, WritesFromSeveralThreadsAtOnceLoseNoKey) {
    constexpr int kThreads = 4, kKeys = 40;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int k = 0; k < kKeys; ++k) {
                const std::string key = "t" + std::to_string(t) + "k" + std::to_string(k);
                EXPECT_TRUE(platform::profileWrite(ini, "Settings", key, "value of " + key));
                EXPECT_EQ(platform::profileRead(ini, "Settings", key, "<lost>"), "value of " + key);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    std::vector<std::string> expected{"[Settings]"}, lines;
    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kKeys; ++k) {
            const std::string key = "t" + std::to_string(t) + "k" + std::to_string(k);
            expected.push_back(key + "=value of " + key);
        }
    }
    std::istringstream file(test::readFile(ini));
    for (std::string line; std::getline(file, line);) lines.push_back(line.substr(0, line.size() - 1));
    std::sort(expected.begin(), expected.end());
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, expected);
}

TEST(LeadingInt, SignDigitsAndSaturation) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"", 0},
        {"42", 42},
        {"007", 7},
        {"  -17x", -17},
        {"\t+8", 8},
        {"12 34", 12},
        {"abc", 0},
        {"-", 0},
        {"- 5", 0},
        {"x5", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999", INT_MIN},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::leadingInt(c.text), c.value) << '"' << c.text << '"';
}
