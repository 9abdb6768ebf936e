// The Windows file adapter: lines, appends, whole writes that let readers in, and directory listings.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files.h"
#include "temp_dir.h"

namespace {

using Lines = std::vector<std::string>;

class FilesWin32 : public TempDirTest {
protected:
    Lines sorted(Lines names) {
        std::sort(names.begin(), names.end());
        return names;
    }
};

HANDLE openHandle(const std::string& path, DWORD access, DWORD share) {
    return CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

TEST_F(FilesWin32, ReadsLinesOfEitherEnding) {
    putFile(dir.path("a.txt"), "one\r\ntwo\nthree\r\n\r\nlast");
    Lines lines{"stale"};
    ASSERT_TRUE(platform::readLines(dir.path("a.txt"), lines));
    EXPECT_EQ((Lines{"one", "two", "three", "", "last"}), lines);
    EXPECT_EQ(5u, platform::countLines(dir.path("a.txt")));
    EXPECT_FALSE(platform::readLines(dir.path("missing.txt"), lines));
    EXPECT_EQ(Lines{}, lines);
    EXPECT_EQ(0u, platform::countLines(dir.path("missing.txt")));
    EXPECT_FALSE(platform::readLines(dir.root(), lines));
}

TEST_F(FilesWin32, CountsLinesPastTheReadBuffer) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + "\r\n";
    putFile(dir.path("big.txt"), text);
    EXPECT_EQ(5000u, platform::countLines(dir.path("big.txt")));
    Lines lines;
    ASSERT_TRUE(platform::readLines(dir.path("big.txt"), lines));
    ASSERT_EQ(5000u, lines.size());
    EXPECT_EQ("line 4999", lines.back());
}

TEST_F(FilesWin32, AppendsAndWritesBytesUntranslated) {
    const std::string path = dir.path("bad.txt");
    EXPECT_TRUE(platform::appendToFile(path, "a\n"));
    EXPECT_TRUE(platform::appendToFile(path, std::string("b\r\n\0c", 5)));
    EXPECT_EQ(std::string("a\nb\r\n\0c", 7), fileBytes(path));
    EXPECT_TRUE(platform::writeWholeFile(path, "new\n"));
    EXPECT_EQ("new\n", fileBytes(path));
    EXPECT_TRUE(platform::writeWholeFile(path, ""));
    EXPECT_EQ("", fileBytes(path));
    EXPECT_FALSE(platform::writeWholeFile(dir.path("absent\\x.cbr"), "x"));
    EXPECT_FALSE(platform::appendToFile(dir.path("absent\\x.txt"), "x"));
}

TEST_F(FilesWin32, WritesWhileAnotherProgramReadsTheFile) {
    const std::string path = dir.path("log.cbr");
    putFile(path, "old");
    // A viewer that has the file open and lets others write: our writer must let it go on reading.
    HANDLE viewer = openHandle(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_NE(INVALID_HANDLE_VALUE, viewer);
    EXPECT_TRUE(platform::writeWholeFile(path, "START-OF-LOG: 3.0\r\n"));
    EXPECT_TRUE(platform::appendToFile(path, "END-OF-LOG:\r\n"));
    CloseHandle(viewer);
    EXPECT_EQ("START-OF-LOG: 3.0\r\nEND-OF-LOG:\r\n", fileBytes(path));
}

TEST_F(FilesWin32, KeepsOthersFromWritingWhileItWrites) {
    const std::string path = dir.path("log.cbr");
    putFile(path, "old");
    // A program that will not share writing: the write fails and the file stays as it was.
    HANDLE locker = openHandle(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_NE(INVALID_HANDLE_VALUE, locker);
    EXPECT_FALSE(platform::writeWholeFile(path, "new"));
    CloseHandle(locker);
    EXPECT_EQ("old", fileBytes(path));
}

TEST_F(FilesWin32, ListsMatchingNamesOnly) {
    for (const char* name : {"a.ini", "B.INI", "c.ini~", "d.ini.bak", "e.txt", "noext", "f.Ini"}) {
        putFile(dir.path(name), "");
    }
    CreateDirectoryA(dir.path("sub.ini").c_str(), nullptr);
    EXPECT_EQ((Lines{"B.INI", "a.ini", "f.Ini", "sub.ini"}), sorted(platform::listDirectory(dir.path("*.ini"))));
    EXPECT_EQ((Lines{"B.INI", "a.ini", "f.Ini"}), sorted(platform::listDirectory(dir.path("?.ini"))));
    EXPECT_EQ((Lines{"B.INI", "a.ini", "c.ini~", "d.ini.bak", "e.txt", "f.Ini", "noext", "sub.ini"}),
              sorted(platform::listDirectory(dir.path("*.*"))));
    EXPECT_EQ((Lines{"noext"}), sorted(platform::listDirectory(dir.path("no*.*"))));
    std::string slashed = dir.path("*.INI");
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_EQ((Lines{"B.INI", "a.ini", "f.Ini", "sub.ini"}), sorted(platform::listDirectory(slashed)));
    EXPECT_EQ(Lines{}, platform::listDirectory(dir.path("absent\\*.ini")));
    EXPECT_EQ(Lines{}, platform::listDirectory(dir.path("*.none")));
}
