#include "platform/files.h"

#include "support/file_bytes.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;
using Lines = std::vector<std::string>;

class FilesTest : public test::ScratchFolderTest {
protected:
    std::string file = folder.path("log.txt");

    // Lines of a file holding bytes.
    Lines linesOf(const std::string& bytes) {
        test::writeFile(file, bytes);
        Lines lines{"stale"};
        EXPECT_TRUE(platform::readLines(file, lines));
        return lines;
    }

    Lines sortedListing(const std::string& pattern) {
        Lines names = platform::listDirectory(pattern);
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace

TEST_F(FilesTest, ReadLinesEndingsAndLastLine) {
    EXPECT_EQ(linesOf("one\r\ntwo\r\n"), (Lines{"one", "two"}));
    EXPECT_EQ(linesOf("one\ntwo\n"), (Lines{"one", "two"}));
    EXPECT_EQ(linesOf("one\r\ntwo\nthree"), (Lines{"one", "two", "three"}));
    EXPECT_EQ(linesOf("\r\n\n \n"), (Lines{"", "", " "}));
    EXPECT_EQ(linesOf("a\rb\r\r\n"), (Lines{"a\rb\r"}));
    EXPECT_EQ(linesOf(""), Lines{});
}

TEST_F(FilesTest, ReadLinesKeepsNulAndHighBytes) {
    const std::string withNul = "a\0b\r\n\0\n\xE4\xF6\xFF"s;
    EXPECT_EQ(linesOf(withNul), (Lines{"a\0b"s, "\0"s, "\xE4\xF6\xFF"}));
}

TEST_F(FilesTest, ReadLinesLargerThanOneBuffer) {
    std::string bytes;
    Lines expected;
    for (int i = 0; i < 3000; ++i) {
        expected.push_back("line " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 17), '.'));
        bytes += expected.back() + (i % 2 ? "\r\n" : "\n");
    }
    EXPECT_EQ(linesOf(bytes), expected);
}

TEST_F(FilesTest, MissingFileHasNoLines) {
    Lines lines{"stale"};
    EXPECT_FALSE(platform::readLines(folder.path("absent.txt"), lines));
    EXPECT_EQ(lines, Lines{});
    EXPECT_FALSE(platform::readLines(folder.root(), lines));
}

TEST_F(FilesTest, AppendCreatesThenAppendsBytesUnchanged) {
    ASSERT_TRUE(platform::appendToFile(file, "first\n"));
    EXPECT_EQ(test::readFile(file), "first\n");
    ASSERT_TRUE(platform::appendToFile(file, "x\0y\r\n"sv));
    ASSERT_TRUE(platform::appendToFile(file, ""));
    EXPECT_EQ(test::readFile(file), "first\nx\0y\r\n"s);
    EXPECT_FALSE(platform::appendToFile(folder.path("absent/log.txt"), "x"));
}

TEST_F(FilesTest, WriteWholeFileCreatesAndTruncates) {
    ASSERT_TRUE(platform::writeWholeFile(file, "a long first content\n"));
    EXPECT_EQ(test::readFile(file), "a long first content\n");
    ASSERT_TRUE(platform::writeWholeFile(file, "short\n"));
    EXPECT_EQ(test::readFile(file), "short\n");
    ASSERT_TRUE(platform::writeWholeFile(file, ""));
    EXPECT_EQ(test::readFile(file), "");
    EXPECT_FALSE(platform::writeWholeFile(folder.path("absent/log.txt"), "x"));
    EXPECT_FALSE(platform::writeWholeFile(folder.root(), "x"));
}

TEST_F(FilesTest, BackslashesSeparateFolders) {
    std::filesystem::create_directory(folder.path("sub"));
    const std::string windowsStyle = folder.root() + "\\sub\\log.txt";
    ASSERT_TRUE(platform::writeWholeFile(windowsStyle, "a\r\n"));
    ASSERT_TRUE(platform::appendToFile(windowsStyle, "b\r\n"));
    EXPECT_EQ(test::readFile(folder.path("sub/log.txt")), "a\r\nb\r\n");
    Lines lines;
    ASSERT_TRUE(platform::readLines(windowsStyle, lines));
    EXPECT_EQ(lines, (Lines{"a", "b"}));
}

TEST_F(FilesTest, ListDirectoryMatchesWithoutRegardToCase) {
    for (const char* name : {"Alpha.INI", "beta.ini", "gamma.txt", "delta.ini.bak", "README", "a[1].ini"}) {
        test::writeFile(folder.path(name), "");
    }
    std::filesystem::create_directory(folder.path("Sub.Ini"));
    EXPECT_EQ(sortedListing(folder.root() + "/*.ini"), (Lines{"Alpha.INI", "Sub.Ini", "a[1].ini", "beta.ini"}));
    EXPECT_EQ(sortedListing(folder.root() + "\\*.INI"), (Lines{"Alpha.INI", "Sub.Ini", "a[1].ini", "beta.ini"}));
    EXPECT_EQ(sortedListing(folder.root() + "/?eta.*"), (Lines{"beta.ini"}));
    EXPECT_EQ(sortedListing(folder.root() + "/A[1].INI"), (Lines{"a[1].ini"}));
    EXPECT_EQ(sortedListing(folder.root() + "/*a*a*"), (Lines{"Alpha.INI", "delta.ini.bak", "gamma.txt"}));
    EXPECT_EQ(sortedListing(folder.root() + "/readme"), (Lines{"README"}));
    EXPECT_EQ(sortedListing(folder.root() + "/*"),
              (Lines{"Alpha.INI", "README", "Sub.Ini", "a[1].ini", "beta.ini", "delta.ini.bak", "gamma.txt"}));
    // A final ".*" also takes names without a dot.
    EXPECT_EQ(sortedListing(folder.root() + "/*.*"),
              (Lines{"Alpha.INI", "README", "Sub.Ini", "a[1].ini", "beta.ini", "delta.ini.bak", "gamma.txt"}));
    EXPECT_EQ(sortedListing(folder.root() + "/*.none"), Lines{});
}

TEST_F(FilesTest, ListDirectoryOfMissingFolderIsEmpty) {
    EXPECT_EQ(platform::listDirectory(folder.path("absent/*.ini")), Lines{});
    EXPECT_EQ(platform::listDirectory(folder.root() + "\\absent\\*"), Lines{});
}
